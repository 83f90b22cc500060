# SPDX-License-Identifier: GPL-3.0-or-later
# Writes OUT, a C++ source that holds the everyday form files (FILES, separated by "|") as
# string literals, so that the program carries them and nothing can go missing at run time.
string(REPLACE "|" ";" files "${FILES}")
set(content "// Generated from src/engine/forms/ by cmake/EmbedForms.cmake.\n")
string(APPEND content "#include \"engine/form_tables.h\"\n\nnamespace kassavero::forms {\n")
string(APPEND content "namespace {\n\nconstexpr FormFile kFiles[] = {\n")
foreach(file IN LISTS files)
    file(READ "${file}" text)
    get_filename_component(name "${file}" NAME)
    string(APPEND content "    {\"${name}\", R\"forms(${text})forms\"},\n")
endforeach()
string(APPEND content "};\n\n}  // namespace\n\nstd::span<const FormFile> BuiltInFiles() {\n")
string(APPEND content "    return kFiles;\n}\n\n}  // namespace kassavero::forms\n")
file(WRITE "${OUT}.new" "${content}")
file(COPY_FILE "${OUT}.new" "${OUT}" ONLY_IF_DIFFERENT)

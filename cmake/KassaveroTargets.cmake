# SPDX-License-Identifier: GPL-3.0-or-later
# Settings shared by every target that holds our own code.

function(kassavero_own_target target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
        -Woverloaded-virtual -Wimplicit-fallthrough -Werror
        # GCC 12 reports impossible overlaps in inlined std::string concatenation at -O3
        # (a known false positive); it would make release builds fail on correct code.
        $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
    if(KASSAVERO_SANITIZE)
        target_compile_options(${target} PRIVATE
            -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()

# One test executable per subsystem. It links only the library it tests plus the
# shared fakes, and every GoogleTest case becomes a ctest test with the given label.
function(kassavero_add_test name)
    cmake_parse_arguments(T "" "LIBRARY;LABEL" "SOURCES" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBRARY} GTest::gmock GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    kassavero_own_target(${name})
    gtest_discover_tests(${name}
        PROPERTIES LABELS ${T_LABEL}
        DISCOVERY_TIMEOUT 120)
endfunction()

# A QtTest program for the UI library: one ctest test with the label gui, run on the
# offscreen platform so that it needs no display.
function(kassavero_add_gui_test name)
    cmake_parse_arguments(T "" "LIBRARY" "SOURCES" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE ${T_LIBRARY} Qt6::Test)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    kassavero_own_target(${name})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        LABELS gui
        ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endfunction()

# The program that links one floor's library alone (see kassavero_floor_library).
set(KASSAVERO_LINK_CHECK_MAIN ${CMAKE_CURRENT_LIST_DIR}/link_check_main.cpp)

# The floors of src/, lowest first. A folder's code includes headers of its own floor and
# the floors below it, never above.
set(KASSAVERO_FLOORS core platform client i18n settings engine settings_windows calculator confirm macro shell
    app)

# The include root of a floor: links to that floor and those below it, and nothing else,
# so that including a higher floor's header does not compile.
function(kassavero_include_root floor out)
    list(FIND KASSAVERO_FLOORS ${floor} rank)
    if(rank LESS 0)
        message(FATAL_ERROR "no floor ${floor}")
    endif()
    set(root ${PROJECT_BINARY_DIR}/include_roots/${floor})
    file(MAKE_DIRECTORY ${root})
    foreach(below RANGE ${rank})
        list(GET KASSAVERO_FLOORS ${below} name)
        if(NOT IS_SYMLINK ${root}/${name})
            file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${name} ${root}/${name} SYMBOLIC)
        endif()
    endforeach()
    set(${out} ${root} PARENT_SCOPE)
endfunction()

# One static library of a floor's code (a floor may have a second one for the code that
# needs Qt's widgets). It sees only its floor's include root and links the libraries it
# names, which must lie on its floor or below.
#
# A function declared by hand needs no include, so the include roots cannot stop a call
# upward; the link does: every object of the library goes, whole, into a small program
# (<target>_links) with nothing but the libraries it names, and a call into any other
# floor leaves a symbol undefined.
function(kassavero_floor_library target)
    cmake_parse_arguments(L "" "FLOOR" "SOURCES;LINKS" ${ARGN})
    add_library(${target} STATIC ${L_SOURCES})
    kassavero_include_root(${L_FLOOR} root)
    target_include_directories(${target} PRIVATE ${root} ${PROJECT_BINARY_DIR}/generated)
    list(FIND KASSAVERO_FLOORS ${L_FLOOR} rank)
    foreach(link IN LISTS L_LINKS)
        if(TARGET ${link})
            get_target_property(below ${link} KASSAVERO_FLOOR)
            if(below)
                list(FIND KASSAVERO_FLOORS ${below} belowRank)
                if(belowRank GREATER rank)
                    message(FATAL_ERROR "${target} (floor ${L_FLOOR}) links ${link}, "
                                        "a library of the floor ${below} above it")
                endif()
            endif()
        endif()
    endforeach()
    set_target_properties(${target} PROPERTIES KASSAVERO_FLOOR ${L_FLOOR})
    set_property(GLOBAL APPEND PROPERTY KASSAVERO_FLOOR_TARGETS ${target})
    target_link_libraries(${target} PUBLIC ${L_LINKS})
    kassavero_own_target(${target})

    add_executable(${target}_links ${KASSAVERO_LINK_CHECK_MAIN})
    target_link_libraries(${target}_links PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${target}>")
    set_target_properties(${target}_links PROPERTIES
        AUTOMOC OFF RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    kassavero_own_target(${target}_links)
endfunction()

# Writes which floor links which (one "floor linked" pair a line, from every target of
# KASSAVERO_FLOOR_TARGETS), for scripts/check_layers.py --links to hold against the includes.
function(kassavero_write_floor_links file)
    get_property(targets GLOBAL PROPERTY KASSAVERO_FLOOR_TARGETS)
    set(pairs "")
    foreach(target IN LISTS targets)
        get_target_property(floor ${target} KASSAVERO_FLOOR)
        get_target_property(links ${target} LINK_LIBRARIES)
        foreach(link IN LISTS links)
            if(TARGET ${link})
                get_target_property(linked ${link} KASSAVERO_FLOOR)
                if(linked AND NOT linked STREQUAL floor)
                    list(APPEND pairs "${floor} ${linked}")
                endif()
            endif()
        endforeach()
    endforeach()
    list(REMOVE_DUPLICATES pairs)
    list(SORT pairs)
    list(JOIN pairs "\n" text)
    file(WRITE ${file} "${text}\n")
endfunction()

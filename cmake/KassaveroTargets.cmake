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

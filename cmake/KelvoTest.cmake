# kelvo_add_test(NAME SOURCES... LIBS lib...): one QtTest program registered with CTest, run offscreen
# at a fixed 96 DPI so pixel and layout tests see the same fonts and scale everywhere.
function(kelvo_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_FONT_DPI=96;LC_ALL=C.UTF-8;KELVO_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data"
        LABELS unit TIMEOUT 300)
endfunction()

# quillbox_add_test(NAME name SOURCES a.cpp ... LIBS lib ... [LABELS l ...] [TIMEOUT s])
# One Qt Test executable per test class, run headless by CTest.
function(quillbox_add_test)
    cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS})
    target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_compile_definitions(${T_NAME} PRIVATE
        QUILLBOX_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        QUILLBOX_FIXTURES="${CMAKE_CURRENT_SOURCE_DIR}/fixtures"
        QUILLBOX_BINARY_DIR="${PROJECT_BINARY_DIR}")
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${T_NAME} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;QT_ASSUME_STDERR_HAS_CONSOLE=1"
        TIMEOUT ${T_TIMEOUT}
        LABELS "${T_LABELS}")
endfunction()

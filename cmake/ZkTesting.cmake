# zk_add_test(<name> SOURCES <files...> LIBS <targets...> [TIMEOUT <s>] [LABELS <l...>])
# One Qt Test executable registered with CTest. Every test runs on the offscreen
# platform with a private runtime and config folder so no test sees the user's
# settings or another test's instance lock, and in Japanese whatever the
# machine's locale (ZKVR340A_LANGUAGE reaches the program and tool processes).
function(zk_add_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
    # Tests include their shared support as "tests/support/…".
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    add_test(NAME ${name} COMMAND ${name})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    set(scratch ${CMAKE_BINARY_DIR}/test-home/${name})
    file(MAKE_DIRECTORY ${scratch}/runtime ${scratch}/config)
    file(CHMOD ${scratch}/runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${ARG_TIMEOUT}
        LABELS "${ARG_LABELS}"
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${scratch}/runtime;XDG_CONFIG_HOME=${scratch}/config;ZKVR340A_BIN_DIR=${CMAKE_BINARY_DIR}/bin;ZKVR340A_LANGUAGE=ja")
endfunction()

# zk_add_bench(<name> SOURCES <files...> LIBS <targets...>): a benchmark prints
# its figures; it is built with everything else but never run by ctest.
function(zk_add_bench name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    # Benchmarks borrow the tests' rigs as "tests/…".
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()

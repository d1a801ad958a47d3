# tolvane_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One QtTest executable, run headless on a hive of its own.
function(tolvane_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE TOLVANE_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TOLVANE_REGISTRY=${CMAKE_CURRENT_BINARY_DIR}/${name}.HKCU.reg"
    TIMEOUT 600)
endfunction()

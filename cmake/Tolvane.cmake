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

set_property(GLOBAL PROPERTY TOLVANE_LOGIC_LIBS "")
set_property(GLOBAL PROPERTY TOLVANE_WIDGET_LIBS "")

# tolvane_folder(<folder> LOGIC <files...> WIDGETS <files...> DEPENDS <folders...>)
# A folder's logic is the library tolvane_<folder> (QtCore and QtGui only, no QtWidgets); its
# widgets are tolvane_<folder>_widgets. Each links only its own logic and the folders named in
# DEPENDS, which must lie below it, so a header from a higher layer does not compile here.
function(tolvane_folder folder)
  cmake_parse_arguments(ARG "" "" "LOGIC;WIDGETS;DEPENDS" ${ARGN})
  set(logic_deps "")
  set(widget_deps "")
  foreach(dep IN LISTS ARG_DEPENDS)
    list(APPEND logic_deps tolvane_${dep})
    if(TARGET tolvane_${dep}_widgets)
      list(APPEND widget_deps tolvane_${dep}_widgets)
    endif()
  endforeach()

  set(logic_cpp ${ARG_LOGIC})
  list(FILTER logic_cpp INCLUDE REGEX "\\.cpp$")
  if(logic_cpp)
    add_library(tolvane_${folder} STATIC ${ARG_LOGIC})
    set(scope PUBLIC)
  else()
    # Headers only so far: the folder still has a library for the layers above to link.
    add_library(tolvane_${folder} INTERFACE ${ARG_LOGIC})
    set(scope INTERFACE)
  endif()
  target_include_directories(tolvane_${folder} ${scope} ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(tolvane_${folder} ${scope} Qt6::Core Qt6::Gui ${logic_deps})
  set_property(GLOBAL APPEND PROPERTY TOLVANE_LOGIC_LIBS tolvane_${folder})

  if(ARG_WIDGETS)
    add_library(tolvane_${folder}_widgets STATIC ${ARG_WIDGETS})
    target_link_libraries(tolvane_${folder}_widgets PUBLIC tolvane_${folder} Qt6::Widgets ${widget_deps})
    set_property(GLOBAL APPEND PROPERTY TOLVANE_WIDGET_LIBS tolvane_${folder}_widgets)
  endif()
endfunction()

# tolvane_folder_tests(<folder> LIBS <targets...> [WIDGETS]): the folder's one test executable,
# test_<folder>, made of every *.cpp in tests/<folder>, with the scripted dialogs; WIDGETS adds
# the rest of the shared GUI test support (the main window fixture, the modal dialog driver).
function(tolvane_folder_tests folder)
  cmake_parse_arguments(ARG "WIDGETS" "" "LIBS" ${ARGN})
  foreach(lib IN LISTS ARG_LIBS)
    if(NOT TARGET ${lib})
      message(STATUS "test_${folder} skipped: ${lib} is not built yet")
      return()
    endif()
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    return()
  endif()
  set(support ${PROJECT_SOURCE_DIR}/tests/support)
  tolvane_add_test(test_${folder} SOURCES ${sources} ${PROJECT_SOURCE_DIR}/tests/TestMain.cpp
                   ${PROJECT_SOURCE_DIR}/tests/TestRegistry.h ${support}/ScriptedDialogs.cpp
                   ${support}/ScriptedDialogs.h LIBS ${ARG_LIBS})
  target_include_directories(test_${folder} PRIVATE ${support})
  if(ARG_WIDGETS)
    target_sources(test_${folder} PRIVATE ${support}/MainWindowFixture.cpp ${support}/MainWindowFixture.h
                   ${support}/ModalDriver.h ${support}/PageContextFixture.h)
    target_compile_definitions(test_${folder} PRIVATE TOLVANE_TEST_WIDGETS)
    target_link_libraries(test_${folder} PRIVATE Qt6::Widgets)
  endif()
endfunction()

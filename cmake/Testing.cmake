# Test helpers shared by every directory.
#
#   korvane_add_test(NAME <name> SOURCES <files...> [LIBS <targets...>] [GUI] [LABELS <labels...>])
#
# builds a GoogleTest executable and registers it with CTest. On the Windows builds CTest starts it
# through the Wine wrapper (the toolchain's emulator); GUI tests need the harness's X display.
include_guard(GLOBAL)

if(NOT TARGET GTest::gtest_main)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(NOT TARGET GTest::gtest_main)
    add_library(GTest::gtest_main ALIAS gtest_main)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gmock ALIAS gmock)
  endif()
endif()

function(korvane_add_test)
  cmake_parse_arguments(T "GUI" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  if(WIN32)
    # Console subsystem: the output reaches CTest.
    target_link_options(${T_NAME} PRIVATE -mconsole)
  endif()
  set(labels ${T_LABELS})
  if(T_GUI)
    list(APPEND labels gui)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_color=no)
  set_tests_properties(${T_NAME} PROPERTIES
    LABELS "${labels}"
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    ENVIRONMENT "KORVANE_TEST_SOURCE_DIR=${CMAKE_CURRENT_SOURCE_DIR}")
  if(T_GUI)
    # GUI tests share one display and one keyboard state (focus, foreground, Caps Lock): one at a time.
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK display)
  endif()
endfunction()

# GoogleTest for both builds, and the Wine prefix that the Windows tests share.
#
# setup_add_test(NAME SOURCES src... [LIBS lib...] [GUI])
#   builds one GoogleTest program and registers it with ctest. On the Windows
#   build it runs under Wine in the prefix made fresh for this test run; GUI
#   marks tests that need a display (the test command provides one).

if(NOT SETUP_TESTS)
  return()
endif()

enable_testing()

if(WIN32)
  # Debian ships GoogleTest's sources; build them with the cross compiler.
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  set(SETUP_GTEST_LIBS gtest_main gmock)

  set(SETUP_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  math(EXPR SETUP_WINE_BITS "${CMAKE_SIZEOF_VOID_P} * 8")
  add_test(NAME wine_prefix
    COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine-prefix ${SETUP_WINEPREFIX} ${SETUP_WINE_BITS})
  # Wine reads Unix file names in the character set of the locale, and the
  # tests' folders hold UTF-8 names; its ANSI code page stays 1252 there.
  set(SETUP_WINE_LOCALE LC_ALL=C.UTF-8)
  set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 180
                                              ENVIRONMENT ${SETUP_WINE_LOCALE})
else()
  find_package(GTest REQUIRED)
  set(SETUP_GTEST_LIBS GTest::gtest_main GTest::gmock)
endif()

function(setup_test_environment name)
  if(WIN32)
    set_tests_properties(${name} PROPERTIES
      FIXTURES_REQUIRED wine
      ENVIRONMENT "WINEPREFIX=${SETUP_WINEPREFIX};WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree=d\\;mshtml=d;${SETUP_WINE_LOCALE}")
  endif()
endfunction()

function(setup_add_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} ${SETUP_GTEST_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  setup_test_environment(${name})
  if(T_GUI)
    set_tests_properties(${name} PROPERTIES LABELS gui RUN_SERIAL ON)
  endif()
endfunction()

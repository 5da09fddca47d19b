# tts_add_test(NAME src...): one GoogleTest program linked with the core.
# Natively each test case is its own ctest entry; cross-compiled, each program
# is one entry run under Wine (discovering cases would start Wine at build time).
if(CMAKE_CROSSCOMPILING)
  if(NOT TARGET gtest)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  endif()
  set(TTS_GTEST_MAIN gtest_main)
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
  set(TTS_GTEST_MAIN GTest::gtest_main)
endif()

function(tts_add_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE ttcore tts_testsupport ${TTS_GTEST_MAIN})
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT
      "TTS_SOURCE_DIR=${PROJECT_SOURCE_DIR};TTS_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix")
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "TTS_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  endif()
endfunction()

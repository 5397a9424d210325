# SPDX-License-Identifier: MIT
# zibo_library(NAME [DEPS targets...] [EXCLUDE files...])
# A static library made of every .cpp of the calling folder but the EXCLUDE ones (which
# another library of the folder holds). New files are picked up when the build runs, so
# adding a file never needs an edit here.
function(zibo_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(excluded ${ARG_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# zibo_test(NAME [DEPS targets...] [ENV vars...] [TIMEOUT seconds])
# One GoogleTest program made of every .cpp of the calling tests folder; each test case
# becomes one ctest entry with a time limit (600 s unless TIMEOUT says otherwise).
function(zibo_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "DEPS;ENV" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 600)
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE ZIBO_GAME_DIR="${ZIBO_GAME_DIR}"
    ZIBO_SOURCE_DIR="${CMAKE_SOURCE_DIR}" ZIBO_BINARY_DIR="${CMAKE_BINARY_DIR}"
    ZIBO_TEST_VERSION="${PROJECT_VERSION}")
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES TIMEOUT ${ARG_TIMEOUT}
    DISCOVERY_TIMEOUT 60)
  # The discovery passes each element of a property's list on as a word of its own, so a list of
  # variables cannot go through it; a script run after it sets them on every discovered test.
  set(env SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ${ARG_ENV})
  set(env_script ${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake)
  file(WRITE ${env_script}
    "if(${name}_TESTS)\n  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT \"${env}\")\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${env_script})
endfunction()

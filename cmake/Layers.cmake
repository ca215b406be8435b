# Helpers shared by every folder's CMakeLists.txt.
#
# morvane_layer(<target> [DEPS <targets>...] [PRIVATE_DEPS <targets>...])
#   One static library from every .cpp file of the calling folder. Headers are
#   included by their path from the repository root.
function(morvane_layer target)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# morvane_tests(<name> DEPS <targets>... [BACKEND sdl|headless] [ENV <VAR=value>...])
#   One GoogleTest executable from every .cpp file of the calling folder, each test
#   registered with CTest. Tests run on the headless platform backend unless BACKEND
#   says sdl (those run on the X server that scripts/test.sh starts).
function(morvane_tests name)
  cmake_parse_arguments(ARG "" "BACKEND" "DEPS;ENV;SOURCES" ${ARGN})
  if(NOT ARG_BACKEND)
    set(ARG_BACKEND headless)
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} test_support GTest::gtest_main GTest::gmock)
  set(env PLATFORM_BACKEND=${ARG_BACKEND} ${ARG_ENV})
  # The list goes through one more layer of argument parsing: keep it one value.
  string(REPLACE ";" "\\;" env "${env}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "${env}")
endfunction()

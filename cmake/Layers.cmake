# Helpers shared by every folder's CMakeLists.txt, and the layer check.

# The project's libraries, bottom up, one layer a line. A library links only
# libraries of lower layers; the libraries of one layer never link each other.
# A new library gets its line here, or the check below stops the configuration.
set(MORVANE_LAYERS
  platform
  platform_entry
  vantor_kernel
  vantor_render
  "vantor_render_d3d7 vantor_input vantor_sound"
  vantor_gui
  vantor_console
  vantor_engine
  framework_file_header
  game_tools
  gui_tools
  game_framework
  framework_windows
  framework_game_base
  morvane_game
  morvane_screens
  morvane_game_object)

# Folders whose libraries sit above every layer and may link anything: the data set's
# writers and builder, and what tests, benchmarks and fuzz targets share.
set(MORVANE_ABOVE_LAYERS_FOLDERS content tests bench fuzz)

# morvane_sources(<variable> <folder> [FILES <patterns>...] [EXCLUDE <patterns>...])
#   The .cpp files of <folder> matching FILES (every .cpp file when none is given),
#   without those matching EXCLUDE. Patterns are globs relative to the folder.
function(morvane_sources variable folder)
  cmake_parse_arguments(ARG "" "" "FILES;EXCLUDE" ${ARGN})
  if(NOT ARG_FILES)
    set(ARG_FILES *.cpp)
  endif()
  list(TRANSFORM ARG_FILES PREPEND ${folder}/)
  file(GLOB sources CONFIGURE_DEPENDS ${ARG_FILES})
  if(ARG_EXCLUDE)
    list(TRANSFORM ARG_EXCLUDE PREPEND ${folder}/)
    file(GLOB excluded CONFIGURE_DEPENDS ${ARG_EXCLUDE})
    list(REMOVE_ITEM sources ${excluded})
  endif()
  set(${variable} ${sources} PARENT_SCOPE)
endfunction()

# morvane_layer(<target> [DEPS <targets>...] [PRIVATE_DEPS <targets>...]
#               [FILES <patterns>...] [EXCLUDE <patterns>...])
#   One static library from the .cpp files of the calling folder (all of them unless
#   FILES or EXCLUDE narrow the choice, for a folder that holds two layers). Headers
#   are included by their path from the repository root.
function(morvane_layer target)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS;FILES;EXCLUDE" ${ARGN})
  morvane_sources(sources ${CMAKE_CURRENT_SOURCE_DIR} FILES ${ARG_FILES} EXCLUDE ${ARG_EXCLUDE})
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# morvane_tests(<name> DEPS <targets>... [BACKEND sdl|headless]
#               [SOURCES <files>...] [FILES <patterns>...] [EXCLUDE <patterns>...] [SERIAL])
#   One GoogleTest executable from the .cpp files of the calling folder (narrowed as
#   for morvane_layer) plus SOURCES, each test registered with CTest. Tests run on the
#   headless platform backend unless BACKEND says sdl (those run on the X server that
#   scripts/test.sh starts). SERIAL runs each of them while no other test runs.
function(morvane_tests name)
  cmake_parse_arguments(ARG "SERIAL" "BACKEND" "DEPS;SOURCES;FILES;EXCLUDE" ${ARGN})
  if(NOT ARG_BACKEND)
    set(ARG_BACKEND headless)
  endif()
  morvane_sources(sources ${CMAKE_CURRENT_SOURCE_DIR} FILES ${ARG_FILES} EXCLUDE ${ARG_EXCLUDE})
  add_executable(${name} ${sources} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} test_support GTest::gtest_main GTest::gmock)
  # Discovered tests take one environment value only (a list would be split into
  # properties); the rest of the test environment is set by TestEnvironment.cpp.
  set(env PLATFORM_BACKEND=${ARG_BACKEND})
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "${env}" RUN_SERIAL ${ARG_SERIAL})
endfunction()

# Every library target defined in <folder> and the folders below it.
function(morvane_collect_libraries variable folder)
  get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
  set(libraries "")
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "_LIBRARY$")
      list(APPEND libraries ${target})
    endif()
  endforeach()
  get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
  foreach(subfolder IN LISTS subfolders)
    morvane_collect_libraries(below ${subfolder})
    list(APPEND libraries ${below})
  endforeach()
  set(${variable} ${libraries} PARENT_SCOPE)
endfunction()

# Stops the configuration when a project library links a library of its own layer or
# one above, or when a library has no place in MORVANE_LAYERS. Runs once every folder
# was added.
function(morvane_check_layers)
  set(rank 0)
  foreach(layer IN LISTS MORVANE_LAYERS)
    string(REPLACE " " ";" members "${layer}")
    foreach(member IN LISTS members)
      set(rank_of_${member} ${rank})
    endforeach()
    math(EXPR rank "${rank} + 1")
  endforeach()
  set(above_layers_rank ${rank})

  morvane_collect_libraries(libraries ${PROJECT_SOURCE_DIR})
  set(faults "")
  foreach(library IN LISTS libraries)
    if(DEFINED rank_of_${library})
      continue()
    endif()
    get_target_property(folder ${library} SOURCE_DIR)
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${folder})
    string(REGEX REPLACE "/.*" "" top_folder "${folder}")
    if(top_folder IN_LIST MORVANE_ABOVE_LAYERS_FOLDERS)
      set(rank_of_${library} ${above_layers_rank})
    else()
      string(APPEND faults "\n  ${library} (${folder}/) has no place in the layer order: "
        "give it a line in MORVANE_LAYERS in cmake/Layers.cmake")
    endif()
  endforeach()

  foreach(library IN LISTS libraries)
    if(NOT DEFINED rank_of_${library} OR rank_of_${library} EQUAL above_layers_rank)
      continue()
    endif()
    get_target_property(direct ${library} LINK_LIBRARIES)
    get_target_property(interface ${library} INTERFACE_LINK_LIBRARIES)
    set(links "")
    foreach(link IN LISTS direct interface)
      # A static library's private links reach its users as $<LINK_ONLY:...>.
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
      if(link AND TARGET ${link} AND link IN_LIST libraries AND NOT link IN_LIST links)
        list(APPEND links ${link})
      endif()
    endforeach()
    foreach(link IN LISTS links)
      if(NOT DEFINED rank_of_${link})
        continue()  # reported above as having no place
      endif()
      if(NOT rank_of_${link} LESS rank_of_${library})
        string(APPEND faults "\n  ${library} links ${link}, which is not in a layer below it")
      endif()
    endforeach()
  endforeach()

  if(faults)
    message(FATAL_ERROR "The libraries break the layer order (cmake/Layers.cmake):${faults}")
  endif()
endfunction()

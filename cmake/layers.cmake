# dravik_layer(<name> [BELOW <layer>...] SOURCES <source>...)
#
# Makes the static library dravik_<name> from the sources of src/<name>, linking the layers it is
# built on. Its include root is a directory of the build tree that holds links to src/<name> and
# to the source directories of every layer below it, and nothing else: "<layer>/<header>.h"
# resolves for exactly those layers, so an upward #include is an error at compile time.
function(dravik_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 LAYER "" "" "BELOW;SOURCES")
  set(visible ${name})
  foreach(below IN LISTS LAYER_BELOW)
    get_property(below_visible GLOBAL PROPERTY dravik_layer_${below}_visible)
    if(NOT below_visible)
      message(FATAL_ERROR "layer ${name}: layer ${below} must be declared before it")
    endif()
    list(APPEND visible ${below_visible})
  endforeach()
  list(REMOVE_DUPLICATES visible)
  set_property(GLOBAL PROPERTY dravik_layer_${name}_visible ${visible})

  set(root ${CMAKE_BINARY_DIR}/layers/${name})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root})
  foreach(layer IN LISTS visible)
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${layer} ${root}/${layer} SYMBOLIC)
  endforeach()

  add_library(dravik_${name} STATIC ${LAYER_SOURCES})
  target_include_directories(dravik_${name} PUBLIC ${root})
  list(TRANSFORM LAYER_BELOW PREPEND dravik_)
  target_link_libraries(dravik_${name} PUBLIC ${LAYER_BELOW})
endfunction()

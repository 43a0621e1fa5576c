# Each layer's target sees only the folders it may include from. Project includes are
# written from the source root ("platform/mci/CdDriver.h"), so a layer cannot be given a
# folder of its own as include path; instead each layer gets a tree in the build folder that
# holds links to exactly the folders (and single headers) below it, and that tree is its
# include path. An upward include then finds no file and fails to compile.
#
# Links are made when CMake configures; the source globs are CONFIGURE_DEPENDS, so a new
# folder under platform/ is linked on the next build. Where the file system cannot make
# symbolic links, every layer falls back to the whole source root and only the layering
# test (tests/layering/check_layers.sh) guards the rule.

set(PLUME_LAYER_TREES ${CMAKE_BINARY_DIR}/layers)
set(PLUME_LAYER_TREES_OK TRUE)

# plume_layer_tree(<name> <entry>...): entries are paths relative to the source root; the
# word PLATFORM stands for everything in platform/ except the windowing backends
# (platform/qt/, platform/win32/).
function(plume_layer_tree name)
  set(tree ${PLUME_LAYER_TREES}/${name})
  file(REMOVE_RECURSE ${tree})
  set(entries)
  foreach(e IN LISTS ARGN)
    if(e STREQUAL "PLATFORM")
      file(GLOB children RELATIVE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/platform/*)
      list(REMOVE_ITEM children platform/qt platform/win32)
      list(APPEND entries ${children})
    else()
      list(APPEND entries ${e})
    endif()
  endforeach()
  foreach(e IN LISTS entries)
    get_filename_component(parent ${tree}/${e} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${e} ${tree}/${e} RESULT made SYMBOLIC)
    if(NOT made EQUAL 0)
      set(PLUME_LAYER_TREES_OK FALSE PARENT_SCOPE)
      message(STATUS "Cannot link ${e} into the ${name} layer's include tree (${made}): "
                     "every layer sees the whole source root")
      return()
    endif()
  endforeach()
endfunction()

# plume_layer_includes(<target> <tree name>)
function(plume_layer_includes target name)
  if(PLUME_LAYER_TREES_OK)
    target_include_directories(${target} PUBLIC ${PLUME_LAYER_TREES}/${name})
  else()
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  endif()
endfunction()

plume_layer_tree(platform PLATFORM)
plume_layer_tree(platform_qt platform)
plume_layer_tree(platform_win32 platform)
plume_layer_tree(framework PLATFORM framework)
plume_layer_tree(components PLATFORM framework engine controls settings/IniGT.h)
plume_layer_tree(windows PLATFORM framework engine controls settings player editor about)

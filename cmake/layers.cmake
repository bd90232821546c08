# The product's folders are libraries in layers, each linking only what lies
# below it: io, dates, mutants, engine, then harness and formats, then
# report.  Each is vorlak_<folder>, also named vorlak::<folder>.

# vorlak_public_headers(TARGET HEADER...): what TARGET offers the targets
# that link it is these headers of its folder and nothing else of the tree.
# Its public include path is a folder of the build tree holding a link to
# each of them under the folder's name, so that a user writes
# "engine/scan.hpp" as the library itself does.  The library's own sources
# read the tree from its top (a private path); scripts/layers.sh keeps them
# from including a layer above their own.
function(vorlak_public_headers target)
  get_filename_component(root ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/.. ABSOLUTE)
  file(RELATIVE_PATH folder ${root} ${CMAKE_CURRENT_SOURCE_DIR})
  set(include ${CMAKE_BINARY_DIR}/include/${target})
  # Made afresh, so that a header taken off the list is gone from it too.
  file(REMOVE_RECURSE ${include})
  file(MAKE_DIRECTORY ${include}/${folder})
  foreach(header IN LISTS ARGN)
    if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${header})
      message(FATAL_ERROR "${target} exports ${folder}/${header}, which does not exist")
    endif()
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${header} ${include}/${folder}/${header} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC ${include} PRIVATE ${root})
endfunction()

# Each source folder is a layer. A target sees a folder's headers only through that
# folder's include root, which holds nothing but the folder itself, and it gets that root
# only by linking the folder's target. So an include that climbs the wrong way is not
# found at all, rather than waiting for a reviewer.
function(animatsiya_expose target scope folder)
  set(root ${CMAKE_BINARY_DIR}/include/${folder})
  if(NOT EXISTS ${root}/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${target} ${scope} ${root})
endfunction()

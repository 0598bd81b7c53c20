# One static library per source folder, each linking only the layers below it:
#   chatsieve_add_layer(<folder> [BELOW <layer>...] SOURCES <file>...)
# makes chatsieve_<folder>. Its check program links the whole archive (every object,
# used or not) with only the layers below, so code that calls into a layer above
# fails the normal build with an undefined reference.
function(chatsieve_add_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 layer "" "" "BELOW;SOURCES")
  set(target chatsieve_${name})
  add_library(${target} STATIC ${layer_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/include)
  target_link_libraries(${target} PUBLIC chatsieve_options)
  foreach(below IN LISTS layer_BELOW)
    target_link_libraries(${target} PUBLIC chatsieve_${below})
  endforeach()
  set_property(GLOBAL APPEND PROPERTY CHATSIEVE_LAYERS ${target})

  add_executable(${target}_layer_check ${PROJECT_SOURCE_DIR}/src/layer_check.cpp)
  target_link_libraries(${target}_layer_check PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${target}>")
endfunction()

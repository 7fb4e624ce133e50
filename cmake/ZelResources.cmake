# zel_embed_resources(target folder): every image file in the folder is compiled
# into the target as a byte array, found at run time by its file name without
# extension, upper-cased (checked.png -> "CHECKED").
function(zel_embed_resources target folder)
  file(GLOB files CONFIGURE_DEPENDS ${folder}/*.png ${folder}/*.bmp)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/zel_resources_${target}.cpp)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DOUT=${out} -DFILES="${files}"
            -P ${CMAKE_SOURCE_DIR}/cmake/EmbedResources.cmake
    DEPENDS ${files} ${CMAKE_SOURCE_DIR}/cmake/EmbedResources.cmake
    COMMENT "Embedding image resources")
  target_sources(${target} PRIVATE ${out})
endfunction()

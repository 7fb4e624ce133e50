# zel_embed_resources(target folder): every image file in the folder is compiled
# into the target as a byte array, found at run time by its file name without
# extension, upper-cased (checked.png -> "CHECKED"; see host/gfx/Resources.h).
# Each file gets its own generated source, so a changed image re-converts alone
# and several convert in parallel; the table of names is written at configure time.
function(zel_embed_resources target folder)
  file(GLOB files CONFIGURE_DEPENDS ${folder}/*.png ${folder}/*.bmp)
  list(SORT files)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/zel_resources_${target})
  set(script ${CMAKE_SOURCE_DIR}/cmake/EmbedResources.cmake)
  set(keys)
  set(sources)
  set(decls "")
  set(entries "")
  foreach(file ${files})
    get_filename_component(stem ${file} NAME_WLE)
    get_filename_component(ext ${file} LAST_EXT)
    string(TOUPPER "${stem}" key)
    string(TOLOWER "${ext}" ext)
    if(NOT key MATCHES "^[A-Z0-9_]+$")
      message(FATAL_ERROR "Resource file name '${file}': use letters, digits and '_' only")
    endif()
    if(key IN_LIST keys)
      message(FATAL_ERROR "Two resource files are named ${key} in ${folder}")
    endif()
    list(APPEND keys ${key})
    set(out ${dir}/${key}.cpp)
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -DIN=${file} -DOUT=${out} -DSYMBOL=zelres_${key} -P ${script}
      DEPENDS ${file} ${script}
      COMMENT "Embedding resource ${key}"
      VERBATIM)
    list(APPEND sources ${out})
    string(APPEND decls "extern const unsigned char zelres_${key}[];\n"
                        "extern const size_t zelres_${key}_size;\n")
    string(APPEND entries "      {\"${key}\", \"${ext}\", zelres_${key}, zelres_${key}_size},\n")
  endforeach()
  # A function-local table: it reads sizes defined in other sources, which is only
  # safe once static initialisation is over.
  file(CONFIGURE OUTPUT ${dir}/table.cpp @ONLY CONTENT
"// Generated from the resources folder: do not edit.
#include \"host/gfx/Resources.h\"

namespace host {
@decls@
const EmbeddedResource* EmbeddedResources() {
  static const EmbeddedResource table[] = {
@entries@      {nullptr, nullptr, nullptr, 0}};
  return table;
}
}  // namespace host
")
  target_sources(${target} PRIVATE ${sources} ${dir}/table.cpp)
endfunction()

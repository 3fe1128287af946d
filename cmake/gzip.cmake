# kestrix_install_gzipped(FILE DESTINATION): installs FILE as FILE.gz into
# DESTINATION, compressed at build time with `gzip -9n`, as Debian wants man
# pages and changelogs. -n leaves out the name and the time stamp, so the same
# text always gives the same bytes.
include_guard(GLOBAL)
find_program(KESTRIX_GZIP gzip REQUIRED)
mark_as_advanced(KESTRIX_GZIP)

function(kestrix_install_gzipped file destination)
  get_filename_component(name ${file} NAME)
  set(copy ${CMAKE_CURRENT_BINARY_DIR}/gzipped/${name})
  # gzip replaces the copy with copy.gz; the source stays as it is.
  add_custom_command(
    OUTPUT ${copy}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${file} ${copy}
    COMMAND ${KESTRIX_GZIP} -9nf ${copy}
    DEPENDS ${file}
    COMMENT "gzip -9n ${name}"
    VERBATIM)
  string(MAKE_C_IDENTIFIER "kestrix_gzip_${name}" target)
  add_custom_target(${target} ALL DEPENDS ${copy}.gz)
  install(FILES ${copy}.gz DESTINATION ${destination})
endfunction()

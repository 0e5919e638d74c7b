# The manual pages: one scdoc source per page in docs/man/, made into compressed
# roff in man/ of the build tree. Without scdoc the pages are left out with a
# warning (scripts/install-deps installs it).

set(vantelo_man_pages vantelo-cli.1 tessaly.1)
if(VANTELO_GUI)
  list(APPEND vantelo_man_pages vantelo.1)
endif()

find_program(VANTELO_SCDOC scdoc)
find_program(VANTELO_GZIP gzip)
if(NOT VANTELO_SCDOC OR NOT VANTELO_GZIP)
  message(WARNING "scdoc or gzip is missing: the manual pages are not built")
  set(VANTELO_MAN_PAGE_FILES "")
  return()
endif()

set(VANTELO_MAN_PAGE_FILES "")
foreach(page IN LISTS vantelo_man_pages)
  set(source ${PROJECT_SOURCE_DIR}/docs/man/${page}.scd)
  set(output ${CMAKE_BINARY_DIR}/man/${page}.gz)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${source} -DOUTPUT=${output} -DVERSION=${PROJECT_VERSION}
      -DSCDOC=${VANTELO_SCDOC} -DGZIP=${VANTELO_GZIP} -P ${PROJECT_SOURCE_DIR}/cmake/MakeManPage.cmake
    DEPENDS ${source} ${PROJECT_SOURCE_DIR}/cmake/MakeManPage.cmake
    COMMENT "Making the manual page ${page}"
    VERBATIM)
  list(APPEND VANTELO_MAN_PAGE_FILES ${output})
endforeach()
add_custom_target(vantelo_man_pages ALL DEPENDS ${VANTELO_MAN_PAGE_FILES})

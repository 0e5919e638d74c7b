# Makes one compressed manual page from its scdoc source:
#   cmake -DSOURCE=page.1.scd -DOUTPUT=page.1.gz -DVERSION=x.y.z -DSCDOC=... -DGZIP=... -P MakeManPage.cmake
# gzip -9n leaves out the file name and time stamp, so the same source gives the
# same bytes.

get_filename_component(roff "${OUTPUT}" NAME_WLE)
get_filename_component(folder "${OUTPUT}" DIRECTORY)
set(PROJECT_VERSION "${VERSION}")
configure_file("${SOURCE}" "${folder}/${roff}.scd" @ONLY)

execute_process(COMMAND "${SCDOC}"
  INPUT_FILE "${folder}/${roff}.scd"
  OUTPUT_FILE "${folder}/${roff}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "scdoc failed on ${SOURCE}")
endif()

execute_process(COMMAND "${GZIP}" -9n -c "${folder}/${roff}"
  OUTPUT_FILE "${OUTPUT}.tmp"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "gzip failed on ${folder}/${roff}")
endif()
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")

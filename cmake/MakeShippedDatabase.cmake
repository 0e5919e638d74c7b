# Makes the shipped, scrambled dirdata.xml from its readable source: puts the
# file URL of the demo site where @DEMO_SITE@ stands and scrambles the result
# with vantelo-cli. Run by the build (demo site beside the built programs) and
# by the install (demo site in the installed share/vantelo/).
#
#   cmake -DSOURCE=dirdata-source.xml -DPLAIN=work.xml -DOUTPUT=dirdata.xml
#         -DDEMO_FOLDER=/abs/demo -DCLI=/path/vantelo-cli -P MakeShippedDatabase.cmake

foreach(variable SOURCE PLAIN OUTPUT DEMO_FOLDER CLI)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "MakeShippedDatabase: ${variable} is not set")
  endif()
endforeach()

# The folder as a file URL: characters that end or change a URL path are
# escaped (the percent sign first), then the URL is escaped for an attribute.
set(url "${DEMO_FOLDER}")
string(REPLACE "%" "%25" url "${url}")
string(REPLACE " " "%20" url "${url}")
string(REPLACE "#" "%23" url "${url}")
string(REPLACE "?" "%3F" url "${url}")
set(url "file://${url}")
string(REPLACE "&" "&amp;" url "${url}")
string(REPLACE "\"" "&quot;" url "${url}")
string(REPLACE "<" "&lt;" url "${url}")

file(READ "${SOURCE}" text)
string(REPLACE "@DEMO_SITE@" "${url}" text "${text}")
file(WRITE "${PLAIN}" "${text}")

get_filename_component(output_folder "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${output_folder}")
execute_process(COMMAND "${CLI}" db scramble "${PLAIN}" "${OUTPUT}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "MakeShippedDatabase: vantelo-cli db scramble failed (${result})")
endif()

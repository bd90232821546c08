# Without the viewer, vorlak-report -f html must fail cleanly: exit status 1,
# the way to get the viewer on standard error, nothing on standard output,
# and no output file.
#   cmake -DREPORT=... -DTESTFILE=... -DOUT=... -P noviewer-test.cmake
file(REMOVE "${OUT}")
execute_process(COMMAND "${REPORT}" -f html -o "${OUT}" "${TESTFILE}"
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 1)
  message(FATAL_ERROR "exit status ${status}, not 1")
endif()
if(NOT err MATCHES "npm ci --prefix formats/web")
  message(FATAL_ERROR "standard error does not say how to get the viewer: ${err}")
endif()
if(NOT out STREQUAL "")
  message(FATAL_ERROR "standard output is not empty: ${out}")
endif()
if(EXISTS "${OUT}")
  message(FATAL_ERROR "${OUT} was written")
endif()
# The other formats still work.
execute_process(COMMAND "${REPORT}" -f json "${TESTFILE}"
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out MATCHES "\"schemaVersion\"")
  message(FATAL_ERROR "-f json failed without the viewer (${status}): ${err}")
endif()

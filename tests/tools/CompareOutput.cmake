# Runs PROGRAM with ARGUMENT and fails unless it succeeds and its standard
# output equals the file EXPECTED.
execute_process(COMMAND ${PROGRAM} ${ARGUMENT} OUTPUT_VARIABLE output RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ${ARGUMENT} exited with ${result}")
endif()
file(READ ${EXPECTED} expected)
if(NOT output STREQUAL expected)
    message(FATAL_ERROR "Output of ${PROGRAM} ${ARGUMENT} differs from ${EXPECTED}:\n${output}")
endif()

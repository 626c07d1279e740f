# Runs "vorloctl flash FILE --simulated" as a user would, on a firmware file
# of SIZE bytes, and checks the exit code and what it printed.
#   -DPROGRAM=vorloctl -DSIZE=bytes -DEXPECTED_EXIT=0|1 -DWORK_DIR=dir
# With exit 0 the boot loader must report the file's bytes and their SHA-256;
# with exit 1 it must report that it received nothing.
string(REPEAT "VORLO firmware image " 7000 text)
string(SUBSTRING "${text}" 0 ${SIZE} text)
file(MAKE_DIRECTORY "${WORK_DIR}")
set(firmware "${WORK_DIR}/VORLO_${SIZE}.bin")
file(WRITE "${firmware}" "${text}")
file(SHA256 "${firmware}" expected_hash)

execute_process(COMMAND "${PROGRAM}" flash "${firmware}" --simulated
                RESULT_VARIABLE exit_code OUTPUT_VARIABLE output ERROR_VARIABLE errors)

if(NOT exit_code EQUAL EXPECTED_EXIT)
    message(FATAL_ERROR "exit code ${exit_code}, expected ${EXPECTED_EXIT}\n${output}${errors}")
endif()

if(EXPECTED_EXIT EQUAL 0)
    set(expected_lines "received ${SIZE} bytes: the file's ${SIZE} bytes padded to ${SIZE}" "SHA-256: ${expected_hash}"
                       "The burn process completed without error")
else()
    set(expected_lines "received 0 bytes")
endif()

foreach(line IN LISTS expected_lines)
    string(FIND "${output}" "${line}" found)
    if(found EQUAL -1)
        message(FATAL_ERROR "missing \"${line}\" in:\n${output}${errors}")
    endif()
endforeach()

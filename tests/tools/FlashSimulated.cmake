# Runs "vorloctl flash FILE --simulated" as a user would, on a firmware file
# of SIZE bytes, and checks the exit code and what it printed.
#   -DPROGRAM=vorloctl -DSIZE=bytes -DEXPECTED_EXIT=0|1 -DWORK_DIR=dir
# With exit 0 the boot loader must report the file's bytes, the SHA-256 of
# the file as sha256sum prints it, and that of the file padded with 0xFF to
# whole blocks of 512 bytes, and no word of clicking; with exit 1, standard
# output must stay empty.
string(REPEAT "VORLO firmware image " 7000 text)
string(SUBSTRING "${text}" 0 ${SIZE} text)
file(MAKE_DIRECTORY "${WORK_DIR}")
set(firmware "${WORK_DIR}/VORLO_${SIZE}.bin")
file(WRITE "${firmware}" "${text}")
file(SHA256 "${firmware}" file_hash)

math(EXPR padded_size "(${SIZE} + 511) / 512 * 512")
math(EXPR padding "${padded_size} - ${SIZE}")
string(ASCII 255 filler)
string(REPEAT "${filler}" ${padding} fill)
file(WRITE "${WORK_DIR}/padded_${SIZE}.bin" "${text}${fill}")
file(SHA256 "${WORK_DIR}/padded_${SIZE}.bin" padded_hash)

execute_process(COMMAND "${PROGRAM}" flash "${firmware}" --simulated
                RESULT_VARIABLE exit_code OUTPUT_VARIABLE output ERROR_VARIABLE errors)

if(NOT exit_code EQUAL EXPECTED_EXIT)
    message(FATAL_ERROR "exit code ${exit_code}, expected ${EXPECTED_EXIT}\n${output}${errors}")
endif()

if(EXPECTED_EXIT EQUAL 0)
    set(expected_lines "received ${padded_size} bytes: the file's ${SIZE} bytes padded to ${padded_size}"
                       "SHA-256 of the file:                 ${file_hash}"
                       "SHA-256 of what the boot loader got: ${padded_hash}"
                       "The burn process completed without error")
    foreach(line IN LISTS expected_lines)
        string(FIND "${output}" "${line}" found)
        if(found EQUAL -1)
            message(FATAL_ERROR "missing \"${line}\" in:\n${output}${errors}")
        endif()
    endforeach()
    # A terminal has nothing to click.
    string(FIND "${output}" "Click" click)
    if(NOT click EQUAL -1)
        message(FATAL_ERROR "the terminal is told to click:\n${output}")
    endif()
elseif(NOT output STREQUAL "")
    message(FATAL_ERROR "a refused file printed on standard output:\n${output}")
endif()

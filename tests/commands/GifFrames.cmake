# Runs `tamarind-sim gif GIF --frames FRAMES` into an empty folder. The file may be one the model
# refuses (a finding kept for what it once did); the command must then say so and fail, never
# crash, so only a run stopped by a signal or a sanitizer fails the test.
file(REMOVE_RECURSE ${FRAMES})
file(MAKE_DIRECTORY ${FRAMES})
execute_process(COMMAND ${SIM} gif ${GIF} --frames ${FRAMES} RESULT_VARIABLE status ERROR_VARIABLE errors
    OUTPUT_QUIET)
if(NOT status MATCHES "^[01]$" OR errors MATCHES "Sanitizer|runtime error")
    message(FATAL_ERROR "tamarind-sim gif ${GIF} --frames: ${status}\n${errors}")
endif()

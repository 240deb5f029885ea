# Runs TOOL with ARGS (a list separated by "|") and passes when it ends with exit status 1
# and its output matches EXPECTED: a refusal must both say why and fail.
string(REPLACE "|" ";" _arguments "${ARGS}")
execute_process(COMMAND ${TOOL} ${_arguments} RESULT_VARIABLE _status OUTPUT_VARIABLE _out
                ERROR_VARIABLE _out)
if(NOT _status STREQUAL "1")
    message(FATAL_ERROR "exit status ${_status}, expected 1; output:\n${_out}")
endif()
if(NOT _out MATCHES "${EXPECTED}")
    message(FATAL_ERROR "output does not match \"${EXPECTED}\":\n${_out}")
endif()

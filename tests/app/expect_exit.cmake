# Runs the program once and checks how it ended: the exit code (never a signal such as an
# abort) and the message on stderr. Lists are passed with "|" between items.
#   PROGRAM  the program        ENV      NAME=value sets a variable, -NAME removes it
#   ARGS     its arguments      EXIT     the expected exit code
#   MESSAGE  a regex the stderr must match     ONE_LINE  if set, stderr is that one line only
string(REPLACE "|" ";" env "${ENV}")
string(REPLACE "|" ";" args "${ARGS}")
# Set here rather than through "cmake -E env", which would turn a signal into exit code 1.
foreach(item IN LISTS env)
    if(item MATCHES "^-(.*)")
        unset(ENV{${CMAKE_MATCH_1}})
    elseif(item MATCHES "^([^=]*)=(.*)")
        set(ENV{${CMAKE_MATCH_1}} "${CMAKE_MATCH_2}")
    endif()
endforeach()
execute_process(
    COMMAND ${PROGRAM} ${args}
    RESULT_VARIABLE result
    ERROR_VARIABLE errors
    OUTPUT_QUIET
    TIMEOUT 60)
string(STRIP "${errors}" errors)
if(NOT result STREQUAL EXIT)
    message(FATAL_ERROR "ended with '${result}', expected exit code ${EXIT}; stderr:\n${errors}")
endif()
if(NOT errors MATCHES "${MESSAGE}")
    message(FATAL_ERROR "stderr does not match '${MESSAGE}':\n${errors}")
endif()
if(ONE_LINE AND errors MATCHES "\n")
    message(FATAL_ERROR "stderr holds more than one line:\n${errors}")
endif()

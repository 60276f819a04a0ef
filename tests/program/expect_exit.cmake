# Runs the program once and checks how it ended: the exit code (never a signal such as an
# abort) and what it printed. Lists are passed with "|" between items.
#   PROGRAM  the program        ENV      NAME=value sets a variable, -NAME removes it
#   ARGS     its arguments      EXIT     the expected exit code
#   MESSAGE  a regex the stderr must match     ONE_LINE  if set, stderr is that one line only
#   OUTPUT   a regex the stdout must match (optional)
#   RUNTIME  a private runtime folder, so Qt has nothing to say about a missing one
#   FILE, FILE_CONTENT  a file the run must leave behind, and a regex its content must match
#   FILE_BEFORE  what FILE holds before the run (without it, FILE does not exist)
string(REPLACE "|" ";" env "${ENV}")
string(REPLACE "|" ";" args "${ARGS}")
file(MAKE_DIRECTORY "${RUNTIME}")
if(FILE)
    file(REMOVE "${FILE}")
    if(FILE_BEFORE)
        file(WRITE "${FILE}" "${FILE_BEFORE}")
    endif()
endif()
file(CHMOD "${RUNTIME}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(ENV{XDG_RUNTIME_DIR} "${RUNTIME}")
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
    OUTPUT_VARIABLE output
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
if(NOT output MATCHES "${OUTPUT}")
    message(FATAL_ERROR "stdout does not match '${OUTPUT}':\n${output}")
endif()
if(FILE)
    if(NOT EXISTS "${FILE}")
        message(FATAL_ERROR "the run left no file ${FILE}")
    endif()
    file(READ "${FILE}" content)
    if(NOT content MATCHES "${FILE_CONTENT}")
        message(FATAL_ERROR "${FILE} does not match '${FILE_CONTENT}':\n${content}")
    endif()
endif()

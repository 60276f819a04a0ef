# Run by CPack between staging and packing (CPACK_PRE_BUILD_SCRIPTS): refuses a package whose
# changelog names another version, and strips the program as Debian's dh_strip does, its
# symbols and also the compiler's .comment and .note sections.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
    return()
endif()
if(CPACK_QUIZ_VERSION_PROBLEM)
    message(FATAL_ERROR "${CPACK_QUIZ_VERSION_PROBLEM}")
endif()
set(program "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/${CPACK_QUIZ_PROGRAM}")
execute_process(
    COMMAND "${CPACK_QUIZ_STRIP}" --remove-section=.comment --remove-section=.note "${program}"
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "could not strip ${program}")
endif()

# A Qt Test suite, run on the offscreen platform so it needs no display:
#   quiz_qt_test(<source.cpp> <libraries...>) makes the test <prefix>.<name of the source>
function(quiz_qt_test prefix source)
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE ${ARGN} Qt6::Test)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    quiz_enable_warnings(${name})
    add_test(NAME ${prefix}.${name} COMMAND ${name})
    set_tests_properties(${prefix}.${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# One static library per folder of service/: the Qt code that is no view. It links Qt6::Core and
# never Widgets, and, as in core, a folder includes only from the folders its library uses.
include(QuizCoreLibrary)

function(quiz_service_library target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;USES")
    add_library(${target} STATIC ${arg_SOURCES})
    target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>)
    target_link_libraries(${target} PUBLIC Qt6::Core ${arg_USES})
    quiz_enable_warnings(${target})
    get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    set_property(GLOBAL APPEND PROPERTY QUIZ_SERVICE_FOLDERS ${folder})
    set_property(GLOBAL PROPERTY QUIZ_SERVICE_TARGET_${folder} ${target})
    set_property(GLOBAL PROPERTY QUIZ_LIBRARY_USES_${target} ${arg_USES})
endfunction()

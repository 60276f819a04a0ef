# Installs the build into a fresh folder and checks that every file lands in its place.
#   BUILD_DIR  the build tree    PREFIX  where to install    BINDIR, DATADIR, DOCDIR  relative to it
#   APP_ID, EXECUTABLE, ICON_SIZES (with "|" between sizes)
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
    ${BINDIR}/${EXECUTABLE}
    ${DATADIR}/applications/${APP_ID}.desktop
    ${DATADIR}/metainfo/${APP_ID}.metainfo.xml
    ${DATADIR}/icons/hicolor/scalable/apps/${APP_ID}.svg
    ${DOCDIR}/README.md
    ${DOCDIR}/docs/teacher-guide.bg.md
    ${DOCDIR}/docs/screenshot.png)
string(REPLACE "|" ";" sizes "${ICON_SIZES}")
foreach(size IN LISTS sizes)
    list(APPEND expected ${DATADIR}/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
foreach(file IN LISTS expected)
    if(NOT EXISTS "${PREFIX}/${file}")
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()

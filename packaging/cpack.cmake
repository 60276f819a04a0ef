# The Debian package, made by `cpack -G DEB` from the install rules (scripts/package.sh).
set(CPACK_PACKAGE_NAME ${QUIZ_EXECUTABLE})
set(CPACK_PACKAGE_VENDOR "Real Data Quiz authors")
set(CPACK_PACKAGE_CONTACT "Real Data Quiz authors <authors@realdataquiz.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "quiz: tell a real exchange-rate series from a made-up one")
# CPack puts the summary above this and indents it as Debian's control file wants.
set(CPACK_PACKAGE_DESCRIPTION [=[A quiz for an informatics lesson: the window shows two lists of 43 numbers
side by side, one a real exchange-rate series, the other made up by the
program, and the pupil picks the real one. Five levels make the made-up list
ever closer to real data; the real lists come from six stored series, the
built-in euro reference rates of the European Central Bank (Source: ECB) or
a teacher's own file. Answers can be logged to a CSV file, one per pupil in
a shared class folder, and followed live in a teacher's view.

Тест за часа по информатика: реални или генерирани данни.]=])
set(CPACK_PACKAGE_HOMEPAGE_URL "https://realdataquiz.example.org")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_QUIZ_STRIP ${CMAKE_STRIP})
set(CPACK_QUIZ_PROGRAM ${CMAKE_INSTALL_BINDIR}/${QUIZ_EXECUTABLE})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/debian/strip.cmake)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # realdataquiz_<version>_amd64.deb
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Libraries come from dpkg-shlibdeps; the rest is what it cannot see: plug-ins Qt loads at run
# time, Qt's own Bulgarian texts, and the metric twin of the window's Times New Roman.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-liberation, qt6-qpa-plugins, qt6-wayland, qt6-translations-l10n")

include(CPack)

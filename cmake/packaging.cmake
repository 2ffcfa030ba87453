# A Debian package: cpack --config build/CPackConfig.cmake (or cmake --build build --target package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plenvor)
set(CPACK_PACKAGE_VENDOR Korvane)
set(CPACK_PACKAGE_CONTACT "Korvane <plenvor@korvane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "size a picture to the proportions of your screens")
# The long description; CPack puts the summary before it and a space before each line.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Plenvor keeps a list of screen resolutions and shows, for the width or the\n"
    "height of a source picture, the size the picture must have to match each\n"
    "screen's proportions: a width gives every row's height, a height every row's\n"
    "width, in whole pixels. The list is kept between runs.\n"
    ".\n"
    "There is no menu: rows are added and removed with Ctrl and the keypad's plus\n"
    "and minus, F1 shows the read-me and Esc closes the window. The interface is in\n"
    "Russian.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X11 platform plugin is loaded at run time, so no library link names it. The controls use
# Qt's private accessibility cache, whose binary interface holds within one Qt version only:
# Debian's Qt provides a virtual package for it (qt6-base-abi in Debian 12,
# qt6-base-private-abi in 13), which the package depends on at the version it was built with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
execute_process(COMMAND dpkg-query -W "-f=\${Provides}\n" "libqt6core6*"
    OUTPUT_VARIABLE qt_provides ERROR_QUIET)
string(REGEX MATCH "qt6-base(-private)?-abi \\(= [^)]+\\)" qt_abi "${qt_provides}")
if(qt_abi)
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", ${qt_abi}")
else()
    message(WARNING "No Debian Qt binary interface package found: the package will not name it")
endif()
# Wayland's platform plugin, for sessions without X11.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, fonts-wine, xdg-utils, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)

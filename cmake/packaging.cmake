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
# The X11 platform plugin is loaded at run time, so no library link names it. (The Qt binary
# interface the controls' private accessibility cache needs, qt6-base-abi or
# qt6-base-private-abi at the version built against, comes from Qt's symbols through
# shlibdeps; the package test checks that it is there.)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Wayland's platform plugin, for sessions without X11.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, fonts-wine, xdg-utils, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)

# A Debian package: cpack --config build/CPackConfig.cmake (or cmake --build build --target package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plenvor)
set(CPACK_PACKAGE_VENDOR Korvane)
set(CPACK_PACKAGE_CONTACT "Korvane <plenvor@korvane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "size a picture to the proportions of your screens")
set(CPACK_PACKAGE_DESCRIPTION
    "Plenvor keeps a list of screen resolutions and shows, for a picture's width or\n"
    "height, the size the picture must have to match each screen's proportions.")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "${CPACK_PACKAGE_DESCRIPTION_SUMMARY}\n Plenvor keeps a list of screen resolutions and shows, for a picture's width\n or height, the size the picture must have to match each screen's proportions.\n The interface is in Russian.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X11 platform plugin is loaded at run time, so no library link names it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine, xdg-utils, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)

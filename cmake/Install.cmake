# SPDX-License-Identifier: GPL-3.0-or-later
# Where `cmake --install` puts everything, in the freedesktop places, and the Debian package
# built from the same rules with CPack (cd build-release && cpack).
include(GNUInstallDirs)

if(TARGET zorrit)
    install(TARGETS zorrit RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET vandrel)
    install(TARGETS vandrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

set(_res ${CMAKE_SOURCE_DIR}/resources)
install(FILES ${ZORRIT_HELP_PAGE} DESTINATION ${CMAKE_INSTALL_DATADIR}/zorrit)
install(FILES ${_res}/zorrit.desktop ${_res}/vandrel.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/metainfo/${ZORRIT_APPSTREAM_ID_PREFIX}.zorrit.metainfo.xml
              ${CMAKE_BINARY_DIR}/metainfo/${ZORRIT_APPSTREAM_ID_PREFIX}.vandrel.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${_res}/zorrit.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
foreach(_size IN LISTS ZORRIT_ICON_SIZES)
    foreach(_icon IN LISTS ZORRIT_ICONS)
        get_filename_component(_context ${_icon} DIRECTORY)
        install(FILES ${_res}/icons/hicolor/${_size}x${_size}/${_icon}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/${_context})
    endforeach()
endforeach()
foreach(_icon IN LISTS ZORRIT_ICONS)
    get_filename_component(_context ${_icon} DIRECTORY)
    install(FILES ${_res}/icons/hicolor/scalable/${_icon}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/${_context})
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/man/zorrit.1.gz ${CMAKE_BINARY_DIR}/man/vandrel.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_res}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zorrit)
# GNOME Shell looks for extensions of every user here; each user enables it.
install(DIRECTORY ${ZORRIT_GNOME_EXTENSION_DIR}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/gnome-shell/extensions)

# The Debian package. The caches of MIME types, menu entries, icons and manual pages are
# refreshed by the triggers of shared-mime-info, desktop-file-utils, hicolor-icon-theme and man-db,
# so the package needs no maintainer scripts of its own.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorrit)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR ReDiroriro)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "mouse trail with a tray icon, and its theme wizard")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
string(REGEX REPLACE "^www\\." "" _mail_host "${ZORRIT_WEB_HOST}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Zorrit developers <zorrit@${_mail_host}>")
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://${ZORRIT_WEB_HOST}/")
# The summary above is the first line; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Zorrit adds a trail of five little pictures that follow the mouse pointer as a chain, each in its
own picture-shaped window above the other windows. Themes (.thm files) give the trail its
pictures; the trail can hang at any corner of the pointer, wobble, move fast or slowly and be
see-through. A tray icon leads to the preferences, the themes and the theme gallery.
.
Vandrel, the theme wizard, makes a theme from your own pictures in six steps.")
# Libraries are found from the programs; Qt's X11 platform and GIF/JPEG plug-ins come with
# libqt6gui6, which the programs link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's Wayland platform, for a Wayland session without an X display.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme, xdg-utils, qt6-wayland")
include(CPack)

# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DBUILD_DIR=... -DSTAGE=... -DHAS_ZORRIT=0|1 -DHAS_VANDREL=0|1 -DAPPSTREAM_ID_PREFIX=...
#       -P check_install.cmake
# Every installed file must be in its freedesktop place, and nothing else may be installed.
file(REMOVE_RECURSE ${STAGE})
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE} ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
    RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${errors}")
endif()

set(expected
    usr/share/zorrit/Help.htm
    usr/share/applications/zorrit.desktop
    usr/share/applications/vandrel.desktop
    usr/share/mime/packages/zorrit.xml
    usr/share/man/man1/zorrit.1.gz
    usr/share/man/man1/vandrel.1.gz
    usr/share/doc/zorrit/copyright
    usr/share/metainfo/${APPSTREAM_ID_PREFIX}.zorrit.metainfo.xml
    usr/share/metainfo/${APPSTREAM_ID_PREFIX}.vandrel.metainfo.xml
    usr/share/gnome-shell/extensions/zorrit-pointer@rediroriro.org/metadata.json
    usr/share/gnome-shell/extensions/zorrit-pointer@rediroriro.org/extension.js)
foreach(size 16 22 24 32 48 64 128 256)
    list(APPEND expected
        usr/share/icons/hicolor/${size}x${size}/apps/zorrit.png
        usr/share/icons/hicolor/${size}x${size}/apps/vandrel.png
        usr/share/icons/hicolor/${size}x${size}/mimetypes/application-x-zorrit-theme.png)
endforeach()
list(APPEND expected
    usr/share/icons/hicolor/scalable/apps/zorrit.svg
    usr/share/icons/hicolor/scalable/apps/vandrel.svg
    usr/share/icons/hicolor/scalable/mimetypes/application-x-zorrit-theme.svg)
# The shipped themes: every file the build drew, and at least four themes of them.
file(GLOB themes RELATIVE ${BUILD_DIR}/share/zorrit/themes ${BUILD_DIR}/share/zorrit/themes/*)
list(FILTER themes INCLUDE REGEX "^[a-z]+(-[1-5]\\.(bmp|gif|jpg)|\\.thm)$")
set(theme_files ${themes})
list(FILTER theme_files INCLUDE REGEX "\\.thm$")
list(LENGTH theme_files theme_count)
if(theme_count LESS 4)
    message(FATAL_ERROR "only ${theme_count} shipped themes were drawn")
endif()
list(TRANSFORM themes PREPEND usr/share/zorrit/themes/)
list(APPEND expected ${themes})
# The translations, one per program and language.
file(GLOB translations RELATIVE ${BUILD_DIR}/share/zorrit/translations
     ${BUILD_DIR}/share/zorrit/translations/*.qm)
if(NOT translations MATCHES "zorrit_de\\.qm" OR NOT translations MATCHES "vandrel_de\\.qm")
    message(FATAL_ERROR "the German translations were not built")
endif()
list(TRANSFORM translations PREPEND usr/share/zorrit/translations/)
list(APPEND expected ${translations})
if(HAS_ZORRIT)
    list(APPEND expected usr/bin/zorrit)
endif()
if(HAS_VANDREL)
    list(APPEND expected usr/bin/vandrel)
endif()

file(GLOB_RECURSE installed RELATIVE ${STAGE} ${STAGE}/*)
list(SORT installed)
list(SORT expected)
if(NOT installed STREQUAL expected)
    set(missing ${expected})
    list(REMOVE_ITEM missing ${installed})
    set(extra ${installed})
    list(REMOVE_ITEM extra ${expected})
    message(FATAL_ERROR "installed files differ.\nmissing: ${missing}\nunexpected: ${extra}")
endif()

foreach(program zorrit vandrel)
    if(EXISTS ${STAGE}/usr/bin/${program} AND NOT IS_DIRECTORY ${STAGE}/usr/bin/${program})
        file(READ ${STAGE}/usr/bin/${program} head LIMIT 4 HEX)
        if(NOT head STREQUAL "7f454c46")
            message(FATAL_ERROR "usr/bin/${program} is no program")
        endif()
    endif()
endforeach()

# The menu entries and the MIME package must be acceptable to the desktop's own tools.
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
    execute_process(COMMAND ${VALIDATE} ${STAGE}/usr/share/applications/zorrit.desktop
                            ${STAGE}/usr/share/applications/vandrel.desktop
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT result EQUAL 0 OR NOT out STREQUAL "")
        message(FATAL_ERROR "desktop-file-validate: ${out}")
    endif()
endif()
find_program(UPDATE_MIME update-mime-database)
if(UPDATE_MIME)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_DIRS=${STAGE}/usr/share
                            ${UPDATE_MIME} ${STAGE}/usr/share/mime
                    RESULT_VARIABLE result ERROR_VARIABLE out)
    file(READ ${STAGE}/usr/share/mime/globs2 globs)
    if(NOT result EQUAL 0 OR NOT out STREQUAL "" OR NOT globs MATCHES "application/x-zorrit-theme:\\*\\.thm")
        message(FATAL_ERROR "update-mime-database did not take the package: ${out}")
    endif()
endif()
# What software centres read: valid on its own (offline), and its launchables are the menu
# entries installed beside it.
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
    execute_process(COMMAND ${APPSTREAMCLI} validate-tree --no-net --no-color ${STAGE}/usr
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "appstreamcli validate-tree: ${out}")
    endif()
endif()
file(REMOVE_RECURSE ${STAGE})
message(STATUS "installed file list is complete")

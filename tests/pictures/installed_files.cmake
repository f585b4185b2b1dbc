# Installs the build into a scratch prefix and checks the desktop integration
# that it lays down: the menu entry, the icon in the hicolor theme and the
# metainfo, each valid and pointing at the others.
# cmake -DBUILD_DIR=... -DPREFIX=... -DDESKTOP_ID=... -DDESKTOP_FILE_VALIDATE=... -DAPPSTREAMCLI=... -P
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed")
endif()

set(desktop ${PREFIX}/share/applications/${DESKTOP_ID}.desktop)
set(metainfo ${PREFIX}/share/metainfo/${DESKTOP_ID}.metainfo.xml)
set(icon ${PREFIX}/share/icons/hicolor/48x48/apps/${DESKTOP_ID}.png)
foreach(path ${desktop} ${metainfo} ${icon} ${PREFIX}/bin/dalmiro
        ${PREFIX}/share/man/man6/dalmiro.6.gz)
    if(NOT EXISTS ${path})
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()

file(STRINGS ${desktop} icon_key REGEX "^Icon=")
if(NOT icon_key STREQUAL "Icon=${DESKTOP_ID}")
    message(FATAL_ERROR "the desktop file names icon '${icon_key}', not ${DESKTOP_ID}")
endif()
file(STRINGS ${desktop} exec_key REGEX "^Exec=")
if(NOT exec_key STREQUAL "Exec=dalmiro")
    message(FATAL_ERROR "the desktop file starts '${exec_key}', not the installed dalmiro")
endif()

# A PNG's width and height are big-endian words at bytes 16 and 20.
file(READ ${icon} png_size OFFSET 16 LIMIT 8 HEX)
if(NOT png_size STREQUAL "0000003000000030")
    message(FATAL_ERROR "the installed icon is not 48 x 48 (${png_size})")
endif()

execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${desktop} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate rejects ${desktop}")
endif()
execute_process(COMMAND ${APPSTREAMCLI} validate-tree --no-net ${PREFIX} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "appstreamcli rejects the installed tree")
endif()

# Installs the build into a scratch prefix and checks the desktop integration
# that it lays down: the menu entry, the icon in the hicolor theme and the
# metainfo, each valid and pointing at the others.
# cmake -DBUILD_DIR=... -DPREFIX=... -DDESKTOP_ID=... -DICON_SIZES=16,22,...
#       -DDESKTOP_FILE_VALIDATE=... -DAPPSTREAMCLI=... -P
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed")
endif()

set(desktop ${PREFIX}/share/applications/${DESKTOP_ID}.desktop)
set(metainfo ${PREFIX}/share/metainfo/${DESKTOP_ID}.metainfo.xml)
foreach(path ${desktop} ${metainfo} ${PREFIX}/bin/dalmiro
        ${PREFIX}/share/man/man6/dalmiro.6.gz)
    if(NOT EXISTS ${path})
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()

# The icon at every size, each a PNG of its size in the hicolor theme. A PNG's
# width and height are big-endian words at bytes 16 and 20.
string(REPLACE "," ";" icon_sizes "${ICON_SIZES}")
foreach(side ${icon_sizes})
    set(icon ${PREFIX}/share/icons/hicolor/${side}x${side}/apps/${DESKTOP_ID}.png)
    if(NOT EXISTS ${icon})
        message(FATAL_ERROR "not installed: ${icon}")
    endif()
    file(READ ${icon} png_size OFFSET 16 LIMIT 8 HEX)
    math(EXPR want "${side}" OUTPUT_FORMAT HEXADECIMAL)
    string(REPLACE "0x" "" want ${want})
    string(LENGTH ${want} digits)
    math(EXPR pad "8 - ${digits}")
    string(REPEAT "0" ${pad} zeros)
    set(want "${zeros}${want}")
    if(NOT png_size STREQUAL "${want}${want}")
        message(FATAL_ERROR "the installed ${side} icon is not ${side} x ${side} (${png_size})")
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

execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${desktop} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate rejects ${desktop}")
endif()
execute_process(COMMAND ${APPSTREAMCLI} validate-tree --no-net ${PREFIX} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "appstreamcli rejects the installed tree")
endif()

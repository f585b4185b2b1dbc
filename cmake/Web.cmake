# The program as a web page (see tools/build-web.sh and the README's "Play in
# the browser"): Qt for WebAssembly, static and single-threaded.
#
# - The draw unwinds with a C++ exception when the window goes away:
#   -fexceptions when compiling and linking.
# - The draw waits inside the click, in the event pump: asyncify lets it
#   suspend there and give the browser its turn; -Os keeps the code small.
# - The pictures painted at 3 stay out (resources/paintedscales.h).
# - The target dalmiro_page lays out the folder to serve: index.html, the
#   program, Qt's loader and the icon.

add_compile_options(-fexceptions)
# Pictures painted at 1 and 2 only: see resources/paintedscales.h.
set(DALMIRO_LARGEST_PICTURE_SCALE 2)
add_link_options(-fexceptions -sASYNCIFY -Os)

# The page holds the window at its own size, read from the layout.
file(STRINGS ${PROJECT_SOURCE_DIR}/app/layout.h window_size REGEX "kWindowSize\\{")
if(NOT window_size MATCHES "\\{([0-9]+), ([0-9]+)\\}")
    message(FATAL_ERROR "No kWindowSize{W, H} in app/layout.h")
endif()
set(DALMIRO_WINDOW_WIDTH ${CMAKE_MATCH_1})
set(DALMIRO_WINDOW_HEIGHT ${CMAKE_MATCH_2})

function(dalmiro_add_web_page)
    set(page ${CMAKE_BINARY_DIR}/page)
    set(icons ${DALMIRO_ICON_DIR})
    configure_file(${PROJECT_SOURCE_DIR}/resources/web/index.html.in ${page}/index.html @ONLY)
    add_custom_target(dalmiro_page ALL
        COMMAND ${CMAKE_COMMAND} -E copy_if_different
            $<TARGET_FILE_DIR:dalmiro>/dalmiro.js $<TARGET_FILE_DIR:dalmiro>/dalmiro.wasm
            $<TARGET_FILE_DIR:dalmiro>/qtloader.js ${page}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${icons}/32.png ${page}/icon-32.png
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${icons}/256.png ${page}/icon-256.png
        COMMENT "Laying out the page in ${page}"
        VERBATIM)
    add_dependencies(dalmiro_page dalmiro dalmiropictures)
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL dalmiro_add_web_page)

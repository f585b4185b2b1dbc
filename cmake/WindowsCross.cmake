# A Windows build made on another machine with MinGW-w64 (see
# tools/build-windows.sh and the README's "Windows" section).
#
# - The pictures are painted on the build machine: DALMIRO_HOST_PAINTER names
#   the painter built there with the host's Qt, so that the Windows program
#   carries the very bytes the native build does.
# - Where Wine is found, every target runs under it through a small launcher
#   (wine-run.sh in the build directory): ctest, the discovery of the
#   GoogleTest cases and the end-to-end test all go through it.
# - The target dalmiro_package lays out the folder a person unpacks and zips it;
#   dalmiro_msi makes the installer of that folder.
# - Dalmiro.exe is hardened, and two builds of the same sources give the same
#   files, byte for byte.

# Hardening for everything built here. The stack protector's and FORTIFY's
# checks live in MinGW's libssp, linked in statically so that the program
# needs no libssp-0.dll (the compiler adds -lssp, the DLL's import library,
# only when it is given -fstack-protector at link time, which CMake does not
# do). ASLR with high-entropy addresses and NX are the linker's defaults; the
# executable is marked terminal-server aware, and no link timestamp goes into
# the files, so that the same commit builds to the same bytes.
add_compile_options(-fstack-protector-strong)
add_compile_definitions(_FORTIFY_SOURCE=2)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libssp.a
    OUTPUT_VARIABLE DALMIRO_LIBSSP OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT IS_ABSOLUTE "${DALMIRO_LIBSSP}" OR NOT EXISTS "${DALMIRO_LIBSSP}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} has no static libssp.a")
endif()
link_libraries(${DALMIRO_LIBSSP})
add_link_options(-Wl,--tsaware -Wl,--no-insert-timestamp)
# rcc writes each embedded file's modification time into the program, which
# is the time the pictures were painted: every rule runs with one fixed date
# for it (2000-01-01, as in the zip) instead.
set_property(GLOBAL PROPERTY RULE_LAUNCH_CUSTOM
    "${CMAKE_COMMAND} -E env QT_RCC_SOURCE_DATE_OVERRIDE=946684800")

# The MinGW runtime the compiler links against, and Qt's own DLLs.
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(path "${path}" REALPATH)
    if(NOT EXISTS "${path}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is")
    endif()
    list(APPEND DALMIRO_MINGW_RUNTIME "${path}")
    get_filename_component(dir "${path}" DIRECTORY)
    list(APPEND DALMIRO_MINGW_RUNTIME_DIRS "${dir}")
endforeach()
list(REMOVE_DUPLICATES DALMIRO_MINGW_RUNTIME_DIRS)
set(DALMIRO_QT_DIR "${QT6_INSTALL_PREFIX}")

find_program(DALMIRO_WINE NAMES wine64 PATHS /usr/lib/wine /usr/lib64/wine NO_DEFAULT_PATH)
find_program(DALMIRO_WINE NAMES wine64)
find_program(DALMIRO_WINESERVER NAMES wineserver64 wineserver PATHS /usr/lib/wine /usr/lib64/wine
    NO_DEFAULT_PATH)
find_program(DALMIRO_WINESERVER NAMES wineserver)
if(DALMIRO_WINE AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(DALMIRO_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH
        "The Wine prefix the tests run in; made on first use")
    set(DALMIRO_TEST_FONT_DIR /usr/share/fonts/truetype/dejavu CACHE PATH
        "Fonts for the tests on Qt's offscreen platform under Wine")
    # Wine looks for DLLs in the executable's folder, then along WINEPATH.
    set(wine_path "${DALMIRO_QT_DIR}/bin" ${DALMIRO_MINGW_RUNTIME_DIRS})
    list(TRANSFORM wine_path PREPEND "Z:")
    list(JOIN wine_path ";" DALMIRO_WINE_PATH)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
        @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
        WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
endif()

# The unit tests under Wine leave out the four cases that measure glyphs to the
# pixel and fail with full hinting: Qt's offscreen platform on Windows
# rasterises DejaVu with FreeType's full hinting, where fontconfig asks for
# slight hinting on Linux, and the ink moves by a pixel or two (the same four
# fail on Linux under a fontconfig set to full hinting). The window's text is
# seen whole in the end-to-end draw.
set(DALMIRO_CROSS_TEST_FILTER "-Captions/CaptionTest.IsCentredFromTheTopAndClippedToItsBox/0\
:Captions/CaptionTest.IsCentredFromTheTopAndClippedToItsBox/3\
:AllResults/NumberOnPlateTest.EveryDigitPixelFallsOnThePlate/0\
:AllResults/NumberOnPlateTest.EveryDigitPixelFallsOnThePlate/2")

# The folder a person unpacks, and its zip: Dalmiro.exe with every DLL and
# plugin it loads beside it (see WindowsPackage.cmake); and the installer made
# of it by wixl (packaging/windows/dalmiro.wxs), whose product version is the
# project's first three numbers.
find_program(DALMIRO_WIXL wixl REQUIRED)
set(DALMIRO_MSI_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
function(dalmiro_add_windows_package)
    set(name Dalmiro-${DALMIRO_PACKAGE_VERSION}-win64)
    add_custom_target(dalmiro_package ALL
        COMMAND ${CMAKE_COMMAND}
            -DEXECUTABLE=$<TARGET_FILE:dalmiro>
            -DQT_DIR=${DALMIRO_QT_DIR}
            "-DRUNTIME=${DALMIRO_MINGW_RUNTIME}"
            -DSTRIP=${CMAKE_STRIP}
            -DOUTPUT=${CMAKE_BINARY_DIR}/package
            -DNAME=${name}
            -P ${PROJECT_SOURCE_DIR}/cmake/WindowsPackage.cmake
        COMMENT "Packing ${name}.zip"
        VERBATIM)
    add_dependencies(dalmiro_package dalmiro)

    # The installer of the same folder, beside the zip. wixl takes only
    # relative paths, so it runs in the package folder's parent, with the icon
    # (the very .ico the executable carries) copied beside it.
    add_custom_target(dalmiro_msi ALL
        COMMAND ${CMAKE_COMMAND} -E copy_if_different
            ${PROJECT_BINARY_DIR}/resources/pictures/icon.ico ${name}.ico
        COMMAND ${DALMIRO_WIXL} --arch x64 -D Version=${DALMIRO_MSI_VERSION}
            -D SourceDir=${name} -D IconFile=${name}.ico
            -o ${name}.msi ${PROJECT_SOURCE_DIR}/packaging/windows/dalmiro.wxs
        WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/package
        COMMENT "Building ${name}.msi"
        VERBATIM)
    add_dependencies(dalmiro_msi dalmiro_package dalmiropictures)
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL dalmiro_add_windows_package)

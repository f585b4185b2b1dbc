# Lays out the Windows package and zips it: cmake -P WindowsPackage.cmake with
#   EXECUTABLE  the built Dalmiro.exe
#   QT_DIR      the Qt for MinGW it was built with
#   RUNTIME     the MinGW runtime DLLs (a list)
#   STRIP       the target's strip, if any
#   OUTPUT      where to put the folder NAME and NAME.zip
# The folder is made afresh each time; the zip holds the folder.
foreach(var EXECUTABLE QT_DIR RUNTIME OUTPUT NAME)
    if(NOT ${var})
        message(FATAL_ERROR "WindowsPackage.cmake: ${var} is not set")
    endif()
endforeach()

set(folder ${OUTPUT}/${NAME})
file(REMOVE_RECURSE ${folder} ${OUTPUT}/${NAME}.zip)
file(MAKE_DIRECTORY ${folder}/platforms ${folder}/styles)

file(COPY ${EXECUTABLE} DESTINATION ${folder})
foreach(module Core Gui Widgets)
    file(COPY ${QT_DIR}/bin/Qt6${module}.dll DESTINATION ${folder})
endforeach()
file(COPY ${QT_DIR}/plugins/platforms/qwindows.dll DESTINATION ${folder}/platforms)
file(COPY ${QT_DIR}/plugins/styles/qwindowsvistastyle.dll DESTINATION ${folder}/styles)
foreach(dll IN LISTS RUNTIME)
    file(COPY ${dll} DESTINATION ${folder})
endforeach()

# Debian's MinGW runtime keeps its debugging symbols (libstdc++ would be 23
# of the 25 MB): a person's copy goes without. Strip writes a new timestamp
# into each file's header, the time of the run unless SOURCE_DATE_EPOCH says
# otherwise: 0, as the linker leaves it in Dalmiro.exe, so that two builds of
# the same sources give the same files.
file(GLOB_RECURSE binaries ${folder}/*.exe ${folder}/*.dll)
if(STRIP)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0
            ${STRIP} --strip-unneeded ${binaries}
        COMMAND_ERROR_IS_FATAL ANY)
endif()

# Signing, with a code-signing certificate, would go here: the stripped
# Dalmiro.exe (and the DLLs, if they are to carry our signature) signed with a
# timestamp, before the zip and the MSI are made of them; the MSI is signed in
# its turn after wixl writes it. The files are unsigned today.

# Every file dated alike, so that the same build packs to the same zip.
file(GLOB_RECURSE files RELATIVE ${OUTPUT} ${folder}/*)
list(SORT files)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${NAME}.zip --format=zip --mtime=2000-01-01
        -- ${files}
    WORKING_DIRECTORY ${OUTPUT} COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Package: ${OUTPUT}/${NAME}.zip")

# Cross build for 64-bit Windows with Debian's mingw-w64 (the posix thread model: the win32 one
# lacks std::thread and std::mutex). The executables link libgcc, libstdc++ and winpthread
# statically, so that they run under wine, or on Windows, without DLLs beside them; ctest runs
# them through wine, in a wine prefix of the build folder's own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KESTRIX_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KESTRIX_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KESTRIX_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KESTRIX_MINGW}-windres)

# Libraries and packages come from the cross tree only, never the host's (its libgtest is a
# Linux library); programs run at build time are the host's.
set(CMAKE_FIND_ROOT_PATH /usr/${KESTRIX_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

set(KESTRIX_WINE_LOADER /usr/lib/wine/wine64 CACHE FILEPATH "The 64-bit wine loader")
set(KESTRIX_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix CACHE PATH
    "The wine prefix the tests run in; its drive_c is their C: drive")
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_COMMAND} -E env WINEDEBUG=-all WINEPREFIX=${KESTRIX_WINE_PREFIX}
    ${KESTRIX_WINE_LOADER})

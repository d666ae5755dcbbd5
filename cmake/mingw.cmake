# Cross build for Windows with Debian's mingw-w64 toolchain. The toolchain file
# that includes this one sets SETUP_MINGW_TRIPLE (i686 or x86_64).
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${SETUP_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SETUP_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${SETUP_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SETUP_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program runs on a bare Windows: no libstdc++, libgcc or zlib DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# find_package(ZLIB) would otherwise pick libz.dll.a, the import library of zlib1.dll.
set(ZLIB_USE_STATIC_LIBS ON)

# ctest runs the Windows test programs through Wine; wine-run picks the loader
# that fits each program's width.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run")

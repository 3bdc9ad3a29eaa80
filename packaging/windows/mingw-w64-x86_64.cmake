# Cross build for Windows x64 with Debian's mingw-w64 (the posix thread model,
# which std::thread needs). Used by packaging/build-windows.sh through the
# `windows` configure preset.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_AR ${triple}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${triple}-gcc-ranlib-posix CACHE FILEPATH "")

# The mingw-w64 headers and libraries, and the prefix the script builds the
# third-party libraries into; never the build machine's own.
set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${VORNAMI_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No DLL beside Windows' own: the C++ runtime and winpthreads go into every .exe.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

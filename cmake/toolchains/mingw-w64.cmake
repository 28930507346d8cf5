# Shared part of the mingw-w64 cross toolchains; the per-architecture files set
# ZODODE_MINGW_TRIPLE and CMAKE_SYSTEM_PROCESSOR, then include this one.
#
# The -posix thread-model compilers are used: the default win32 variant has no
# std::mutex, which GoogleTest needs. The C++ runtime (libstdc++-6.dll,
# libgcc_s_*.dll, libwinpthread-1.dll) is linked dynamically, so the DLL and
# its clients share one runtime and one heap.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${ZODODE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZODODE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZODODE_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZODODE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

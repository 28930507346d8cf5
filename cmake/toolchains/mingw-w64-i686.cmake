# 32-bit Windows with mingw-w64, the library's original target. Built and
# linked only: no 32-bit Wine is assumed, so no emulator and no test run.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZODODE_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

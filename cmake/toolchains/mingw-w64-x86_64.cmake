# 64-bit Windows with mingw-w64. The tests run under 64-bit Wine; the test
# preset (CMakePresets.json, mingw-x64) gives Wine its prefix, the ANSI code
# page (LANG=C: 1252) and WINEPATH, where it finds the MinGW runtime DLLs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZODODE_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

find_program(ZODODE_WINE NAMES wine wine64 PATHS /usr/lib/wine)
if(ZODODE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZODODE_WINE})
endif()

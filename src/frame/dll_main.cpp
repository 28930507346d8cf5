// Windows module entry. Loading only switches off the per-thread attach and
// detach notifications; the library has nothing to set up or tear down.
// Only the DLL has it (see src/CMakeLists.txt); other builds have no entry.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(module);
  return TRUE;
}

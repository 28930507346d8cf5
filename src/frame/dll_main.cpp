// Windows module entry. Loading only switches off the per-thread attach and
// detach notifications; the library has nothing to set up or tear down.
// Elsewhere a shared object runs nothing of its own at load (the file is
// built for Windows only).
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(module);
  return TRUE;
}

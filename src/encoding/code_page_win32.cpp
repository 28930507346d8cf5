// The converter of the Windows build: the system's own code-page calls, with
// flags 0, a source length of -1 (NUL-terminated, the NUL converted too) and,
// wide to narrow, neither a default character nor a report of its use.
#if defined(_WIN32)

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "encoding/code_page.h"

namespace zodode::detail {
namespace {

int win32_to_wide(unsigned code_page, const char* in, wchar_t* out, int cap) {
  return MultiByteToWideChar(code_page, 0, in, -1, out, cap);
}

int win32_to_bytes(unsigned code_page, const wchar_t* in, char* out, int cap) {
  return WideCharToMultiByte(code_page, 0, in, -1, out, cap, nullptr, nullptr);
}

unsigned long win32_last_error() { return GetLastError(); }

// The system converter has no whole-text form.
constexpr code_page_api kWin32CodePages{win32_to_wide, win32_to_bytes, win32_last_error, nullptr,
                                        nullptr};

}  // namespace

const code_page_api& platform_code_pages() { return kWin32CodePages; }

}  // namespace zodode::detail

#endif  // defined(_WIN32)

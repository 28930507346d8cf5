// The converter of the Windows build: the system's own code-page calls, with
// flags 0, a source length of -1 (NUL-terminated, the NUL converted too) and,
// wide to narrow, neither a default character nor a report of its use. Each
// conversion asks for the size, treats 0 as failure, converts into a
// zero-filled buffer of exactly that size, insists on the same count and
// keeps the text up to its first NUL.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "encoding/code_page.h"

namespace zodode::detail {
namespace {

using step = conversion_failure::step;

int to_wide_call(unsigned code_page, const char* in, wchar_t* out, int cap) {
  return MultiByteToWideChar(code_page, 0, in, -1, out, cap);
}

int to_bytes_call(unsigned code_page, const wchar_t* in, char* out, int cap) {
  return WideCharToMultiByte(code_page, 0, in, -1, out, cap, nullptr, nullptr);
}

template <typename Source, typename Unit>
conversion_failure convert(int (*call)(unsigned, const Source*, Unit*, int), unsigned code_page,
                           const Source* text, std::basic_string<Unit>& out) {
  const int size = call(code_page, text, nullptr, 0);
  if (size == 0) return {step::size_query, GetLastError()};
  constexpr auto kMaxUnits = static_cast<std::size_t>(PTRDIFF_MAX) / sizeof(Unit);
  if (size < 0 || static_cast<std::size_t>(size) > kMaxUnits) return {step::buffer, 0};
  out.assign(static_cast<std::size_t>(size), Unit());
  if (call(code_page, text, &out[0], size) != size) return {step::count_differs, 0};
  out.resize(std::char_traits<Unit>::length(out.c_str()));
  return {};
}

}  // namespace

conversion_failure platform_to_wide(unsigned code_page, std::string_view text, std::wstring& out) {
  return convert(to_wide_call, code_page, text.data(), out);
}

conversion_failure platform_to_bytes(unsigned code_page, std::wstring_view text, std::string& out) {
  return convert(to_bytes_call, code_page, text.data(), out);
}

}  // namespace zodode::detail

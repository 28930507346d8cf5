// The code-page seam: every conversion between wide text and a code page goes
// through a code_page_api, the platform's converter (the Windows calls, or the
// portable converter elsewhere), so the conversion routines are written once
// and tests can plug in a converter that fails.
#ifndef ZODODE_ENCODING_CODE_PAGE_H
#define ZODODE_ENCODING_CODE_PAGE_H

#include <string>
#include <string_view>

#include "zWString.h"

namespace zodode::detail {

inline constexpr unsigned kCodePageUtf8 = 65001;
inline constexpr unsigned kCodePageAnsi = 0;  // "Latin1"

// Same contract as MultiByteToWideChar / WideCharToMultiByte with flags 0 and a
// source length of -1: the source is NUL-terminated and its NUL is converted
// too. With cap 0 (and out null) the call returns the size needed, NUL
// included; otherwise it returns the units written. 0 means failure, and
// last_error() then gives the reason's code.
//
// A converter may also have whole-text forms (null where it has none): the
// text, whose length is known and which a NUL follows, converted straight into
// out with exactly the result of the two calls (the wide text ending at its
// first NUL). They return false, out unspecified, when the result might not
// fit the calls' int count; the caller then takes the two calls, which decide.
struct code_page_api {
  int (*to_wide)(unsigned code_page, const char* in, wchar_t* out, int cap);
  int (*to_bytes)(unsigned code_page, const wchar_t* in, char* out, int cap);
  unsigned long (*last_error)();
  bool (*to_wide_whole)(unsigned code_page, std::string_view in, std::wstring& out);
  bool (*to_bytes_whole)(unsigned code_page, std::wstring_view in, std::string& out);
};

// The converter of this build: code_page_win32.cpp or code_page_portable.cpp.
const code_page_api& platform_code_pages();

// Which code page a narrow-to-wide conversion reads and how its two failures
// are told: the size query's message is built from the source text (and the
// converter's last error), the count mismatch has a fixed text.
struct to_wide_route {
  unsigned code_page;
  std::string (*size_failure)(const code_page_api& api, std::string_view text);
  const char* count_failure;
};

extern const to_wide_route kUtf8ToWide;
extern const to_wide_route kLatin1ToWide;

// The two conversion bodies every routine below runs: size query, failure
// check, zero-filled working buffer, conversion, count check, result up to
// the first NUL. Failures throw through throw_message (a working buffer past
// the vector maximum through throw_vector_too_long); nothing else changes.
// The whole-text form runs first where the converter has one. text is read up
// to its first NUL; the char* form serves a source without an embedded NUL
// (a zString's text), which it needs not copy. The wide text must have a NUL
// after it.
std::wstring code_page_to_wide(const code_page_api& api, const to_wide_route& route,
                               const std::string& text);
std::wstring code_page_to_wide(const code_page_api& api, const to_wide_route& route,
                               const char* text);
std::string wide_to_code_page(const code_page_api& api, unsigned code_page, std::wstring_view text);

// The four conversion routines, for callers outside zWString's code-page
// members (which fill their own text through the two bodies above).
inline zWString utf8_to_wide(const std::string& text,
                             const code_page_api& api = platform_code_pages()) {
  return zWString(code_page_to_wide(api, kUtf8ToWide, text));
}
inline zWString latin1_to_wide(const std::string& text,
                               const code_page_api& api = platform_code_pages()) {
  return zWString(code_page_to_wide(api, kLatin1ToWide, text));
}
inline std::string wide_to_utf8(const zWString& text,
                                const code_page_api& api = platform_code_pages()) {
  return wide_to_code_page(api, kCodePageUtf8, std::wstring_view(text.c_str(), text.length()));
}
inline std::string wide_to_latin1(const zWString& text,
                                  const code_page_api& api = platform_code_pages()) {
  return wide_to_code_page(api, kCodePageAnsi, std::wstring_view(text.c_str(), text.length()));
}

}  // namespace zodode::detail

#endif  // ZODODE_ENCODING_CODE_PAGE_H

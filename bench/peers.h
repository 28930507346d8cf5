// The peers the library is measured against: the same job done by glibc,
// ICU, OpenSSL and the standard library, or by the straightforward loop a
// programmer would write. Each returns its result so the benchmark can check
// it against the library's before timing anything.
#ifndef ZODODE_BENCH_PEERS_H
#define ZODODE_BENCH_PEERS_H

#include <iconv.h>
#include <locale.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace bench {

// One iconv descriptor, opened once (opening is not part of the job).
class iconv_peer {
 public:
  iconv_peer(const char* to, const char* from);
  ~iconv_peer();
  iconv_peer(const iconv_peer&) = delete;
  iconv_peer& operator=(const iconv_peer&) = delete;

  // Bytes to wide units; the input is valid in the source code page.
  std::wstring to_wide(const std::string& in);
  // Wide units to bytes; a unit the target lacks becomes '?' and conversion goes on.
  std::string to_bytes(const std::wstring& in);

 private:
  iconv_t cd_;
};

// Switches the calling thread to the C.UTF-8 locale for its lifetime.
class utf8_locale_scope {
 public:
  utf8_locale_scope();
  ~utf8_locale_scope();
  utf8_locale_scope(const utf8_locale_scope&) = delete;
  utf8_locale_scope& operator=(const utf8_locale_scope&) = delete;

 private:
  locale_t utf8_;
  locale_t previous_;
};

// The least that a std::wstring result of `units` units costs: the capacity
// reserved once, then the string grown by resize in rounds of 2048 units, as
// the library's rounds grow theirs, each round zero filled and nothing else
// written. Any conversion into a std::wstring pays for this zero fill (C++17
// has no way to grow one without it).
std::wstring result_floor(std::size_t units);

// mbstowcs / wcstombs with the same size-query-then-convert shape.
std::wstring mbstowcs_peer(const std::string& in);
std::string wcstombs_peer(const std::wstring& in);

// ICU: UTF-8 to UTF-16, and on to UTF-32; UTF-32 to UTF-16 to UTF-8.
std::u16string icu_utf8_to_utf16(const std::string& in);
std::wstring icu_utf8_to_utf32(const std::string& in);
std::string icu_utf32_to_utf8(const std::wstring& in);

// Base64 into a fresh buffer: OpenSSL's encoder (64-column lines, each ending
// in "\n") and a straightforward table loop (76-column lines, as the library).
struct byte_buffer {
  std::unique_ptr<char[]> bytes;
  std::size_t size = 0;
};
byte_buffer openssl_base64(const std::string& in);
byte_buffer simple_base64(const std::string& in);

// RTF escaping the straightforward way, one unit at a time, into a buffer
// already sized for the output; rtf_size gives that size.
std::size_t rtf_size(const std::wstring& in);
std::size_t simple_rtf(const std::wstring& in, char* out);
std::size_t simple_rtf(const std::wstring& in, wchar_t* out);

// Split and join with standard containers, with the library's rules: the
// narrow split keeps no trailing empty field, the wide split does.
std::vector<std::string> std_split(const std::string& text, char separator);
std::string std_join(const std::vector<std::string>& list, char separator);
std::vector<std::wstring> std_split(const std::wstring& text, wchar_t separator);
std::wstring std_join(const std::vector<std::wstring>& list, wchar_t separator);

}  // namespace bench

#endif  // ZODODE_BENCH_PEERS_H

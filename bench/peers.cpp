#include "peers.h"

#include <openssl/evp.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

namespace bench {

iconv_peer::iconv_peer(const char* to, const char* from) : cd_(iconv_open(to, from)) {
  if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
}

iconv_peer::~iconv_peer() { iconv_close(cd_); }

std::wstring iconv_peer::to_wide(const std::string& in) {
  std::wstring out(in.size(), L'\0');  // one unit per byte at most
  char* src = const_cast<char*>(in.data());
  std::size_t left = in.size();
  char* dst = reinterpret_cast<char*>(out.data());
  std::size_t room = out.size() * sizeof(wchar_t);
  if (iconv(cd_, &src, &left, &dst, &room) == static_cast<std::size_t>(-1)) {
    throw std::runtime_error("iconv to wide failed");
  }
  out.resize(out.size() - room / sizeof(wchar_t));
  return out;
}

std::string iconv_peer::to_bytes(const std::wstring& in) {
  std::string out(in.size() * 4, '\0');
  char* src = reinterpret_cast<char*>(const_cast<wchar_t*>(in.data()));
  std::size_t left = in.size() * sizeof(wchar_t);
  char* dst = out.data();
  std::size_t room = out.size();
  while (iconv(cd_, &src, &left, &dst, &room) == static_cast<std::size_t>(-1)) {
    if (errno != EILSEQ) throw std::runtime_error("iconv to bytes failed");
    *dst++ = '?';  // the library's replacement for a character the code page lacks
    --room;
    src += sizeof(wchar_t);
    left -= sizeof(wchar_t);
  }
  out.resize(out.size() - room);
  return out;
}

std::wstring result_floor(std::size_t units) {
  std::wstring out;
  out.reserve(units);
  while (out.size() < units) out.resize(std::min(units, out.size() + 2048));
  return out;
}

utf8_locale_scope::utf8_locale_scope()
    : utf8_(newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr))),
      previous_(uselocale(utf8_)) {
  if (utf8_ == static_cast<locale_t>(nullptr)) throw std::runtime_error("no C.UTF-8 locale");
}

utf8_locale_scope::~utf8_locale_scope() {
  uselocale(previous_);
  freelocale(utf8_);
}

std::wstring mbstowcs_peer(const std::string& in) {
  const std::size_t n = std::mbstowcs(nullptr, in.c_str(), 0);
  if (n == static_cast<std::size_t>(-1)) throw std::runtime_error("mbstowcs failed");
  std::wstring out(n, L'\0');
  std::mbstowcs(out.data(), in.c_str(), n);
  return out;
}

std::string wcstombs_peer(const std::wstring& in) {
  const std::size_t n = std::wcstombs(nullptr, in.c_str(), 0);
  if (n == static_cast<std::size_t>(-1)) throw std::runtime_error("wcstombs failed");
  std::string out(n, '\0');
  std::wcstombs(out.data(), in.c_str(), n);
  return out;
}

std::u16string icu_utf8_to_utf16(const std::string& in) {
  std::u16string out(in.size(), u'\0');
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8(out.data(), static_cast<int32_t>(out.size()), &length, in.data(),
                static_cast<int32_t>(in.size()), &status);
  if (U_FAILURE(status)) throw std::runtime_error("u_strFromUTF8 failed");
  out.resize(static_cast<std::size_t>(length));
  return out;
}

std::wstring icu_utf8_to_utf32(const std::string& in) {
  const std::u16string utf16 = icu_utf8_to_utf16(in);
  std::wstring out(utf16.size(), L'\0');
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strToUTF32(reinterpret_cast<UChar32*>(out.data()), static_cast<int32_t>(out.size()), &length,
               utf16.data(), static_cast<int32_t>(utf16.size()), &status);
  if (U_FAILURE(status)) throw std::runtime_error("u_strToUTF32 failed");
  out.resize(static_cast<std::size_t>(length));
  return out;
}

std::string icu_utf32_to_utf8(const std::wstring& in) {
  std::u16string utf16(in.size() * 2, u'\0');
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF32(utf16.data(), static_cast<int32_t>(utf16.size()), &length,
                 reinterpret_cast<const UChar32*>(in.data()), static_cast<int32_t>(in.size()),
                 &status);
  if (U_FAILURE(status)) throw std::runtime_error("u_strFromUTF32 failed");
  std::string out(in.size() * 4, '\0');
  int32_t bytes = 0;
  u_strToUTF8(out.data(), static_cast<int32_t>(out.size()), &bytes, utf16.data(), length, &status);
  if (U_FAILURE(status)) throw std::runtime_error("u_strToUTF8 failed");
  out.resize(static_cast<std::size_t>(bytes));
  return out;
}

byte_buffer openssl_base64(const std::string& in) {
  const int n = static_cast<int>(in.size());
  byte_buffer out;
  out.bytes.reset(new char[EVP_ENCODE_LENGTH(n)]);
  EVP_ENCODE_CTX* ctx = EVP_ENCODE_CTX_new();
  EVP_EncodeInit(ctx);
  int written = 0;
  int tail = 0;
  auto* dst = reinterpret_cast<unsigned char*>(out.bytes.get());
  EVP_EncodeUpdate(ctx, dst, &written, reinterpret_cast<const unsigned char*>(in.data()), n);
  EVP_EncodeFinal(ctx, dst + written, &tail);
  EVP_ENCODE_CTX_free(ctx);
  out.size = static_cast<std::size_t>(written + tail);
  return out;
}

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

char* encode_group(const unsigned char* in, char* out) {
  const std::uint32_t v = (std::uint32_t{in[0]} << 16) | (std::uint32_t{in[1]} << 8) | in[2];
  out[0] = kAlphabet[v >> 18];
  out[1] = kAlphabet[(v >> 12) & 63];
  out[2] = kAlphabet[(v >> 6) & 63];
  out[3] = kAlphabet[v & 63];
  return out + 4;
}

template <typename Char>
Char* escape(Char* out, std::uint32_t c) {
  char digits[8];
  const char* end = std::to_chars(digits, digits + sizeof digits, c).ptr;
  *out++ = '\\';
  *out++ = 'u';
  for (const char* d = digits; d != end; ++d) *out++ = static_cast<Char>(*d);
  *out++ = '?';
  return out;
}

template <typename Char>
std::size_t rtf_loop(const std::wstring& in, Char* out) {
  Char* p = out;
  for (wchar_t wc : in) {
    auto c = static_cast<std::uint32_t>(wc);
    if (c <= 0x7F) {
      *p++ = static_cast<Char>(c);
    } else if (c == 0xFEFF) {
      continue;
    } else if (c >= 0x10000 && c <= 0x10FFFF) {
      p = escape(p, 0xD800 + ((c - 0x10000) >> 10));
      p = escape(p, 0xDC00 + (c & 0x3FF));
    } else {
      p = escape(p, c > 0x10FFFF ? 0xFFFD : c);
    }
  }
  return static_cast<std::size_t>(p - out);
}

std::size_t escape_size(std::uint32_t c) { return c < 1000 ? 6 : c < 10000 ? 7 : 8; }

}  // namespace

byte_buffer simple_base64(const std::string& in) {
  const auto* src = reinterpret_cast<const unsigned char*>(in.data());
  const std::size_t n = in.size();
  const std::size_t groups = (n + 2) / 3;
  byte_buffer out;
  out.size = groups * 4 + groups / 19;
  out.bytes.reset(new char[out.size]);
  char* p = out.bytes.get();
  std::size_t i = 0;
  for (; n - i >= 57; i += 57) {
    for (int g = 0; g < 19; ++g) p = encode_group(src + i + 3 * g, p);
    *p++ = '\n';
  }
  for (; n - i >= 3; i += 3) p = encode_group(src + i, p);
  if (i < n) {
    const unsigned char last[3] = {src[i], static_cast<unsigned char>(i + 1 < n ? src[i + 1] : 0),
                                   0};
    encode_group(last, p);
    p[3] = '=';
    if (i + 1 == n) p[2] = '=';
    p += 4;
  }
  if (groups % 19 == 0 && n % 57 != 0) *p++ = '\n';
  return out;
}

std::size_t rtf_size(const std::wstring& in) {
  std::size_t n = 0;
  for (wchar_t wc : in) {
    const auto c = static_cast<std::uint32_t>(wc);
    if (c <= 0x7F) {
      n += 1;
    } else if (c == 0xFEFF) {
      continue;
    } else if (c >= 0x10000 && c <= 0x10FFFF) {
      n += escape_size(0xD800 + ((c - 0x10000) >> 10)) + escape_size(0xDC00 + (c & 0x3FF));
    } else {
      n += escape_size(c > 0x10FFFF ? 0xFFFD : c);
    }
  }
  return n;
}

std::size_t simple_rtf(const std::wstring& in, char* out) { return rtf_loop(in, out); }

std::size_t simple_rtf(const std::wstring& in, wchar_t* out) { return rtf_loop(in, out); }

std::vector<std::string> std_split(const std::string& text, char separator) {
  std::vector<std::string> out;
  std::size_t p = 0;
  while (p < text.size()) {
    const std::size_t q = text.find(separator, p);
    if (q == std::string::npos) {
      out.emplace_back(text, p);
      break;
    }
    out.emplace_back(text, p, q - p);
    p = q + 1;
  }
  return out;
}

std::string std_join(const std::vector<std::string>& list, char separator) {
  std::string out;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i > 0) out += separator;
    out += list[i];
  }
  return out;
}

std::vector<std::wstring> std_split(const std::wstring& text, wchar_t separator) {
  std::vector<std::wstring> out;
  std::size_t p = 0;
  for (;;) {
    const std::size_t q = text.find(separator, p);
    if (q == std::wstring::npos) {
      out.emplace_back(text, p);
      return out;
    }
    out.emplace_back(text, p, q - p);
    p = q + 1;
  }
}

std::wstring std_join(const std::vector<std::wstring>& list, wchar_t separator) {
  std::wstring out;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i > 0) out += separator;
    out += list[i];
  }
  return out;
}

}  // namespace bench

// zWString construction, assignment, access, the standard-style editing
// members, concatenation and comparison.
#include <cwchar>

#include "wide/wide_text.h"
#include "zWString.h"

using zodode::detail::check_new_size;
using zodode::detail::check_position;
using zodode::detail::clip_count;
using zodode::detail::compare_units;
using zodode::detail::concat_units;
using zodode::detail::kWideMaxSize;
using zodode::detail::replace_units;
using zodode::detail::utf16_to_wide;
using zodode::detail::widen_char;

zWString::zWString() = default;

zWString::zWString(const zWString& s) = default;

zWString::zWString(const std::wstring& s) : str_(s) {}

zWString::zWString(const wchar_t* s) : str_(s) {}

#if WCHAR_MAX > 0xFFFF
zWString::zWString(const unsigned short* s) : str_(utf16_to_wide(s)) {}
#else
zWString::zWString(const unsigned short* s) : str_(reinterpret_cast<const wchar_t*>(s)) {}
#endif

zWString::zWString(wchar_t c) : str_(1, c) {}

zWString::~zWString() = default;

zWString& zWString::operator=(const zWString& s) {
  str_ = s.str_;
  return *this;
}

// assign() copies before it releases the old buffer, so s may point into it.
zWString& zWString::operator=(const wchar_t* s) {
  str_.assign(s);
  return *this;
}

#if WCHAR_MAX > 0xFFFF
zWString& zWString::operator=(const unsigned short* s) {
  str_ = utf16_to_wide(s);
  return *this;
}
#else
zWString& zWString::operator=(const unsigned short* s) {
  return *this = reinterpret_cast<const wchar_t*>(s);
}
#endif

const wchar_t* zWString::c_str() const { return str_.c_str(); }

const wchar_t* zWString::data() const { return str_.c_str(); }

unsigned int zWString::size() const { return static_cast<unsigned int>(str_.size()); }

unsigned int zWString::length() const { return size(); }

unsigned int zWString::max_size() const { return static_cast<unsigned int>(kWideMaxSize); }

bool zWString::empty() const { return str_.empty(); }

wchar_t& zWString::operator[](const unsigned int& i) { return str_[i]; }

const wchar_t& zWString::operator[](const unsigned int& i) const { return str_[i]; }

std::wstring zWString::getWStringData() const { return str_; }

zWString::operator std::wstring() const { return str_; }

void zWString::resize(unsigned int n) {
  check_new_size(n);
  str_.resize(n);
}

std::wstring& zWString::assign(unsigned int n, char c) {
  check_new_size(n);
  return str_.assign(n, widen_char(c));
}

zWString& zWString::append(unsigned int n, wchar_t c) {
  check_new_size(std::uint64_t{str_.size()} + n);
  str_.append(n, c);
  return *this;
}

std::wstring& zWString::erase(unsigned int pos, unsigned int n) {
  return replace_units(str_, pos, n, L"", 0);
}

std::wstring zWString::substr(unsigned int pos, unsigned int n) const {
  check_position(pos, str_.size());
  return str_.substr(pos, clip_count(str_.size(), pos, n));
}

std::wstring& zWString::replace(unsigned int pos, unsigned int n, const zWString& s) {
  return replace_units(str_, pos, n, s.str_.data(), s.str_.size());
}

std::wstring& zWString::replace(unsigned int pos, unsigned int n, const wchar_t* s) {
  return replace_units(str_, pos, n, s, std::wcslen(s));
}

std::wstring& zWString::replace(unsigned int pos, unsigned int n, const std::wstring& s) {
  return replace_units(str_, pos, n, s.data(), s.size());
}

// Negative arguments read as unsigned: a negative count reaches the end, a
// negative start lies past every text and throws.
zWString zWString::operator()(int start, int count) {
  return static_cast<const zWString&>(*this)(start, count);
}

const zWString zWString::operator()(int start, int count) const {
  zWString result;
  result.str_ = substr(static_cast<unsigned int>(start), static_cast<unsigned int>(count));
  return result;
}

zWString zWString::operator+(const wchar_t* s) const {
  zWString result;
  result.str_ = concat_units(str_.data(), str_.size(), s, std::wcslen(s));
  return result;
}

zWString zWString::operator+(const zWString& s) const {
  zWString result;
  result.str_ = concat_units(str_.data(), str_.size(), s.str_.data(), s.str_.size());
  return result;
}

zWString& zWString::operator+=(const zWString& s) {
  replace_units(str_, str_.size(), 0, s.str_.data(), s.str_.size());
  return *this;
}

zWString& zWString::operator+=(const wchar_t& c) { return append(1, c); }

bool zWString::operator==(const zWString& s) const { return str_ == s.str_; }

bool zWString::operator!=(const zWString& s) const { return str_ != s.str_; }

int zWString::compare(const std::wstring& s) const {
  return compare_units(str_.data(), str_.size(), s.data(), s.size());
}

zWString operator+(const wchar_t* s, const zWString& a) {
  return zWString(concat_units(s, std::wcslen(s), a.c_str(), a.size()));
}

bool operator!=(const zWString& a, const wchar_t* s) {
  return compare_units(a.c_str(), a.size(), s, std::wcslen(s)) != 0;
}

bool operator<(const zWString& a, const zWString& b) {
  return compare_units(a.c_str(), a.size(), b.c_str(), b.size()) < 0;
}

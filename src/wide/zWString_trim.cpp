// zWString trimming, tokenizing and alignment. Trim, TrimSpace, stripString
// and NextToken change *this; TrimRight does not.
#include <cwchar>

#include "wide/wide_text.h"
#include "zWString.h"

using zodode::detail::check_new_size;

namespace {

// Cuts text to its units first..last in place; npos for first keeps nothing.
// Erasing never allocates, so this cannot fail.
void keep_units(std::wstring& text, std::size_t first, std::size_t last) {
  if (first == std::wstring::npos) {
    text.clear();
    return;
  }
  text.erase(last + 1);
  text.erase(0, first);
}

}  // namespace

// The returned copy is made before *this shrinks, so a refused allocation
// leaves *this as it was; the in-place erase that follows cannot fail.
zWString zWString::Trim(wchar_t c) {
  const std::size_t first = str_.find_first_not_of(c);
  const std::size_t last = str_.find_last_not_of(c);
  zWString result;
  if (first != std::wstring::npos) result.str_.assign(str_, first, last + 1 - first);
  keep_units(str_, first, last);
  return result;
}

zWString zWString::TrimRight(wchar_t c) {
  const std::size_t last = str_.find_last_not_of(c);
  zWString result;
  if (last != std::wstring::npos) result.str_.assign(str_, 0, last + 1);
  return result;
}

// Only U+0020: tabs, line ends and no-break spaces stay.
zWString zWString::TrimSpace() { return Trim(L' '); }

// The first unit is never examined from the right, so a single kept unit stays.
zWString zWString::stripString(wchar_t* set) {
  const std::size_t set_size = std::wcslen(set);
  const std::size_t first = str_.find_first_not_of(set, 0, set_size);
  const std::size_t last = str_.find_last_not_of(set, std::wstring::npos, set_size);
  zWString result;
  if (first != std::wstring::npos) result.str_.assign(str_, first, last + 1 - first);
  keep_units(str_, first, last);
  return result;
}

// The delimiter found stays as the first unit of *this; without one the whole
// text is returned and *this is left as it was.
zWString zWString::NextToken(wchar_t* delimiters) {
  const std::size_t found = str_.find_first_of(delimiters, 0, std::wcslen(delimiters));
  // One named result, so it is built in place: a copy made on return would
  // come after the erase and could fail with *this already cut.
  zWString token;
  token.str_.assign(str_, 0, found);
  if (found != std::wstring::npos) str_.erase(0, found);
  return token;
}

// A negative width asks for no padding. Padding happens in one append.
const zWString& zWString::AlignLeftWithSize(int width) {
  if (width < 0 || str_.size() >= static_cast<std::size_t>(width)) return *this;
  check_new_size(static_cast<std::uint64_t>(width));
  str_.append(static_cast<std::size_t>(width) - str_.size(), L' ');
  return *this;
}

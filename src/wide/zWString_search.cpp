// zWString searches: the standard-named ones with a 32-bit npos, Index with
// -1, and containsAt.
#include <cwchar>

#include "wide/wide_text.h"
#include "zWString.h"

using zodode::detail::kWideNpos;
using zodode::detail::to_position;
using zodode::detail::widen_char;

// std::wstring's own searches follow the edge rules wanted here (an empty
// pattern is found at pos up to size(), a pattern only where it fits); only
// their npos is wider than 32 bits.
unsigned int zWString::find(const wchar_t* s, unsigned int pos) const {
  return to_position(str_.find(s, pos, std::wcslen(s)));
}

unsigned int zWString::find(char c, unsigned int pos) const {
  return to_position(str_.find(widen_char(c), pos));
}

unsigned int zWString::find(const zWString& s, unsigned int pos) const {
  return to_position(str_.find(s.str_, pos));
}

unsigned int zWString::rfind(const std::wstring& s, unsigned int pos) const {
  return to_position(str_.rfind(s, pos));
}

unsigned int zWString::find_first_of(const wchar_t* s, unsigned int pos) const {
  return to_position(str_.find_first_of(s, pos, std::wcslen(s)));
}

unsigned int zWString::find_last_of(const wchar_t* s, unsigned int pos) const {
  return to_position(str_.find_last_of(s, pos, std::wcslen(s)));
}

int zWString::Index(const wchar_t* s, unsigned int pos) const {
  return static_cast<int>(find(s, pos));
}

int zWString::Index(char c, unsigned int pos) const { return static_cast<int>(find(c, pos)); }

int zWString::Index(const zWString& s, unsigned int pos) const {
  return static_cast<int>(find(s, pos));
}

// A failed search gives npos, so pos npos reads as "found there" whatever text is.
bool zWString::containsAt(const wchar_t* text, unsigned int pos) const {
  return find(text, pos) == pos;
}

static_assert(static_cast<int>(kWideNpos) == -1, "Index reports npos as -1");

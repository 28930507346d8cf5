// zWString editing in place: Insert, Replace, Remove, ReplaceSubString and
// the unit-for-unit replacements.
#include <algorithm>
#include <utility>

#include "wide/wide_text.h"
#include "zWString.h"

using zodode::detail::check_new_size;
using zodode::detail::check_position;
using zodode::detail::clip_count;
using zodode::detail::replace_units;

// The position is read as unsigned, so every negative one lies past the end.
// replace_units reads text before it changes anything, so text may be *this.
void zWString::Insert(const zWString& text, int pos) {
  replace_units(str_, static_cast<unsigned int>(pos), 0, text.str_.data(), text.str_.size());
}

bool zWString::Replace(const zWString& what, const zWString& with) {
  const std::size_t found = str_.find(what.str_);
  if (found == std::wstring::npos) return false;
  replace_units(str_, found, what.str_.size(), with.str_.data(), with.str_.size());
  return true;
}

zWString& zWString::Remove(unsigned int pos) {
  check_position(pos, str_.size());
  str_.resize(pos);
  return *this;
}

zWString& zWString::Remove(unsigned int pos, unsigned int count) {
  erase(pos, count);
  return *this;
}

// A position at or past the end is ignored, not taken as an append; the count
// is clipped whatever its size, npos included.
zWString& zWString::ReplaceSubString(unsigned int pos, unsigned int count, const zWString& text) {
  if (pos >= str_.size()) return *this;
  const std::size_t removed = clip_count(str_.size(), pos, count);
  check_new_size(std::uint64_t{str_.size()} - removed + text.str_.size());
  std::wstring result;
  result.reserve(str_.size() - removed + text.str_.size());
  result.append(str_, 0, pos).append(text.str_).append(str_, pos + removed, std::wstring::npos);
  str_ = std::move(result);
  return *this;
}

// Copies first: from or to may refer to a unit of this very text.
void zWString::ReplaceWChar(const wchar_t& from, const wchar_t& to) {
  const wchar_t old_unit = from;
  const wchar_t new_unit = to;
  std::replace(str_.begin(), str_.end(), old_unit, new_unit);
}

void zWString::normaliseFilePath() { ReplaceWChar(L'\\', L'/'); }

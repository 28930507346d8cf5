// zWString split at a separator unit, and the joining constructor.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "frame/errors.h"
#include "wide/wide_text.h"
#include "zWString.h"

namespace zodode::detail {
namespace {

// Number of fields of text: one more than the number of separators.
std::size_t count_fields(const std::wstring& text, wchar_t separator) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), separator)) + 1;
}

std::uint64_t joined_size(const std::vector<zWString>& list, wchar_t separator) {
  std::uint64_t total = 0;
  for (const zWString& item : list) total += item.size();
  if (separator != L'\0' && !list.empty()) total += list.size() - 1;
  return total;
}

}  // namespace
}  // namespace zodode::detail

// Every separator ends a field and the text after the last one is always a
// field, so an empty text gives one empty field and a trailing separator an
// empty last field.
std::vector<zWString> zWString::ToStringList(wchar_t separator, bool keepEmpty) const {
  const std::size_t fields = zodode::detail::count_fields(str_, separator);
  std::vector<zWString> list;
  if (fields > list.max_size()) zodode::detail::throw_vector_too_long();
  list.reserve(fields);
  std::size_t start = 0;
  for (;;) {
    const std::size_t found = str_.find(separator, start);
    const std::size_t end = found == std::wstring::npos ? str_.size() : found;
    // Filled in place: one allocation per field, no temporary to copy from.
    if (keepEmpty || end > start) list.emplace_back().str_.assign(str_, start, end - start);
    if (found == std::wstring::npos) return list;
    start = found + 1;
  }
}

// A U+0000 separator joins without one.
zWString::zWString(const std::vector<zWString>& list, wchar_t separator) {
  const std::uint64_t total = zodode::detail::joined_size(list, separator);
  zodode::detail::check_new_size(total);
  str_.reserve(static_cast<std::size_t>(total));
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i != 0 && separator != L'\0') str_.push_back(separator);
    str_.append(list[i].str_);
  }
}

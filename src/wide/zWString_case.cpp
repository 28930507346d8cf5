// zWString case mapping: towlower/towupper of the process locale, unit by
// unit, so the length never changes and NUL units pass through.
#include <algorithm>
#include <cwctype>

#include "zWString.h"

namespace zodode::detail {
namespace {

template <typename Mapping>
std::wstring map_units(std::wstring text, Mapping mapping) {
  std::transform(text.begin(), text.end(), text.begin(), [mapping](wchar_t unit) {
    return static_cast<wchar_t>(mapping(static_cast<std::wint_t>(unit)));
  });
  return text;
}

}  // namespace
}  // namespace zodode::detail

zWString zWString::lowerCase() const {
  zWString result;
  result.str_ = zodode::detail::map_units(str_, [](std::wint_t u) { return std::towlower(u); });
  return result;
}

zWString zWString::upperCase() const {
  zWString result;
  result.str_ = zodode::detail::map_units(str_, [](std::wint_t u) { return std::towupper(u); });
  return result;
}

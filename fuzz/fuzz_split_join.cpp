// Narrow and wide split and join against std::string / std::wstring models,
// plus the round trips: joining a split (keeping empty fields) gives the text
// back, except for the narrow split's lost trailing separator.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "zString.h"
#include "zWString.h"

namespace {

using zodode::fuzz::take_bytes;
using zodode::fuzz::up_to_nul;

// The narrow split: a trailing separator opens no empty field and an empty
// text gives no field; a NUL separator never matches.
std::vector<std::string> split_narrow(const std::string& text, char sep, bool keep_empty) {
  std::vector<std::string> fields;
  std::size_t p = 0;
  while (p < text.size()) {
    const std::size_t q = sep == '\0' ? std::string::npos : text.find(sep, p);
    const std::string field = text.substr(p, q == std::string::npos ? q : q - p);
    if (!field.empty() || keep_empty) fields.push_back(field);
    if (q == std::string::npos) break;
    p = q + 1;
  }
  return fields;
}

// The wide split: every separator ends a field and the text after the last
// one is always a field.
std::vector<std::wstring> split_wide(const std::wstring& text, wchar_t sep, bool keep_empty) {
  std::vector<std::wstring> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t q = text.find(sep, start);
    const std::wstring field = text.substr(start, q == std::wstring::npos ? q : q - start);
    if (!field.empty() || keep_empty) fields.push_back(field);
    if (q == std::wstring::npos) return fields;
    start = q + 1;
  }
}

template <typename Text, typename Unit>
Text join(const std::vector<Text>& list, Unit sep) {
  Text out;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i != 0 && sep != Unit{}) out += sep;
    out += list[i];
  }
  return out;
}

char pick_separator(FuzzedDataProvider& in) {
  static const char kSeparators[] = {',', ';', ' ', '\0', 'a'};
  return in.ConsumeBool() ? kSeparators[in.ConsumeIntegralInRange(0, 4)]
                          : in.ConsumeIntegral<char>();
}

void check_narrow(FuzzedDataProvider& in) {
  const char sep = pick_separator(in);
  const bool keep = in.ConsumeBool();
  const std::string text = up_to_nul(take_bytes(in, 64));
  const zString s(text.c_str());
  const std::vector<zString> list = s.ToStringList(sep, keep);
  const std::vector<std::string> expected = split_narrow(text, sep, keep);
  FUZZ_REQUIRE(list.size() == expected.size());
  for (std::size_t i = 0; i < list.size(); ++i) FUZZ_REQUIRE(expected[i] == list[i].data());
  const zString joined(list, sep);
  FUZZ_REQUIRE(join(expected, sep) == joined.data());
  if (keep && sep != '\0') {
    const bool trailing = !text.empty() && text.back() == sep;
    FUZZ_REQUIRE(text == std::string(joined.data()) + (trailing ? std::string(1, sep) : ""));
  }
  std::vector<zString> elements;
  std::vector<std::string> element_texts;
  for (int n = in.ConsumeIntegralInRange(0, 6); n > 0; --n) {
    element_texts.push_back(up_to_nul(take_bytes(in, 8)));
    elements.emplace_back(element_texts.back().c_str());
  }
  FUZZ_REQUIRE(join(element_texts, sep) == zString(elements, sep).data());
}

std::wstring take_wide(FuzzedDataProvider& in, std::size_t most) {
  static const wchar_t kUnits[] = {L'a', L',', L';', L'\0', 0xE9, 0xFFFF, 0x1F600};
  std::wstring t(in.ConsumeIntegralInRange<std::size_t>(0, most), L'\0');
  for (wchar_t& c : t) c = kUnits[in.ConsumeIntegralInRange(0, 6)];
  return t;
}

bool reads_as(const zWString& w, const std::wstring& m) {
  return w.size() == m.size() && std::wstring(w.c_str(), w.size()) == m;
}

void check_wide(FuzzedDataProvider& in) {
  const wchar_t sep = take_wide(in, 1).c_str()[0];
  const bool keep = in.ConsumeBool();
  const std::wstring text = take_wide(in, 40);
  const zWString w(text);
  const std::vector<zWString> list = w.ToStringList(sep, keep);
  const std::vector<std::wstring> expected = split_wide(text, sep, keep);
  FUZZ_REQUIRE(list.size() == expected.size());
  for (std::size_t i = 0; i < list.size(); ++i) FUZZ_REQUIRE(reads_as(list[i], expected[i]));
  const zWString joined(list, sep);
  FUZZ_REQUIRE(reads_as(joined, join(expected, sep)));
  if (keep && sep != L'\0') FUZZ_REQUIRE(reads_as(joined, text));
  std::vector<zWString> elements;
  std::vector<std::wstring> element_texts;
  for (int n = in.ConsumeIntegralInRange(0, 6); n > 0; --n) {
    element_texts.push_back(take_wide(in, 6));
    elements.emplace_back(element_texts.back());
  }
  FUZZ_REQUIRE(reads_as(zWString(elements, sep), join(element_texts, sep)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  while (in.remaining_bytes() > 0) {
    if (in.ConsumeBool())
      check_narrow(in);
    else
      check_wide(in);
  }
  return 0;
}

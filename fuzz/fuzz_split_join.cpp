// Narrow and wide split and join against std::string / std::wstring models, and
// the round trip: joining a split that kept empty fields gives the text back.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "zString.h"
#include "zWString.h"

namespace {

using namespace zodode::fuzz;

// The wide split ends a field at every separator and the text after the last
// one is always a field. The narrow split differs: a trailing separator opens
// no empty field, an empty text gives no field and a NUL separator never matches.
template <typename Text>
std::vector<Text> split(const Text& text, typename Text::value_type sep, bool keep, bool narrow) {
  std::vector<Text> fields;
  for (std::size_t p = 0; !narrow || p < text.size();) {
    const std::size_t q = narrow && sep == 0 ? Text::npos : text.find(sep, p);
    const Text field = text.substr(p, q == Text::npos ? q : q - p);
    if (!field.empty() || keep) fields.push_back(field);
    if (q == Text::npos) break;
    p = q + 1;
  }
  return fields;
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

bool same(const zString& s, const std::string& m) { return m == s.data(); }
bool same(const zWString& w, const std::wstring& m) { return reads_as(w, m); }
zString make(const std::string& t) { return zString(t.c_str()); }
zWString make(const std::wstring& t) { return zWString(t); }

template <typename Text, typename Take>
void check(In& in, typename Text::value_type sep, const Text& text, Take take_element) {
  using Z = decltype(make(text));
  const bool narrow = sizeof(sep) == 1;
  const bool keep = in.ConsumeBool();
  const std::vector<Z> list = make(text).ToStringList(sep, keep);
  const std::vector<Text> expected = split(text, sep, keep, narrow);
  FUZZ_REQUIRE(list.size() == expected.size());
  for (std::size_t i = 0; i < list.size(); ++i) FUZZ_REQUIRE(same(list[i], expected[i]));
  const Z joined(list, sep);
  FUZZ_REQUIRE(same(joined, join(expected, sep)));
  const bool trailing = narrow && !text.empty() && text.back() == sep;
  if (keep && sep != 0) FUZZ_REQUIRE(same(joined, text.substr(0, text.size() - trailing)));
  std::vector<Z> elements;
  std::vector<Text> element_texts;
  for (int n = in.ConsumeIntegralInRange(0, 6); n > 0; --n) {
    element_texts.push_back(take_element(in));
    elements.push_back(make(element_texts.back()));
  }
  FUZZ_REQUIRE(same(Z(elements, sep), join(element_texts, sep)));
}

std::wstring take_wide(In& in, std::size_t most) {
  static const wchar_t kUnits[] = {L'a', L',', L';', L'\0', 0xE9, 0xFFFF, 0x1F600};
  std::wstring t(in.ConsumeIntegralInRange<std::size_t>(0, most), L'\0');
  for (wchar_t& c : t) c = in.PickValueInArray(kUnits);
  return t;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  In in(data, size);
  while (in.remaining_bytes() > 0) {
    if (in.ConsumeBool()) {
      const char sep = in.ConsumeBool() ? in.PickValueInArray({',', ';', ' ', '\0', 'a'})
                                        : in.ConsumeIntegral<char>();
      check(in, sep, up_to_nul(take_bytes(in, 64)),
            [](In& i) { return up_to_nul(take_bytes(i, 8)); });
    } else {
      const wchar_t sep = take_wide(in, 1).c_str()[0];
      check(in, sep, take_wide(in, 40), [](In& i) { return take_wide(i, 6); });
    }
  }
  return 0;
}

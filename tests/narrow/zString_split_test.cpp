#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "zString.h"

namespace {

using Fields = std::vector<std::string>;

Fields texts_of(const std::vector<zString>& list) { return Fields(list.begin(), list.end()); }

struct SplitCase {
  const char* in;
  char separator;
  Fields keep, drop;
};

TEST(NarrowSplit, FieldsInBothModes) {
  // clang-format off
  const SplitCase cases[] = {{"a,b,c", ',', {"a", "b", "c"}, {"a", "b", "c"}}, {"a,,b", ',', {"a", "", "b"}, {"a", "b"}},
      {",a", ',', {"", "a"}, {"a"}}, {"a,", ',', {"a"}, {"a"}}, {",", ',', {""}, {}}, {",,", ',', {"", ""}, {}}, {"", ',', {}, {}},
      {"abc", '\0', {"abc"}, {"abc"}}, {"abc", ';', {"abc"}, {"abc"}}, {"\xE9;\xFF", ';', {"\xE9", "\xFF"}, {"\xE9", "\xFF"}}};
  // clang-format on
  for (const SplitCase& c : cases) {
    const zString s(c.in);
    EXPECT_EQ(c.keep, texts_of(s.ToStringList(c.separator, true))) << '"' << c.in << '"';
    EXPECT_EQ(c.drop, texts_of(s.ToStringList(c.separator, false))) << '"' << c.in << '"';
  }
  EXPECT_TRUE(zString().ToStringList(',', true).empty());
  std::string text;
  for (int i = 0; i < 1000; ++i) text += "field,";
  const std::vector<zString> list = zString(text.c_str()).ToStringList(',', true);
  EXPECT_EQ(1000u, list.size());
  EXPECT_EQ(1000u, list.capacity());  // sized exactly, not grown
}

// Join puts the separator between neighbours; joining only empty texts leaves
// a string without a buffer.
TEST(NarrowJoin, SeparatorBetweenNeighbours) {
  // Each row: texts (nullptr: a string without a buffer), separator, joined.
  // clang-format off
  const std::tuple<std::vector<const char*>, char, const char*> cases[] = {{{"a", "b", "c"}, ',', "a,b,c"},
      {{"a", "b", "c"}, '\0', "abc"}, {{"", "b"}, ',', ",b"}, {{"", "", ""}, ',', ",,"}, {{nullptr, "x"}, '-', "-x"}, {{"a"}, ',', "a"}};
  // clang-format on
  for (const auto& [in, separator, want] : cases) {
    std::vector<zString> list;
    for (const char* text : in) list.push_back(text ? zString(text) : zString());
    EXPECT_STREQ(want, zString(list, separator).data()) << want;
  }
  const char* shared = zString().data();
  EXPECT_EQ(shared, zString(std::vector<zString>(), ',').data());
  EXPECT_EQ(shared, zString(std::vector<zString>(3, zString("")), '\0').data());
}

}  // namespace

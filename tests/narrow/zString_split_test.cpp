#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "zString.h"

namespace {

using Fields = std::vector<std::string>;

Fields texts_of(const std::vector<zString>& list) {
  Fields texts;
  for (const zString& s : list) texts.push_back(s.data());
  return texts;
}

struct SplitCase {
  const char* in;
  char separator;
  Fields keep, drop;
};

TEST(NarrowSplit, FieldsInBothModes) {
  const SplitCase cases[] = {
      {"a,b,c", ',', {"a", "b", "c"}, {"a", "b", "c"}},
      {"a,,b", ',', {"a", "", "b"}, {"a", "b"}},
      {",a", ',', {"", "a"}, {"a"}},
      {"a,", ',', {"a"}, {"a"}},
      {",", ',', {""}, {}},
      {",,", ',', {"", ""}, {}},
      {"", ',', {}, {}},
      {"abc", ';', {"abc"}, {"abc"}},
      {"abc", '\0', {"abc"}, {"abc"}},
      {"a,,", ',', {"a", ""}, {"a"}},
      {"\xE9;\xFF", ';', {"\xE9", "\xFF"}, {"\xE9", "\xFF"}},
  };
  for (const SplitCase& c : cases) {
    const zString s(c.in);
    EXPECT_EQ(c.keep, texts_of(s.ToStringList(c.separator, true))) << '"' << c.in << '"';
    EXPECT_EQ(c.drop, texts_of(s.ToStringList(c.separator, false))) << '"' << c.in << '"';
  }
}

TEST(NarrowSplit, NullStringGivesEmptyList) {
  const zString never_set;
  EXPECT_TRUE(never_set.ToStringList(',', true).empty());
  EXPECT_TRUE(never_set.ToStringList(',', false).empty());
}

TEST(NarrowSplit, EmptyFieldsOwnBuffers) {
  const std::vector<zString> list = zString(",").ToStringList(',', true);
  ASSERT_EQ(1u, list.size());
  EXPECT_NE(zString().data(), list[0].data());
}

TEST(NarrowSplit, ListIsSizedExactly) {
  std::string text;
  for (int i = 0; i < 1000; ++i) text += "field,";
  const std::vector<zString> list = zString(text.c_str()).ToStringList(',', true);
  EXPECT_EQ(1000u, list.size());
  EXPECT_EQ(1000u, list.capacity());
}

struct JoinCase {
  std::vector<const char*> in;
  char separator;
  const char* want;
};

TEST(NarrowJoin, SeparatorBetweenNeighbours) {
  const JoinCase cases[] = {{{"a", "b", "c"}, ',', "a,b,c"},
                            {{"a", "b", "c"}, '\0', "abc"},
                            {{"", "b"}, ',', ",b"},
                            {{"", "", ""}, ',', ",,"},
                            {{"a"}, ',', "a"},
                            {{nullptr, "x"}, '-', "-x"},
                            {{"ab", "", "cd"}, ';', "ab;;cd"}};
  for (const JoinCase& c : cases) {
    std::vector<zString> list;
    for (const char* text : c.in) list.push_back(text ? zString(text) : zString());
    EXPECT_STREQ(c.want, zString(list, c.separator).data()) << c.want;
  }
}

TEST(NarrowJoin, EmptyResultHasNoBuffer) {
  const char* shared = zString().data();
  EXPECT_EQ(shared, zString(std::vector<zString>(), ',').data());
  EXPECT_EQ(shared, zString(std::vector<zString>(3, zString("")), '\0').data());
  EXPECT_EQ(shared, zString(std::vector<zString>(1, zString()), ',').data());
}

TEST(NarrowJoin, UndoesSplitExceptTrailingSeparator) {
  for (const char* text : {"a,,b", ",x,", "plain", ",,"}) {
    const zString s(text);
    std::string want(text);
    if (!want.empty() && want.back() == ',') want.pop_back();
    EXPECT_EQ(want, zString(s.ToStringList(',', true), ',').data()) << text;
  }
}

}  // namespace

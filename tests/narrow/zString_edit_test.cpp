#include <gtest/gtest.h>

#include "zString.h"

namespace {

TEST(NarrowEdit, ReplaceCharInPlace) {
  struct Case {
    char from, to;
    const char* want;
  };
  const Case cases[] = {
      {'l', 'L', "HeLLo"}, {'l', '\0', "He"}, {'z', 'y', "Hello"}, {'\0', 'x', "Hello"}};
  for (const Case& c : cases) {
    zString s("Hello");
    const char* before = s.data();
    s.Replace(c.from, c.to);
    EXPECT_STREQ(c.want, s.data()) << c.from << "->" << c.to;
    EXPECT_EQ(before, s.data());
  }
}

TEST(NarrowEdit, ReplaceFirstOccurrence) {
  struct Case {
    const char *in, *from, *to, *want;  // to nullptr: a string without a buffer
  };
  const Case cases[] = {{"abcabc", "bc", "X", "aXabc"}, {"abc", "", "X", "Xabc"},
                        {"abc", "b", "", "ac"},         {"abc", "zz", "X", "abc"},
                        {"abc", "c", "CC", "abCC"},     {"ab", "abc", "X", "ab"},
                        {"abc", "b", nullptr, "ac"}};
  for (const Case& c : cases) {
    zString s(c.in);
    s.Replace(zString(c.from), c.to ? zString(c.to) : zString());
    EXPECT_STREQ(c.want, s.data()) << c.in << " " << c.want;
  }
  zString never_set, self("abcd");
  never_set.Replace(zString(), zString("X"));
  EXPECT_STREQ("X", never_set.data());
  self.Replace(zString("bc"), self);
  EXPECT_STREQ("aabcdd", self.data());
}

TEST(NarrowEdit, InsertClipsPosition) {
  struct Case {
    const char* text;
    int pos;
    const char* want;
  };
  const Case cases[] = {{"XY", 2, "HeXYllo"},     {"XY", 0, "XYHello"},       {"XY", 5, "HelloXY"},
                        {"XY", 9, "HelloXY"},     {"XY", -1, "Hello"},        {"", 3, "Hello"},
                        {"XYZW", 4, "HellXYZWo"}, {"A", 2147483647, "HelloA"}};
  for (const Case& c : cases) {
    zString s("Hello");
    s.Insert(zString(c.text), c.pos);
    EXPECT_STREQ(c.want, s.data()) << c.text << " at " << c.pos;
  }
  zString self("abcd"), never_set;
  self.Insert(self, 1);
  EXPECT_STREQ("aabcdbcd", self.data());
  never_set.Insert(zString("ab"), 3);
  EXPECT_STREQ("ab", never_set.data());
}

TEST(NarrowEdit, IndexFindsTheFirstOccurrence) {
  const zString s("Hello"), never_set;
  // clang-format off
  const int got[] = {s.Index('l'), s.Index('z'), s.Index('\0'), s.Index("llo"), s.Index(""),
                     s.Index(static_cast<const char*>(nullptr)), s.Index("Hello!"),
                     zString("abab").Index("b"), never_set.Index('\0'), never_set.Index("a")};
  // clang-format on
  const int want[] = {2, -1, 5, 2, 0, 0, -1, 1, 0, -1};
  for (std::size_t i = 0; i < sizeof want / sizeof want[0]; ++i) EXPECT_EQ(want[i], got[i]) << i;
}

TEST(NarrowEdit, RemoveClipsOrIgnores) {
  struct Case {
    unsigned int pos, count;
    const char *tail_removed, *range_removed;
  };
  const unsigned int kMax = 4294967295u;
  // clang-format off
  const Case cases[] = {{1, 2, "H", "Hlo"},       {3, 10, "Hel", "Hel"}, {5, 1, "Hello", "Hello"},
                        {6, 1, "Hello", "Hello"}, {0, 4, "", "o"},       {2, 0, "He", "Hello"},
                        {1, kMax, "H", "H"},      {kMax, 1, "Hello", "Hello"}};
  // clang-format on
  for (const Case& c : cases) {
    zString tail("Hello"), range("Hello");
    EXPECT_EQ(&tail, &tail.Remove(c.pos));
    EXPECT_EQ(&range, &range.Remove(c.pos, c.count));
    EXPECT_STREQ(c.tail_removed, tail.data()) << c.pos;
    EXPECT_STREQ(c.range_removed, range.data()) << c.pos << "," << c.count;
  }
}

}  // namespace

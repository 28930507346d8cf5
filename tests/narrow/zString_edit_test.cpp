#include <gtest/gtest.h>

#include "zString.h"

namespace {

TEST(NarrowEdit, ReplaceCharInPlace) {
  struct Case {
    char from, to;
    const char* want;
    unsigned int length;
  };
  const Case cases[] = {{'l', 'L', "HeLLo", 5},
                        {'l', '\0', "He", 2},
                        {'z', 'y', "Hello", 5},
                        {'\0', 'x', "Hello", 5},
                        {'H', 'h', "hello", 5}};
  for (const Case& c : cases) {
    zString s("Hello");
    const char* before = s.data();
    s.Replace(c.from, c.to);
    EXPECT_STREQ(c.want, s.data()) << c.from << "->" << c.to;
    EXPECT_EQ(c.length, s.length());
    EXPECT_EQ(before, s.data());
  }
  zString never_set;
  never_set.Replace('\0', 'x');
  EXPECT_STREQ("", never_set.data());
}

TEST(NarrowEdit, ReplaceFirstOccurrence) {
  struct Case {
    const char *in, *from, *to, *want;
  };
  const Case cases[] = {{"abcabc", "bc", "X", "aXabc"},
                        {"abc", "", "X", "Xabc"},
                        {"abc", "b", "", "ac"},
                        {"abc", "zz", "X", "abc"},
                        {"abc", "abc", "xyz1", "xyz1"},
                        {"abc", "c", "CC", "abCC"},
                        {"", "", "X", "X"},
                        {"ab", "abc", "X", "ab"}};
  for (const Case& c : cases) {
    zString s(c.in);
    s.Replace(zString(c.from), zString(c.to));
    EXPECT_STREQ(c.want, s.data()) << c.in << " " << c.from << "->" << c.to;
  }
}

TEST(NarrowEdit, ReplaceWithNullAndSelf) {
  zString never_set;
  never_set.Replace(zString(), zString("X"));
  EXPECT_STREQ("X", never_set.data());
  zString s("abc");
  s.Replace(zString("b"), zString());
  EXPECT_STREQ("ac", s.data());
  zString self("abcd");
  self.Replace(zString("bc"), self);
  EXPECT_STREQ("aabcdd", self.data());
}

TEST(NarrowEdit, InsertHelloTable) {
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
}

TEST(NarrowEdit, InsertIntoItselfAndIntoNull) {
  zString s("abcd");
  s.Insert(s, 1);
  EXPECT_STREQ("aabcdbcd", s.data());
  zString never_set;
  never_set.Insert(zString("ab"), 3);
  EXPECT_STREQ("ab", never_set.data());
  zString t("x");
  t.Insert(zString(), 0);
  EXPECT_STREQ("x", t.data());
}

TEST(NarrowEdit, IndexOfCharAndText) {
  const zString s("Hello");
  EXPECT_EQ(2, s.Index('l'));
  EXPECT_EQ(-1, s.Index('z'));
  EXPECT_EQ(5, s.Index('\0'));
  EXPECT_EQ(0, s.Index('H'));
  EXPECT_EQ(2, s.Index("llo"));
  EXPECT_EQ(0, s.Index(""));
  EXPECT_EQ(0, s.Index(static_cast<const char*>(nullptr)));
  EXPECT_EQ(-1, s.Index("xyz"));
  EXPECT_EQ(-1, s.Index("Hello!"));
  EXPECT_EQ(4, s.Index("o"));
  const zString never_set;
  EXPECT_EQ(0, never_set.Index('\0'));
  EXPECT_EQ(-1, never_set.Index('a'));
  EXPECT_EQ(0, never_set.Index(""));
  EXPECT_EQ(-1, never_set.Index("a"));
}

TEST(NarrowEdit, RemoveTail) {
  struct Case {
    unsigned int pos;
    const char* want;
  };
  const Case cases[] = {{2, "He"}, {0, ""}, {5, "Hello"}, {6, "Hello"}, {4294967295u, "Hello"}};
  for (const Case& c : cases) {
    zString s("Hello");
    EXPECT_EQ(&s, &s.Remove(c.pos));
    EXPECT_STREQ(c.want, s.data()) << c.pos;
  }
  zString never_set;
  never_set.Remove(0);
  EXPECT_STREQ("", never_set.data());
}

TEST(NarrowEdit, RemoveRange) {
  struct Case {
    unsigned int pos, count;
    const char* want;
  };
  const Case cases[] = {{1, 2, "Hlo"},   {3, 10, "Hel"},
                        {5, 1, "Hello"}, {6, 1, "Hello"},
                        {0, 5, ""},      {0, 4, "o"},
                        {2, 0, "Hello"}, {1, 4294967295u, "H"},
                        {4, 1, "Hell"},  {4294967295u, 1, "Hello"}};
  for (const Case& c : cases) {
    zString s("Hello");
    EXPECT_EQ(&s, &s.Remove(c.pos, c.count));
    EXPECT_STREQ(c.want, s.data()) << c.pos << "," << c.count;
  }
}

}  // namespace

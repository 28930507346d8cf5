#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "zString.h"

namespace {

// A null text stands for a string that was never given a buffer.
zString make(const char* text) { return text ? zString(text) : zString(); }

TEST(NarrowEdit, ReplaceCharInPlace) {
  for (const auto& [from, to, want] : {std::tuple<char, char, const char*>{'l', 'L', "HeLLo"},
                                       {'l', '\0', "He"},
                                       {'z', 'y', "Hello"},
                                       {'\0', 'x', "Hello"}}) {
    zString s("Hello");
    const char* before = s.data();
    s.Replace(from, to);
    EXPECT_EQ(before, s.data());
    EXPECT_STREQ(want, s.data());
  }
}

TEST(NarrowEdit, ReplaceFirstOccurrenceAndInsertClipped) {
  const auto replace = [](const char* in, const char* from, const char* to) {
    zString s = make(in);
    s.Replace(make(from), make(to));
    return std::string(s.data());
  };
  const auto insert = [](const char* in, const char* text, int pos) {
    zString s = make(in);
    s.Insert(zString(text), pos);
    return std::string(s.data());
  };
  // clang-format off
  EXPECT_EQ("aXabc", replace("abcabc", "bc", "X"));  EXPECT_EQ("Xabc", replace("abc", "", "X"));
  EXPECT_EQ("ac", replace("abc", "b", ""));          EXPECT_EQ("abc", replace("abc", "zz", "X"));
  EXPECT_EQ("abCC", replace("abc", "c", "CC"));      EXPECT_EQ("ab", replace("ab", "abc", "X"));
  EXPECT_EQ("ac", replace("abc", "b", nullptr));     EXPECT_EQ("X", replace(nullptr, nullptr, "X"));
  EXPECT_EQ("HeXYllo", insert("Hello", "XY", 2));  EXPECT_EQ("XYHello", insert("Hello", "XY", 0));
  EXPECT_EQ("HelloXY", insert("Hello", "XY", 5));  EXPECT_EQ("HelloXY", insert("Hello", "XY", 9));
  EXPECT_EQ("Hello", insert("Hello", "XY", -1));   EXPECT_EQ("HellXYZWo", insert("Hello", "XYZW", 4));
  EXPECT_EQ("HelloA", insert("Hello", "A", 2147483647));  EXPECT_EQ("ab", insert(nullptr, "ab", 3));
  EXPECT_EQ("Hello", insert("Hello", "", 3));
  // clang-format on
  zString self("abcd"), other("abcd");
  self.Replace(zString("bc"), self);
  other.Insert(other, 1);
  EXPECT_STREQ("aabcdd", self.data());
  EXPECT_STREQ("aabcdbcd", other.data());
}

TEST(NarrowEdit, IndexFindsTheFirstOccurrence) {
  const zString s("Hello"), never_set;
  // clang-format off
  EXPECT_EQ(2, s.Index('l'));   EXPECT_EQ(-1, s.Index('z'));   EXPECT_EQ(5, s.Index('\0'));
  EXPECT_EQ(2, s.Index("llo")); EXPECT_EQ(0, s.Index(""));     EXPECT_EQ(-1, s.Index("Hello!"));
  EXPECT_EQ(0, s.Index(static_cast<const char*>(nullptr)));  EXPECT_EQ(0, never_set.Index('\0'));
  EXPECT_EQ(1, zString("abab").Index("b"));                  EXPECT_EQ(-1, never_set.Index("a"));
  // clang-format on
}

TEST(NarrowEdit, RemoveClipsOrIgnores) {
  const auto remove = [](unsigned int pos, unsigned int count) {
    zString tail("Hello"), range("Hello");
    EXPECT_EQ(&tail, &tail.Remove(pos));
    EXPECT_EQ(&range, &range.Remove(pos, count));
    return std::string(tail.data()) + "|" + range.data();
  };
  const unsigned int kMax = 4294967295u;
  // clang-format off
  EXPECT_EQ("H|Hlo", remove(1, 2));          EXPECT_EQ("Hel|Hel", remove(3, 10));
  EXPECT_EQ("Hello|Hello", remove(5, 1));    EXPECT_EQ("Hello|Hello", remove(6, 1));
  EXPECT_EQ("|o", remove(0, 4));             EXPECT_EQ("He|Hello", remove(2, 0));
  EXPECT_EQ("H|H", remove(1, kMax));         EXPECT_EQ("Hello|Hello", remove(kMax, 1));
  // clang-format on
}

}  // namespace

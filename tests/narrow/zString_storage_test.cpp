#include <gtest/gtest.h>

#include <string>

#include "zString.h"

namespace {

TEST(NarrowStorage, LayoutIsOnePointer) { EXPECT_EQ(sizeof(zString), sizeof(char*)); }

TEST(NarrowStorage, DefaultStringReadsAsEmpty) {
  const zString s;
  ASSERT_NE(nullptr, s.data());
  EXPECT_STREQ("", s.data());
  EXPECT_EQ(s.data(), static_cast<const char*>(s));
  EXPECT_EQ(0u, s.length());
  EXPECT_TRUE(s == "");
  EXPECT_TRUE(s == nullptr);
  EXPECT_FALSE(s != "");
  EXPECT_TRUE(s < "a");
  EXPECT_FALSE(s < "");
  EXPECT_FALSE(s < static_cast<const char*>(nullptr));
  EXPECT_EQ(std::string(), static_cast<std::string>(s));
}

// Two strings without a buffer share the one empty text; anything that copies
// owns a buffer of its own.
TEST(NarrowStorage, NullStateIsSharedAndCopiesAllocate) {
  const zString a, b;
  EXPECT_EQ(a.data(), b.data());
  const zString copy(a);
  EXPECT_NE(a.data(), copy.data());
  EXPECT_TRUE(copy == "");
  const zString from_null(static_cast<const char*>(nullptr));
  EXPECT_NE(a.data(), from_null.data());
  EXPECT_EQ(0u, from_null.length());
}

TEST(NarrowStorage, ConstructionCopiesUpToFirstNul) {
  const std::string with_nul("ab\0cd", 5);
  const zString s(with_nul);
  EXPECT_EQ(2u, s.length());
  EXPECT_STREQ("ab", s.data());
  EXPECT_NE(with_nul.c_str(), s.data());

  const char text[] = "hello";
  const zString t(text);
  EXPECT_NE(static_cast<const char*>(text), t.data());
  EXPECT_STREQ("hello", t.data());
}

TEST(NarrowStorage, AssignmentFromEveryKindOfSource) {
  zString s("abc");
  s = "xy";
  EXPECT_STREQ("xy", s.data());
  s = std::string("longer text");
  EXPECT_STREQ("longer text", s.data());
  s = zString("z");
  EXPECT_STREQ("z", s.data());
  s = static_cast<const char*>(nullptr);
  EXPECT_STREQ("", s.data());
  EXPECT_EQ(0u, s.length());
  s = zString();
  EXPECT_TRUE(s == "");
}

TEST(NarrowStorage, SelfAssignmentKeepsTextAndBuffer) {
  zString s("abc");
  const char* before = s.data();
  const zString& alias = s;
  s = alias;
  EXPECT_EQ(before, s.data());
  s = s.data();
  EXPECT_EQ(before, s.data());
  EXPECT_STREQ("abc", s.data());
}

TEST(NarrowStorage, AssignmentFromInsideOwnBufferCopiesFirst) {
  zString s("abcdef");
  s = s.data() + 2;
  EXPECT_STREQ("cdef", s.data());
  zString t("abc");
  t = t.data() + 1;
  EXPECT_STREQ("bc", t.data());
}

TEST(NarrowStorage, AssignmentReturnsTheObject) {
  zString s;
  EXPECT_EQ(&s, &(s = "a"));
  EXPECT_EQ(&s, &(s = std::string("b")));
  EXPECT_EQ(&s, &(s = zString("c")));
  EXPECT_EQ(&s, &(s += "d"));
}

struct OrderCase {
  const char* left;
  const char* right;
  bool less;
  bool equal;
};

constexpr OrderCase kOrder[] = {
    {"abc", "abd", true, false}, {"ab", "abc", true, false},   {"", "a", true, false},
    {"abc", "ab", false, false}, {"abc", "abc", false, true},  {"abc", "ABC", false, false},
    {"a", "\xE4", true, false},  {"\xE4", "z", false, false},  {"\x7F", "\x80", true, false},
    {"", nullptr, false, true},  {"a", nullptr, false, false},
};

TEST(NarrowCompare, OrderIsByUnsignedBytes) {
  for (const OrderCase& c : kOrder) {
    const zString s(c.left);
    const std::string label = std::string(c.left) + " vs " + (c.right ? c.right : "(null)");
    EXPECT_EQ(c.less, s < c.right) << label;
    EXPECT_EQ(c.equal, s == c.right) << label;
    EXPECT_EQ(!c.equal, s != c.right) << label;
    if (c.right == nullptr) continue;
    EXPECT_EQ(c.less, s < zString(c.right)) << label;
    EXPECT_EQ(c.less, s < std::string(c.right)) << label;
    EXPECT_EQ(c.equal, s == zString(c.right)) << label;
  }
}

TEST(NarrowCompare, EqualityStopsAtNulOfStandardString) {
  const zString s("ab");
  EXPECT_FALSE(s < std::string("ab\0c", 4));
  EXPECT_TRUE(zString("a") < std::string("ab\0c", 4));
}

struct AppendCase {
  const char* start;  // nullptr: a default-constructed string
  const char* tail;
  const char* want;
};

constexpr AppendCase kAppend[] = {
    {"ab", "cd", "abcd"}, {"ab", "", "ab"},   {"ab", nullptr, "ab"},
    {nullptr, "x", "x"},  {"", "xyz", "xyz"}, {"\xE9", "\xFF", "\xE9\xFF"},
};

TEST(NarrowAppend, AppendsEveryKindOfText) {
  for (const AppendCase& c : kAppend) {
    zString by_ptr = c.start ? zString(c.start) : zString();
    by_ptr += c.tail;
    EXPECT_STREQ(c.want, by_ptr.data());
    if (c.tail == nullptr) continue;
    zString by_std = c.start ? zString(c.start) : zString();
    by_std += std::string(c.tail);
    EXPECT_STREQ(c.want, by_std.data());
    zString by_z = c.start ? zString(c.start) : zString();
    by_z += zString(c.tail);
    EXPECT_STREQ(c.want, by_z.data());
  }
}

TEST(NarrowAppend, EmptyAppendLeavesNullStringNull) {
  zString s;
  const char* shared = s.data();
  s += "";
  s += static_cast<const char*>(nullptr);
  s += zString();
  s += std::string();
  EXPECT_EQ(shared, s.data());  // still the shared empty text, no buffer
}

TEST(NarrowAppend, EmptyAppendKeepsTheBuffer) {
  zString s("abc");
  const char* before = s.data();
  s += "";
  EXPECT_EQ(before, s.data());
}

TEST(NarrowAppend, SelfAppendDoubles) {
  zString s("ab");
  s += s;
  EXPECT_STREQ("abab", s.data());
  s += s.data();
  EXPECT_STREQ("abababab", s.data());
  s += s.data() + 6;
  EXPECT_STREQ("ababababab", s.data());
}

TEST(NarrowConcat, LeavesOperandAndAlwaysAllocates) {
  const zString empty;
  const zString joined = empty + "";
  EXPECT_NE(empty.data(), joined.data());
  EXPECT_STREQ("", joined.data());

  const zString ab("ab");
  EXPECT_STREQ("abcd", (ab + "cd").data());
  EXPECT_STREQ("abcd", (ab + std::string("cd")).data());
  EXPECT_STREQ("abcd", (ab + zString("cd")).data());
  EXPECT_STREQ("ab", (ab + static_cast<const char*>(nullptr)).data());
  EXPECT_STREQ("abab", (ab + ab).data());
  EXPECT_STREQ("ab", ab.data());
}

TEST(NarrowConvert, ToStandardString) {
  const zString s("h\xE9llo");
  const std::string out = s;
  EXPECT_EQ("h\xE9llo", out);
}

}  // namespace

namespace {

// Copies own their text: changing the source afterwards leaves the copy alone.
TEST(NarrowStorage, CopiesAreDeep) {
  zString a("abc");
  const zString b(a);
  zString c;
  c = b;
  a = "x";
  EXPECT_STREQ("abc", b.data());
  EXPECT_STREQ("abc", c.data());
  EXPECT_NE(b.data(), c.data());
  EXPECT_EQ(b.data(), static_cast<const char*>(b));
}

struct Derived : zString {
  using zString::Set;
};

TEST(NarrowStorage, ProtectedSetFollowsTheAssignmentRule) {
  Derived d;
  d.Set("abc");
  EXPECT_STREQ("abc", d.data());
  const char* before = d.data();
  d.Set(d.data());
  EXPECT_EQ(before, d.data());
  d.Set(d.data() + 1);
  EXPECT_STREQ("bc", d.data());
  d.Set(nullptr);
  EXPECT_STREQ("", d.data());
  EXPECT_EQ(0u, d.length());
}

TEST(NarrowStorage, StandardStringSourcesStopAtNul) {
  const std::string with_nul("a\0b", 3);
  zString s("x");
  s = with_nul;
  EXPECT_STREQ("a", s.data());
  zString t("x");
  t += with_nul;
  EXPECT_STREQ("xa", t.data());
  EXPECT_STREQ("xa", (zString("x") + with_nul).data());
}

TEST(NarrowCompare, NullOnTheRightOfOrder) {
  EXPECT_FALSE(zString("a") < zString());
  EXPECT_FALSE(zString() < zString());
  EXPECT_TRUE(zString() < zString("a"));
  EXPECT_TRUE(zString() == zString());
}

}  // namespace

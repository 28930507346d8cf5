#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "zString.h"

namespace {

// A null text stands for a string that was never given a buffer.
zString make(const char* text) { return text ? zString(text) : zString(); }

struct Text {
  std::string got, want;
};

void expect_texts(std::initializer_list<Text> cases) {
  int i = 0;
  for (const Text& c : cases) EXPECT_EQ(c.want, c.got) << "case " << i++;
}

// The text of s after an assignment or append, which must return s itself.
std::string text_of(const zString& s, const zString& returned) {
  EXPECT_EQ(&s, &returned);
  return s.data();
}

// Exposes the protected Set family, as a derived client class would use it.
struct Settable : zString {
  using zString::operator=;
  using zString::Set;
};

// Two strings without a buffer share the one empty text; anything that copies
// owns a buffer of its own and stops at the first NUL of a standard string.
TEST(NarrowStorage, NullStateIsSharedAndCopiesAreDeep) {
  static_assert(sizeof(zString) == sizeof(char*), "a zString is one pointer");
  const zString a, b, copy(a), from_null(static_cast<const char*>(nullptr));
  zString h("h\xE9llo"), c;
  const zString d(h), cut(std::string("ab\0cd", 5));
  c = d;
  h = "x";
  EXPECT_TRUE(a.data() == b.data() && a.data() == static_cast<const char*>(a) && a.length() == 0);
  EXPECT_TRUE(a.data() != copy.data() && a.data() != from_null.data() && d.data() != c.data());
  EXPECT_TRUE(d.data() == static_cast<const char*>(d) && cut.length() == 2u);
  expect_texts({{a.data(), ""},
                {a, ""},
                {copy.data(), ""},
                {from_null.data(), ""},
                {d.data(), "h\xE9llo"},
                {c.data(), "h\xE9llo"},
                {d, "h\xE9llo"},
                {cut, "ab"}});
}

// Assigning the own text keeps the buffer; a pointer into it is copied before
// the old buffer is freed. The protected Set follows the same rule.
TEST(NarrowAssign, EveryKindOfSourceAndOwnText) {
  Settable s;
  const auto set = [&s](const char* text) {
    s.Set(text);
    return std::string(s.data());
  };
  // clang-format off
  expect_texts({{text_of(s, s = "xy"), "xy"}, {text_of(s, s = std::string("a\0b", 3)), "a"},
                {text_of(s, s = zString("z")), "z"}, {text_of(s, s = static_cast<const char*>(nullptr)), ""},
                {set("q"), "q"}, {text_of(s, s = zString()), ""}, {set("abcdef"), "abcdef"}});
  // clang-format on
  const char* before = s.data();
  const zString& alias = s;
  s = alias;
  s = s.data();
  s.Set(s.data());
  EXPECT_EQ(before, s.data());
  expect_texts({{s.data(), "abcdef"},
                {text_of(s, s = s.data() + 2), "cdef"},
                {set(s.data() + 1), "def"},
                {set(nullptr), ""}});
}

struct OrderCase {
  const char *left, *right;  // nullptr: no buffer (left), null pointer or no buffer (right)
  bool less, equal;
};

// clang-format off
constexpr OrderCase kOrder[] = {
    {"abc", "abd", true, false}, {"ab", "abc", true, false},  {"", "a", true, false},
    {"abc", "ab", false, false}, {"abc", "abc", false, true}, {"abc", "ABC", false, false},
    {"a", "\xE4", true, false},  {"\xE4", "z", false, false}, {"\x7F", "\x80", true, false},
    {"", nullptr, false, true},  {"a", nullptr, false, false}, {nullptr, "", false, true},
    {nullptr, "a", true, false}, {nullptr, nullptr, false, true}};
// clang-format on

TEST(NarrowCompare, OrderIsByUnsignedBytes) {
  for (std::size_t i = 0; i < sizeof kOrder / sizeof kOrder[0]; ++i) {
    const OrderCase& c = kOrder[i];
    const zString s = make(c.left), right = make(c.right);
    EXPECT_EQ((std::vector<bool>{c.less, c.less, c.less, c.equal, c.equal, !c.equal}),
              (std::vector<bool>{s < c.right, s < right, s < std::string(right.data()),
                                 s == c.right, s == right, s != c.right}))
        << "case " << i;
  }
  EXPECT_FALSE(zString("ab") < std::string("ab\0c", 4));
  EXPECT_TRUE(zString("a") < std::string("ab\0c", 4));
}

// Appending nothing neither gives a string without a buffer one nor replaces one;
// concatenation leaves its operand and always allocates.
TEST(NarrowAppend, AppendsEveryKindOfText) {
  struct Case {
    const char *start, *tail, *want;  // start nullptr: no buffer
  };
  const Case cases[] = {{"ab", "cd", "abcd"}, {"ab", "", "ab"},      {"ab", nullptr, "ab"},
                        {nullptr, "x", "x"},  {"", "xyz", "xyz"},    {"\xE9", "\xFF", "\xE9\xFF"},
                        {nullptr, "", ""},    {nullptr, nullptr, ""}};
  for (const Case& c : cases) {
    zString by_ptr = make(c.start), by_std = make(c.start), by_z = make(c.start);
    const char* before[] = {by_ptr.data(), by_std.data(), by_z.data()};
    EXPECT_EQ(c.want, text_of(by_ptr, by_ptr += c.tail));
    EXPECT_EQ(c.want, text_of(by_std, by_std += std::string(c.tail ? c.tail : "")));
    EXPECT_EQ(c.want, text_of(by_z, by_z += make(c.tail)));
    EXPECT_TRUE((c.tail && *c.tail) || (before[0] == by_ptr.data() && before[1] == by_std.data() &&
                                        before[2] == by_z.data()))
        << c.want;
  }
  zString s("ab");
  const zString empty, ab("ab"), joined = empty + "";
  EXPECT_NE(empty.data(), joined.data());
  // clang-format off
  expect_texts({{text_of(s, s += s), "abab"}, {text_of(s, s += s.data()), "abababab"},
                {text_of(s, s += s.data() + 6), "ababababab"}, {text_of(s, s += std::string("c\0d", 3)), "abababababc"},
                {joined, ""}, {ab + "cd", "abcd"}, {ab + std::string("cd\0e", 4), "abcd"}, {ab + zString("cd"), "abcd"},
                {ab + static_cast<const char*>(nullptr), "ab"}, {ab + ab, "abab"}, {ab, "ab"}});
  // clang-format on
}

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

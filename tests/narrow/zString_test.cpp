// zString and zSubString behaviour tables: every row of a family runs through
// each overload that forwards to it; positions, counts and widths near 2^31
// and 2^32 are rows like any other. (Passing the string itself as an argument
// is fuzzed: fuzz_narrow.)
#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <clocale>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "zString.h"
#include "zSubString.h"

namespace {

// A null text stands for a string without a buffer.
zString make(const char* text) { return text ? zString(text) : zString(); }

// Runs op with the three forms of a text argument: the pointer, a standard
// string and a zString (a null text: the null pointer, "" and no buffer).
template <typename Op>
void each_form(const char* text, Op op) {
  op(text);
  op(std::string(text ? text : ""));
  op(make(text));
}

struct TextCase {
  const char *start, *arg, *assigned, *appended;
};

// clang-format off
const TextCase kTexts[] = {
    {"ab", "cd", "cd", "abcd"}, {"ab", "", "", "ab"}, {"ab", nullptr, "", "ab"}, {nullptr, "x", "x", "x"},
    {nullptr, nullptr, "", ""}, {"", "xyz", "xyz", "xyz"}, {"\xE9", "\x7F\x80\xFF", "\x7F\x80\xFF", "\xE9\x7F\x80\xFF"}};
// clang-format on

TEST(NarrowStorage, AssignAppendAndConcatenateEveryForm) {
  for (const TextCase& c : kTexts) {
    each_form(c.arg, [&](const auto& arg) {
      zString assigned = make(c.start), appended = make(c.start);
      EXPECT_EQ(&assigned, &(assigned = arg));
      EXPECT_EQ(&appended, &(appended += arg));
      EXPECT_STREQ(c.assigned, assigned.data()) << c.arg;
      EXPECT_STREQ(c.appended, appended.data()) << c.arg;
      EXPECT_STREQ(c.appended, (make(c.start) + arg).data()) << c.arg;
      EXPECT_EQ(std::strlen(c.appended), appended.length());
    });
    EXPECT_STREQ(c.assigned, zString(c.arg).data());
  }
  // A standard string ends at its first NUL; a number appends its text.
  zString s(std::string("a\0b", 3));
  s += std::string("c\0d", 3);
  s += -12;
  s += 0.5;
  EXPECT_EQ("ac-120.5|ab", std::string(s) + "|" + (zString("a") + std::string("b\0c", 3)).data());
}

struct OrderCase {
  const char *left, *right;  // nullptr: no buffer, the null pointer
  bool less, equal;
};

// clang-format off
const OrderCase kOrder[] = {
    {"abc", "abd", true, false}, {"ab", "abc", true, false}, {"", "a", true, false}, {"abc", "ab", false, false},
    {"abc", "abc", false, true}, {"abc", "ABC", false, false}, {"a", "\xE4", true, false}, {"\x7F", "\x80", true, false},
    {"\x80", "\x7F", false, false}, {"a", nullptr, false, false}, {nullptr, "", false, true}, {nullptr, "a", true, false}};
// clang-format on

TEST(NarrowCompare, BytesOrderAsUnsignedValues) {
  for (const OrderCase& c : kOrder) {
    const zString s = make(c.left);
    each_form(c.right,
              [&](const auto& right) { EXPECT_EQ(c.less, s < right) << c.left << c.right; });
    EXPECT_EQ(c.equal, s == c.right);
    EXPECT_NE(c.equal, s != c.right);
  }
}

TEST(NarrowEdit, ReplaceInsertIndexRemove) {
  const auto chars = [](const char* in, char from, char to) {
    zString s = make(in);
    const char* before = s.data();
    s.Replace(from, to);
    EXPECT_EQ(before, s.data()) << "in place";
    return std::string(s);
  };
  const auto texts = [](const char* in, const char* from, const char* to) {
    zString s = make(in);
    s.Replace(make(from), make(to));
    return std::string(s);
  };
  const auto insert = [](const char* in, const char* text, int pos) {
    zString s = make(in);
    s.Insert(zString(text), pos);
    return std::string(s);
  };
  const auto remove = [](unsigned pos, unsigned count) {
    zString tail("Hello"), range("Hello");
    EXPECT_EQ(&tail, &tail.Remove(pos));
    EXPECT_EQ(&range, &range.Remove(pos, count));
    return std::string(tail) + "|" + std::string(range);
  };
  // clang-format off
  EXPECT_EQ("HeLLo", chars("Hello", 'l', 'L'));  EXPECT_EQ("Hell0", chars("Hello", 'o', '0'));
  EXPECT_EQ("He", chars("Hello", 'l', '\0'));    EXPECT_EQ("Hello", chars("Hello", '\0', 'x'));
  EXPECT_EQ("", chars(nullptr, '\0', 'x'));      EXPECT_EQ("x\xFF", chars("\xE9\xFF", '\xE9', 'x'));
  EXPECT_EQ("aXabc", texts("abcabc", "bc", "X")); EXPECT_EQ("Xabc", texts("abc", "", "X"));
  EXPECT_EQ("ac", texts("abc", "b", nullptr));    EXPECT_EQ("abc", texts("abc", "zz", "X"));
  EXPECT_EQ("abCC", texts("abc", "c", "CC"));     EXPECT_EQ("X", texts(nullptr, nullptr, "X"));
  EXPECT_EQ("HeXYllo", insert("Hello", "XY", 2)); EXPECT_EQ("XYHello", insert("Hello", "XY", 0));
  EXPECT_EQ("HelloXY", insert("Hello", "XY", 5)); EXPECT_EQ("HelloXY", insert("Hello", "XY", INT_MAX));
  EXPECT_EQ("Hello", insert("Hello", "XY", -1));  EXPECT_EQ("Hello", insert("Hello", "XY", INT_MIN));
  EXPECT_EQ("ab", insert(nullptr, "ab", 3));
  EXPECT_EQ("H|Hlo", remove(1, 2));               EXPECT_EQ("Hel|Hel", remove(3, 10));
  EXPECT_EQ("Hello|Hello", remove(5, 1));         EXPECT_EQ("Hello|Hello", remove(6, 1));
  EXPECT_EQ("|o", remove(0, 4));                  EXPECT_EQ("He|Hello", remove(2, 0));
  EXPECT_EQ("H|H", remove(1, UINT_MAX));          EXPECT_EQ("Hello|Hello", remove(UINT_MAX, 1));
  EXPECT_EQ("|", remove(0, UINT_MAX));            EXPECT_EQ("H|H", remove(1, 2147483648u));
  EXPECT_EQ("Hello|Hello", remove(2147483648u, UINT_MAX));
  // clang-format on
  const zString s("Hello"), none;
  EXPECT_EQ(
      (std::vector<int>{2, -1, 5, 0, 2, 0, 0, -1, -1}),
      (std::vector<int>{s.Index('l'), s.Index('z'), s.Index('\0'), none.Index('\0'), s.Index("llo"),
                        s.Index(""), s.Index(nullptr), s.Index("Hello!"), none.Index("a")}));
}

struct SplitCase {
  const char* in;
  char separator;
  std::vector<std::string> keep, drop;
};

// A trailing separator opens no empty field; a NUL separator never matches.
TEST(NarrowSplit, FieldsAndTheJoinBack) {
  // clang-format off
  const SplitCase cases[] = {{"a,b,c", ',', {"a", "b", "c"}, {"a", "b", "c"}}, {"a,,b", ',', {"a", "", "b"}, {"a", "b"}},
      {",a", ',', {"", "a"}, {"a"}}, {"a,", ',', {"a"}, {"a"}}, {",", ',', {""}, {}}, {",,", ',', {"", ""}, {}},
      {"", ',', {}, {}}, {nullptr, ',', {}, {}}, {"abc", '\0', {"abc"}, {"abc"}}, {"\xE9;\xFF", ';', {"\xE9", "\xFF"}, {"\xE9", "\xFF"}}};
  // clang-format on
  for (const SplitCase& c : cases) {
    const zString s = make(c.in);
    const std::vector<zString> keep = s.ToStringList(c.separator, true);
    EXPECT_EQ(c.keep, std::vector<std::string>(keep.begin(), keep.end())) << c.in;
    const std::vector<zString> drop = s.ToStringList(c.separator, false);
    EXPECT_EQ(c.drop, std::vector<std::string>(drop.begin(), drop.end())) << c.in;
    const std::string text(s), joined(zString(keep, c.separator));
    const bool trailing = !text.empty() && text.back() == c.separator;
    EXPECT_EQ(text.substr(0, text.size() - trailing), joined) << c.in;
  }
  const std::vector<zString> list = {zString(), zString("b"), zString(""), zString("d")};
  EXPECT_STREQ(",b,,d", zString(list, ',').data());
  EXPECT_STREQ("bd", zString(list, '\0').data());
  EXPECT_STREQ("", zString(std::vector<zString>(), ',').data());
}

struct ViewCase {
  int start, length;
  const char *reads, *text, *result;
  const char* later;  // the string's text when the view is used; nullptr: unchanged
};

// Views of "Hello World" (length 11): what they read, and the string after
// text is assigned through them. A view is clipped when made; later accesses
// clip against the string's current length but never widen the view.
// clang-format off
const ViewCase kViews[] = {
    {6, 5, "World", "There", "Hello There", nullptr}, {0, 5, "Hello", "Hi", "Hi World", nullptr}, {6, 100, "World", "!", "Hello !", nullptr},
    {20, 3, "", "!", "Hello World!", nullptr}, {11, 0, "", "?", "Hello World?", nullptr}, {2, -1, "llo World", "X", "HeX", nullptr},
    {-1, 3, "", "!", "Hello World!", nullptr}, {0, 0, "", ">", ">Hello World", nullptr}, {0, 11, "Hello World", "x", "x", nullptr},
    {10, INT_MAX, "d", "D", "Hello WorlD", nullptr}, {INT_MAX, INT_MAX, "", "", "Hello World", nullptr}, {INT_MIN, 3, "", "x", "Hello Worldx", nullptr},
    {-1, -1, "", "x", "Hello Worldx", nullptr}, {3, INT_MIN, "lo World", "x", "Helx", nullptr}, {5, 1, " ", ",", "Hello,World", nullptr},
    {5, 6, " World", nullptr, "Hello", nullptr}, {3, 2, "lo", "\xE9\xFF", "Hel\xE9\xFF World", nullptr}, {6, 5, "", "x", "Hix", "Hi"},
    {2, 8, "lp", "LP!", "HeLP!", "Help"}, {6, 100, "World", "!", "Hello ! and more", "Hello World and more"},
    {20, 3, "", "!", "Hello World! and more", "Hello World and more"}};
// clang-format on

TEST(SubStringView, ReadsAndSplicesTheRange) {
  for (const ViewCase& c : kViews) {
    zString s("Hello World");
    const zString& cs = s;
    zSubString v = s(c.start, c.length);
    const zSubString read_only = cs(c.start, c.length);
    if (c.later != nullptr) s = c.later;
    SCOPED_TRACE(testing::Message() << c.start << "," << c.length);
    EXPECT_STREQ(c.reads, v.data().data());
    EXPECT_STREQ(c.reads, zString(read_only).data());
    EXPECT_TRUE(v == c.reads && (v != c.reads) == 0 && (v == "\x01") == 0 && v != "\x01");
    EXPECT_EQ(&v, &(v = c.text));
    EXPECT_STREQ(c.result, s.data());
    EXPECT_TRUE(c.later != nullptr || v == c.text);  // the view now covers the new text
  }
  zString none;
  EXPECT_STREQ("", zSubString(none, 5, 5).data().data());
  none(0, 0) = "abc";
  EXPECT_STREQ("abc", none.data());
}

// Assigning a view gives the target string the source's whole text and the
// view its range.
TEST(SubStringView, AssigningAViewCopiesStringAndRange) {
  zString a("first string"), b("second"), empty;
  zSubString va(a, 0, 5);
  EXPECT_EQ(&va, &(va = zSubString(b, 1, 3)));
  EXPECT_EQ("second|eco|second", std::string(a) + "|" + std::string(va.data()) + "|" + b.data());
  zSubString& alias = va;
  va = alias;
  EXPECT_STREQ("eco", va.data().data());
  va = zSubString(empty, 0, 0);
  EXPECT_STREQ("", a.data());
}

// Each row: text, TrimSpaceRight, TrimSpaceLeft, TrimSpace, Trim('x'). The
// right trim never removes the first byte.
// clang-format off
const char* const kTrims[][5] = {
    {"  ab  ", "  ab", "ab  ", "ab", "  ab  "}, {"   ", " ", "", "", "   "}, {" ", " ", "", "", " "},
    {"x ", "x", "x ", "x", " "}, {"", "", "", "", ""}, {"a", "a", "a", "a", "a"},
    {"a\t\n\v\f\r ", "a", "a\t\n\v\f\r ", "a", "a\t\n\v\f\r "}, {"\r\n\tx y", "\r\n\tx y", "x y", "x y", "\r\n\tx y"},
    {"xxabxx", "xxabxx", "xxabxx", "xxabxx", "ab"}, {"xxx", "xxx", "xxx", "xxx", ""}, {"axb", "axb", "axb", "axb", "axb"},
    {"x\xA0 ", "x\xA0", "x\xA0 ", "x\xA0", "\xA0 "}};
// clang-format on

// The trims work in place, return the string itself and are idempotent.
TEST(NarrowTrim, EachTrimOnEachRow) {
  ASSERT_NE(nullptr, std::setlocale(LC_CTYPE, "C"));
  for (const auto& row : kTrims) {
    for (int k = 0; k < 5; ++k) {
      zString s(row[0]);
      const char* before = s.data();
      const auto trim = [&]() -> const zString& {
        if (k < 2) return k == 0 ? s.TrimSpaceRight() : s.TrimSpaceLeft();
        return k == 2 ? s.TrimSpace() : s.Trim(k == 3 ? 'x' : '\0');
      };
      EXPECT_EQ(&s, &trim());
      EXPECT_STREQ(row[k == 4 ? 0 : k + 1], trim().data()) << '"' << row[0] << "\" trim " << k;
      EXPECT_EQ(before, s.data());
    }
  }
  zString none;
  EXPECT_STREQ("", none.TrimSpace().data());
}

// Every byte maps as the C library's toupper/tolower in the C locale, in place
// or into a copy that leaves the string alone. In an 8-bit German locale 0xE4
// has the upper-case partner 0xC4 (the locale exists where CI generates it).
TEST(NarrowCase, FollowsTheCLibraryInTheProcessLocale) {
  ASSERT_NE(nullptr, std::setlocale(LC_ALL, "C"));
  std::string all, upper, lower;
  for (int b = 1; b < 256; ++b) {
    all += static_cast<char>(b);
    upper += static_cast<char>(std::toupper(b));
    lower += static_cast<char>(std::tolower(b));
  }
  const zString s(all.c_str());
  zString up(s), down(s);
  EXPECT_TRUE(&up == &up.ToUpper() && &down == &down.ToLower() && upper == up.data());
  EXPECT_TRUE(lower == down.data() && upper == s.ToUpper().data() && lower == s.ToLower().data());
  const char* found = nullptr;
  for (const char* name : {"de_DE.ISO-8859-1", "de_DE.iso88591", "de_DE"}) {
    if ((found = std::setlocale(LC_CTYPE, name)) != nullptr) break;
  }
  if (found == nullptr) GTEST_SKIP() << "no 8-bit German locale";
  const zString e = zString("\xE4x").ToUpper(), l = zString("\xC4X").ToLower();
  std::setlocale(LC_CTYPE, "C");
  EXPECT_STREQ("\xC4X", e.data());
  EXPECT_STREQ("\xE4x", l.data());
}

TEST(NarrowAlign, PadsToExactlyTheWidth) {
  // clang-format off
  const std::tuple<const char*, int, std::string> cases[] = {
      {"ab", 5, "ab   "}, {"abcdef", 3, "abcdef"}, {"", 25, std::string(25, ' ')}, {"ab", 2, "ab"}, {nullptr, 3, "   "},
      {"ab", -1, "ab"}, {"a", 17, "a" + std::string(16, ' ')}, {"abc", INT_MIN, "abc"}, {nullptr, -1, ""}, {"ab", -10, "ab"}};
  // clang-format on
  for (const auto& [in, width, want] : cases) {
    zString s = in ? zString(in) : zString();
    EXPECT_EQ(&s, &s.AlignLeftWithSize(width));
    EXPECT_EQ(want, s.data()) << in << " to " << width;
  }
}

}  // namespace

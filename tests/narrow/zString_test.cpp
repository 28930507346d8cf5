// zString and zSubString behaviour tables: every row of a family runs through
// each overload that forwards to it; positions, counts and widths near 2^31
// and 2^32 are rows like any other. Number texts are checked against printf.
// (Passing the string itself as an argument is fuzzed: fuzz_strings.)
#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
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
      EXPECT_TRUE(&assigned == &(assigned = arg) && &appended == &(appended += arg));
      EXPECT_EQ(
          std::string(c.assigned) + "|" + c.appended + "|" + c.appended,
          std::string(assigned) + "|" + std::string(appended) + "|" + (make(c.start) + arg).data());
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
  va = static_cast<zSubString&>(va);
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

// Bytes map through toupper/tolower of the process locale, in place or into a
// copy; in the 8-bit German locale CI generates, 0xE4 has the partner 0xC4.
TEST(NarrowCase, FollowsTheCLibraryInTheProcessLocale) {
  ASSERT_NE(nullptr, std::setlocale(LC_ALL, "C"));
  zString s("aZ@[`{\x7F\xE4");
  const zString& cs = s;
  EXPECT_EQ("AZ@[`{\x7F\xE4|az@[`{\x7F\xE4", std::string(cs.ToUpper()) + "|" + cs.ToLower().data());
  EXPECT_TRUE(&s == &s.ToUpper() && s == "AZ@[`{\x7F\xE4" && &s == &s.ToLower() &&
              s == "az@[`{\x7F\xE4");
  if (std::setlocale(LC_CTYPE, "de_DE.ISO-8859-1") == nullptr)
    GTEST_SKIP() << "no locale; localedef -i de_DE -f ISO-8859-1 de_DE.ISO-8859-1";
  const zString e = zString("\xE4x").ToUpper(), l = zString("\xC4X").ToLower();
  std::setlocale(LC_CTYPE, "C");
  EXPECT_EQ("\xC4X|\xE4x", std::string(e) + "|" + l.data());
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

// Exposes the protected Set family, as a derived client class would use it.
struct Settable : zString {
  using zString::operator=;
  using zString::Set;
};

std::string printf_text(const char* format, double value) {
  // mingw-w64's printf drops the sign of a NaN; glibc's, which the library
  // follows on every platform, writes it.
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  char text[1024];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

TEST(NarrowNumbers, IntegersAreDecimal) {
  Settable a, b, c;
  a.Set(static_cast<__int64>(-5000000000LL));
  b.Set(4294967295UL);
  c = 5;
  c += -12;
  const zString got = zString(-7) + zString(std::numeric_limits<int>::min()) +
                      zString(static_cast<__int64>(std::numeric_limits<long long>::min())) + a +
                      "," + b + "," + c;
  EXPECT_STREQ("-7-2147483648-9223372036854775808-5000000000,4294967295,5-12", got.data());
}

// Powers of ten, the limits, the edges of the whole-number shortcut below
// 10^10, random bit patterns and random binary fractions, through the
// constructor, Set, assignment and appending, in the C and a ',' locale.
TEST(NarrowNumbers, DoublesMatchPrintfInTheCLocale) {
  using Limits = std::numeric_limits<double>;
  std::vector<double> values = {9.9999999995,       99999.99999,          0.0009765625,
                                Limits::min(),      Limits::denorm_min(), Limits::max(),
                                Limits::infinity(), Limits::quiet_NaN()};
  for (const double whole :
       {0.0, 7.0, 1234567890.0, 9999999999.0, 1e10, 1e10 + 1, 4294967296.0, 9007199254740993.0}) {
    values.insert(values.end(), {whole, -whole});
  }
  for (int e = -320; e <= 308; ++e) values.push_back(std::pow(10.0, e));
  std::mt19937_64 random(42);
  while (values.size() < 20000) {
    const std::uint64_t bits = random();
    values.push_back(static_cast<double>(random() % 2000000) / 1024.0 - 900.0);
    std::memcpy(&values.emplace_back(), &bits, sizeof bits);
  }
  ASSERT_NE(nullptr, std::setlocale(LC_ALL, "C"));
  std::vector<std::string> expected;
  for (const double value : values) {
    expected.push_back(printf_text("%.10g", value));
    expected.push_back(printf_text("%.20g", value));
  }
  // The numeric locale must not matter (where CI generated one with a ',').
  const bool comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
  Settable s;
  for (std::size_t i = 0; i < values.size(); ++i) {
    zString appended("x");
    appended += values[i];
    s.Set(values[i], true);
    ASSERT_EQ(expected[2 * i + 1], s.data()) << values[i];
    s = values[i];
    ASSERT_TRUE(expected[2 * i] == s.data() && "x" + expected[2 * i] == appended.data())
        << values[i];
    ASSERT_EQ(expected[2 * i], zString(values[i], false).data()) << values[i];
    ASSERT_EQ(expected[2 * i + 1], zString(values[i], true).data()) << values[i];
  }
  std::setlocale(LC_NUMERIC, "C");
  if (!comma) GTEST_SKIP() << "no ',' locale; localedef -i de_DE -f UTF-8 de_DE.UTF-8";
}

}  // namespace

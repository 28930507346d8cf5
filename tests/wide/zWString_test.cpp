// zWString behaviour tables. Each row runs through every overload that
// forwards to the same rule; positions and counts near 2^31 and 2^32 are rows.
// (Passing the string itself as an argument is fuzzed: fuzz_strings.)
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <clocale>
#include <cstdio>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "zWString.h"

namespace {

constexpr unsigned kNpos = UINT_MAX;

std::wstring units(const zWString& s) { return std::wstring(s.c_str(), s.size()); }
std::wstring units(std::initializer_list<unsigned> list) {
  std::wstring text;
  for (unsigned u : list) text += static_cast<wchar_t>(u);
  return text;
}

// What call gives: its text, or the type and text of the exception it throws.
template <typename Call>
std::wstring outcome(Call call) {
  std::string what;
  try {
    return call();
  } catch (const std::out_of_range& e) {
    what = std::string("out_of_range: ") + e.what();
  } catch (const std::length_error& e) {
    what = std::string("length_error: ") + e.what();
  }
  return std::wstring(what.begin(), what.end());
}

const wchar_t* const kBad = L"out_of_range: invalid string position";
const wchar_t* const kLong = L"length_error: string too long";

TEST(WideStorage, ConstructionAssignmentAndConcatenation) {
  const std::wstring with_nul(L"ab\0cd", 5);
  zWString s(L"ab"), t;
  EXPECT_TRUE(units(zWString(with_nul)) == with_nul && units(zWString(with_nul.c_str())) == L"ab");
  EXPECT_TRUE(units(zWString(L'\0')) == std::wstring(1, L'\0') && zWString()[0u] == L'\0');
  EXPECT_TRUE(zWString().empty() && !s.empty() && s.length() == 2u && s.max_size() == 2147483646u);
  EXPECT_EQ(&t, &(t = s));
  t[0u] = L'x';
  EXPECT_TRUE(t.getWStringData() == L"xb" && std::wstring(t) == L"xb" && units(s) == L"ab");
  EXPECT_TRUE(units(L"xy" + s + L"cd") == L"xyabcd" && units(s + t) == L"abxb");
  EXPECT_EQ(&s, &(s += s));
  EXPECT_EQ(&s, &(s += L'\0'));
  EXPECT_EQ(std::wstring(L"abab\0", 5), units(s));
}

// Where wchar_t holds 32 bits a valid high+low pair becomes one unit; every
// other unit stays. The rows pin both ends of both surrogate ranges.
TEST(WideStorage, Utf16InputJoinsValidSurrogatePairs) {
  // clang-format off
  const std::tuple<std::vector<unsigned short>, std::wstring> cases[] = {
      {{0x41, 0xD83D, 0xDE00}, units({0x41, 0x1F600})}, {{0xD800, 0xDC00}, units({0x10000})}, {{0xDBFF, 0xDFFF}, units({0x10FFFF})},
      {{0xDBFF, 0xDC00, 0x43}, units({0x10FC00, 0x43})}, {{0xD7FF, 0xDC00}, units({0xD7FF, 0xDC00})},
      {{0xD800, 0xDBFF}, units({0xD800, 0xDBFF})}, {{0xDC00, 0xD800}, units({0xDC00, 0xD800})}, {{0xD800, 0xE000}, units({0xD800, 0xE000})},
      {{0xDBFF, 0xD7FF}, units({0xDBFF, 0xD7FF})}, {{0xE000, 0xDC00}, units({0xE000, 0xDC00})}, {{0xD800}, units({0xD800})}};
  // clang-format on
  for (auto [in, want] : cases) {
    std::wstring same(in.begin(), in.end());
    if (sizeof(wchar_t) == 2) want = same;
    in.push_back(0);
    zWString assigned(L"old");
    EXPECT_EQ(&assigned, &(assigned = in.data()));
    EXPECT_EQ(want, units(zWString(in.data()))) << std::hex << in[0] << " " << in[1];
    EXPECT_EQ(want, units(assigned)) << std::hex << in[0] << " " << in[1];
  }
}

// Each row: pos, n; then on L"abcdef" the text after erase(pos, n) (and
// Remove(pos, n)), after replace(pos, n, "XY") in its three forms, of
// substr(pos, n) (and the call operator), after Insert("XY", int(pos)), after
// ReplaceSubString(pos, n, "XY") and after Remove(pos).
// clang-format off
const std::tuple<unsigned, unsigned, const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*> kRanges[] = {
    {1, 2, L"adef", L"aXYdef", L"bc", L"aXYbcdef", L"aXYdef", L"a"},
    {0, 0, L"abcdef", L"XYabcdef", L"", L"XYabcdef", L"XYabcdef", L""},
    {5, kNpos, L"abcde", L"abcdeXY", L"f", L"abcdeXYf", L"abcdeXY", L"abcde"},
    {6, 1, L"abcdef", L"abcdefXY", L"", L"abcdefXY", L"abcdef", L"abcdef"},
    {1, 2147483648u, L"a", L"aXY", L"bcdef", L"aXYbcdef", L"aXY", L"a"},
    {1, kNpos - 1, L"a", L"aXY", L"bcdef", L"aXYbcdef", L"aXY", L"a"},
    {7, 0, kBad, kBad, kBad, kBad, L"abcdef", kBad},
    {kNpos, 1, kBad, kBad, kBad, kBad, L"abcdef", kBad},
    {kNpos - 5, 10, kBad, kBad, kBad, kBad, L"abcdef", kBad},
    {2147483648u, 1, kBad, kBad, kBad, kBad, L"abcdef", kBad}};
// clang-format on

TEST(WideEdit, RangesArePositionCheckedAndCountsClipped) {
  const zWString xy(L"XY");
  for (const auto& [pos, n, erased, replaced, part, inserted, spliced, removed] : kRanges) {
    SCOPED_TRACE(testing::Message() << pos << "," << n);
    // Each call works on its own copy of L"abcdef"; a throwing one must leave it so.
    const auto on = [](auto edit) {
      return [edit] {
        zWString s(L"abcdef");
        const std::wstring result = outcome([&] { return edit(s); });
        return result == kBad && units(s) != L"abcdef" ? L"changed by a throw" : result;
      };
    };
    const int ipos = static_cast<int>(pos), in = static_cast<int>(n);
    EXPECT_EQ(erased, on([&](zWString& s) { return s.erase(pos, n); })());
    EXPECT_EQ(erased, on([&](zWString& s) { return units(s.Remove(pos, n)); })());
    EXPECT_EQ(replaced, on([&](zWString& s) { return s.replace(pos, n, xy); })());
    EXPECT_EQ(replaced, on([&](zWString& s) { return s.replace(pos, n, L"XY"); })());
    EXPECT_EQ(replaced, on([&](zWString& s) { return s.replace(pos, n, std::wstring(L"XY")); })());
    EXPECT_EQ(part, on([&](zWString& s) { return s.substr(pos, n); })());
    EXPECT_EQ(part, on([&](zWString& s) { return units(s(ipos, in)); })());
    EXPECT_EQ(part, on([&](zWString& s) { return units(std::as_const(s)(ipos, in)); })());
    EXPECT_EQ(inserted, on([&](zWString& s) { return s.Insert(xy, ipos), units(s); })());
    EXPECT_EQ(spliced, on([&](zWString& s) { return units(s.ReplaceSubString(pos, n, xy)); })());
    EXPECT_EQ(removed, on([&](zWString& s) { return units(s.Remove(pos)); })());
  }
}

// Growth past max_size() is refused before anything is allocated.
TEST(WideEdit, GrowthPastMaxSizeThrowsAndChangesNothing) {
  // clang-format off
  const std::function<void(zWString&)> calls[] = {[](zWString& s) { s.resize(2147483647u); }, [](zWString& s) { s.resize(kNpos); },
      [](zWString& s) { s.append(2147483641u, L'x'); }, [](zWString& s) { s.append(kNpos, L'x'); },
      [](zWString& s) { s.assign(2147483647u, 'x'); }, [](zWString& s) { s.assign(kNpos, 'x'); },
      [](zWString& s) { s.AlignLeftWithSize(INT_MAX); }};
  // clang-format on
  for (const auto& call : calls) {
    zWString s(L"abcdef");
    EXPECT_EQ(kLong, outcome([&] { return call(s), std::wstring(); }));
    EXPECT_EQ(L"abcdef", units(s));
  }
  zWString s(L"ab");
  s.resize(3);
  EXPECT_EQ(std::wstring(L"ab\0", 3), units(s));
  EXPECT_TRUE(s.assign(2, '\xE9') == units({0xFFE9, 0xFFE9}) && &s == &s.append(1, L'\0'));
  s.resize(1);
  EXPECT_EQ(units({0xFFE9}), units(s));
}

TEST(WideEdit, ReplaceFirstOccurrenceAndUnits) {
  // Each row: text, what, with, whether found, text after.
  // clang-format off
  const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, bool, const wchar_t*> cases[] = {{L"aaa", L"a", L"b", true, L"baa"},
      {L"abc", L"zz", L"b", false, L"abc"}, {L"", L"", L"x", true, L"x"}, {L"abab", L"ab", L"", true, L"ab"}, {L"abc", L"c", L"cc", true, L"abcc"}};
  // clang-format on
  for (const auto& [text, what, with, found, expected] : cases) {
    zWString s(text);
    EXPECT_TRUE(found == s.Replace(zWString(what), zWString(with)) && expected == units(s)) << what;
  }
  zWString path(L"C:\\dir\\\\sub/..\\F.TXT\\"), t(L"abab"), u(L"abab");
  path.normaliseFilePath();
  t.ReplaceWChar(L'b', L'\0');
  u.ReplaceWChar(u[0u], L'x');  // the unit to replace may be read from the string itself
  EXPECT_TRUE(units(path) == L"C:/dir//sub/../F.TXT/" && units(t) == std::wstring(L"a\0a\0", 4));
  EXPECT_EQ(L"xbxb", units(u));
}

// Each row: text, pattern, pos, find (all forms and Index), rfind.
// clang-format off
const std::tuple<std::wstring, std::wstring, unsigned, unsigned, unsigned> kFinds[] = {
    {L"abcabc", L"bc", 0, 1, kNpos}, {L"abcabc", L"bc", 2, 4, 1}, {L"abcabc", L"bc", 5, kNpos, 4}, {L"abc", L"zz", 0, kNpos, kNpos},
    {L"abc", L"", 3, 3, 3}, {L"abc", L"", 4, kNpos, 3}, {L"abc", L"c", 3, kNpos, 2}, {L"abc", L"bcd", 1, kNpos, kNpos},
    {L"", L"", 0, 0, 0}, {L"abcabc", L"a", kNpos, kNpos, 3}, {L"abc", L"", 2147483648u, kNpos, 3}, {L"abc", L"a", 0, 0, 0},
    {std::wstring(L"ab\0cd\0ef", 8), std::wstring(L"\0e", 2), 5, 5, 5}};
// clang-format on

TEST(WideSearch, FindAndRfindInEveryForm) {
  for (const auto& [text, pattern, pos, first, last] : kFinds) {
    const zWString s(text), p(pattern);
    SCOPED_TRACE(testing::Message() << text.c_str() << " " << pattern.c_str() << " " << pos);
    const int index = static_cast<int>(first);
    if (pattern.find(L'\0') == std::wstring::npos) {
      EXPECT_TRUE(first == s.find(pattern.c_str(), pos) && index == s.Index(pattern.c_str(), pos));
      EXPECT_EQ(first == pos, s.containsAt(pattern.c_str(), pos));
    }
    EXPECT_TRUE(first == s.find(p, pos) && index == s.Index(p, pos));
    EXPECT_EQ(last, s.rfind(pattern, pos));
  }
  // A narrow char is sign-extended: 0xE9 finds U+FFE9, 0x80 U+FF80.
  const zWString e = units({'a', 0xE9, 'b', 0xFFE9, 0x7F, 0x80, 0xFF80, 0x7F});
  EXPECT_TRUE(e.find('\xE9') == 3u && e.Index('\x80') == 6 && e.find('\x7F', 5) == 7u &&
              e.find('b', 3) == kNpos);
  EXPECT_TRUE(zWString(L"abcabc").rfind(L"bc") == 4u && zWString(L"bab").find(L"b") == 0u);
}

// Each row: set, start position, find_first_of, find_last_of in "a,b;c".
TEST(WideSearch, SetsFromBothEnds) {
  const zWString s(L"a,b;c");
  // clang-format off
  const std::tuple<const wchar_t*, unsigned, unsigned, unsigned> cases[] = {{L";,", 0, 1, kNpos}, {L";,", 2, 3, 1},
      {L";,", 5, kNpos, 3}, {L"", 1, kNpos, kNpos}, {L"c", 100, kNpos, 4}, {L"a", kNpos, kNpos, 0}, {L"c;", 4, 4, 4}};
  // clang-format on
  for (const auto& [set, pos, first, last] : cases) {
    EXPECT_TRUE(first == s.find_first_of(set, pos) && last == s.find_last_of(set, pos))
        << set << pos;
  }
  EXPECT_TRUE(s.find_first_of(L";,") == 1u && s.find_last_of(L";,") == 3u);
  EXPECT_EQ(kNpos, zWString().find_last_of(L"a"));
}

// Units order as unsigned numbers, then by length; equality sees embedded NULs.
TEST(WideCompare, OrdersByUnsignedUnitThenLength) {
  const std::wstring high = units({sizeof(wchar_t) == 2 ? 0xFFFFu : 0xFFFFFFFFu});
  // clang-format off
  const std::tuple<std::wstring, std::wstring, int> cases[] = {{L"ab", L"abc", -1}, {L"Z", L"a", -1}, {L"\x00E9", L"z", 1},
      {L"abc", L"abc", 0}, {high, L"a", 1}, {units({0x7FFF}), units({0x8000}), -1}, {L"", L"", 0}, {L"b", L"abc", 1},
      {std::wstring(L"a\0b", 3), std::wstring(L"a\0c", 3), -1}};
  // clang-format on
  for (const auto& [left_text, right_text, expected] : cases) {
    const zWString left(left_text), right(right_text);
    SCOPED_TRACE(testing::Message() << left_text.c_str() << " " << right_text.c_str());
    EXPECT_TRUE(left.compare(right_text) == expected && right.compare(left_text) == -expected);
    EXPECT_TRUE(right_text.find(L'\0') != std::wstring::npos ||
                (left != right_text.c_str()) == (expected != 0));
    EXPECT_EQ((std::vector<bool>{expected<0, expected> 0, expected == 0, expected != 0}),
              (std::vector<bool>{left < right, right < left, left == right, left != right}));
  }
  EXPECT_TRUE(zWString(std::wstring(L"abc\0", 4)) != L"abc");
}

// The text after the last separator is always a field; join puts the
// separator between neighbours only, and joining a split gives the text back.
TEST(WideSplit, FieldsAndTheJoinBack) {
  using Fields = std::vector<std::wstring>;
  // clang-format off
  const std::tuple<std::wstring, wchar_t, Fields, Fields> cases[] = {{L",a,,b,", L',', {L"", L"a", L"", L"b", L""}, {L"a", L"b"}},
      {L"", L',', {L""}, {}}, {L"abc", L',', {L"abc"}, {L"abc"}}, {L",", L',', {L"", L""}, {}},
      {std::wstring(L"a\0b,c", 5), L'\0', {L"a", L"b,c"}, {L"a", L"b,c"}}};
  // clang-format on
  for (const auto& [text, separator, keep, drop] : cases) {
    const zWString s(text);
    const std::vector<zWString> kept = s.ToStringList(separator, true),
                                dropped = s.ToStringList(separator, false);
    Fields got_keep, got_drop;
    for (const zWString& f : kept) got_keep.push_back(units(f));
    for (const zWString& f : dropped) got_drop.push_back(units(f));
    EXPECT_TRUE(keep == got_keep && drop == got_drop) << text.c_str();
    EXPECT_TRUE(separator == L'\0' || units(zWString(kept, separator)) == text);
  }
  const std::vector<zWString> list = {zWString(L"a"), zWString(), zWString(L"b")};
  EXPECT_TRUE(units(zWString(list, L',')) == L"a,,b" && units(zWString(list, L'\0')) == L"ab");
  EXPECT_TRUE(zWString(std::vector<zWString>{}, L',').empty());
}

TEST(WideNumbers, IntegersInPlainDecimal) {
  const std::wstring got = units(zWString(short{-32768})) + units(zWString(short{32767})) +
                           units(zWString(INT_MIN)) + units(zWString(4294967295u)) +
                           units(zWString(0L)) + units(zWString(static_cast<__int64>(LLONG_MIN))) +
                           units(zWString(LONG_MAX));
  EXPECT_EQ(std::wstring(L"-3276832767-21474836484294967295") + L"0-9223372036854775808" +
                (sizeof(long) == 8 ? L"9223372036854775807" : L"2147483647"),
            got);
}

// The C library in the C locale writes the reference texts; only the first
// 127 units are kept.
TEST(WideNumbers, PrintfConversionsAreCutAt127Units) {
  ASSERT_NE(nullptr, std::setlocale(LC_ALL, "C"));
  // clang-format off
  const std::tuple<double, char, int, const char*> cases[] = {
      {1234.5, 'e', 2, "%.*e"}, {1e-5, 'g', 6, "%.*g"}, {100.0, 'G', 0, "%.*G"}, {-0.5, 'f', 0, "%.*f"},
      {1.0 / 3, 'f', 200, "%.*f"}, {1e-300, 'E', 150, "%.*E"}, {0.1, 'g', 60, "%.*g"}, {-1e300, 'f', 5000, "%.*f"},
      {3.14159, 'f', 2, "%.*f"}, {1e200, 'f', 0, "%.*f"}, {0.5, 'f', -1, "%.*f"}, {-std::numeric_limits<double>::infinity(), 'E', 2, "%.*E"},
      {1.0 / 3, 'f', 125, "%.*f"}, {1.0 / 3, 'f', 126, "%.*f"}, {std::numeric_limits<double>::quiet_NaN(), 'G', 2, "%.*G"}};
  // clang-format on
  for (const auto& [value, conversion, precision, format] : cases) {
    std::vector<char> expected(std::max(precision, 0) + 400);
    std::snprintf(expected.data(), expected.size(), format, precision, value);
    std::string text(expected.data());
    if (text == "-nan" || text == "-NAN") text.erase(0, 1);  // mingw-w64 prints no sign
    text.resize(std::min<std::size_t>(text.size(), 127));
    EXPECT_EQ(std::wstring(text.begin(), text.end()), units(zWString(value, conversion, precision)))
        << value << " " << conversion << " " << precision;
  }
  // A precision far past a double's exact digits: zeros, or the exact expansion.
  EXPECT_EQ(L"0.5" + std::wstring(124, L'0'), units(zWString(0.5, 'f', INT_MAX)));
  EXPECT_EQ(L"5." + std::wstring(125, L'0'), units(zWString(0.5, 'e', INT_MAX)));
  EXPECT_EQ(L"0.1000000000000000055511151231257827021181583404541015625",
            units(zWString(0.1, 'g', INT_MAX)));
}

// Ten or twenty significant digits; plus, append and streaming use ten.
TEST(WideNumbers, TenOrTwentySignificantDigitsAndAppending) {
  EXPECT_EQ(L"0.3333333333|0.10000000000000000555|1234567890|1234567890.125|-0",
            units(zWString(1.0 / 3, false)) + L"|" + units(zWString(0.1, true)) + L"|" +
                units(zWString(1234567890.125, false)) + L"|" +
                units(zWString(1234567890.125, true)) + L"|" + units(zWString(-0.0, false)));
  zWString s(L"x="), b;
  EXPECT_TRUE(units(s + 1.0 / 3) == L"x=0.3333333333" && &s == &(s += 0.25) && &b == &(b << true));
  b << L"!" << false << L"";
  EXPECT_EQ(L"x=0.25|true!false", units(s) + L"|" + units(b));
}

// Each row: text, Trim('x') (returned and kept), TrimRight('x') (returned;
// the string stays), stripString(",;x"), NextToken(",;") and what it leaves.
// clang-format off
const std::tuple<std::wstring, const wchar_t*, const wchar_t*, std::wstring, std::wstring, std::wstring> kTrims[] = {
    {L"xxaxbxx", L"axb", L"xxaxb", L"axb", L"xxaxbxx", L"xxaxbxx"}, {L"xaxx", L"a", L"xa", L"a", L"xaxx", L"xaxx"},
    {L"xxx", L"", L"", L"", L"xxx", L"xxx"}, {L"", L"", L"", L"", L"", L""},
    {L";,a,b;;", L";,a,b;;", L";,a,b;;", L"a,b", L"", L";,a,b;;"}, {L"ab;cd,e", L"ab;cd,e", L"ab;cd,e", L"ab;cd,e", L"ab", L";cd,e"},
    {L"a,", L"a,", L"a,", L"a", L"a", L","}, {std::wstring(L"\0a\0", 3), L"", L"", std::wstring(L"\0a\0", 3), std::wstring(L"\0a\0", 3), std::wstring(L"\0a\0", 3)}};
// clang-format on

TEST(WideTrim, TrimStripAndNextToken) {
  for (const auto& [text, trimmed, right, stripped, token, rest] : kTrims) {
    SCOPED_TRACE(testing::Message() << text.c_str());
    zWString s(text), r(text), st(text), t(text);
    wchar_t set[] = L",;x", delimiters[] = L",;";
    if (text.find(L'\0') == std::wstring::npos) {
      EXPECT_TRUE(trimmed == units(s.Trim(L'x')) && trimmed == units(s) &&
                  trimmed == units(s.Trim(L'x')));
      EXPECT_TRUE(right == units(r.TrimRight(L'x')) && text == units(r));
    }
    EXPECT_TRUE(stripped == units(st.stripString(set)) && stripped == units(st.stripString(set)));
    EXPECT_TRUE(token == units(t.NextToken(delimiters)) && rest == units(t));
  }
  zWString s(L"  a b  "), t(L"\t a\n\x00A0 "), whole(L"abc");
  wchar_t none[] = L"";
  EXPECT_TRUE(units(s.TrimSpace()) == L"a b" && units(s) == L"a b");
  EXPECT_EQ(L"\t a\n\x00A0", units(t.TrimSpace()));
  EXPECT_TRUE(units(whole.NextToken(none)) == L"abc" && units(whole.stripString(none)) == L"abc");
}

TEST(WideAlign, PadsWithSpacesAndNeverShortens) {
  // clang-format off
  const std::tuple<const wchar_t*, int, const wchar_t*> cases[] = {{L"abc", 8, L"abc     "}, {L"abcdefghij", 8, L"abcdefghij"},
      {L"abc", 3, L"abc"}, {L"abc", 4, L"abc "}, {L"abc", -1, L"abc"}, {L"abc", INT_MIN, L"abc"}, {L"", 2, L"  "}};
  // clang-format on
  for (const auto& [text, width, expected] : cases) {
    zWString s(text);
    EXPECT_TRUE(&s == &s.AlignLeftWithSize(width) && expected == units(s)) << text << " " << width;
  }
}

// Mapping follows the process locale: under C only ASCII letters change;
// under UTF-8 (glibc) or a named Windows locale (".1252") others do too.
TEST(WideCase, MapsUnitByUnitThroughTheProcessLocale) {
  ASSERT_NE(nullptr, std::setlocale(LC_CTYPE, "C"));
  const zWString s(std::wstring(L"Hi, W\0aB@[`{\x00E9", 13));
  EXPECT_EQ(std::wstring(L"hi, w\0ab@[`{\x00E9|HI, W\0AB@[`{\x00E9", 27),
            units(s.lowerCase()) + L"|" + units(s.upperCase()));
  if (!std::setlocale(LC_CTYPE, "C.utf8") && !std::setlocale(LC_CTYPE, ".1252"))
    GTEST_SKIP() << "no locale";
  const std::wstring mapped =
      units(zWString(L"\x00E9\x03C3").upperCase()) + units(zWString(L"\x00C9\x03A3").lowerCase());
  std::setlocale(LC_CTYPE, "C");
  EXPECT_EQ(L"\x00C9\x03A3\x00E9\x03C3", mapped);
}

}  // namespace

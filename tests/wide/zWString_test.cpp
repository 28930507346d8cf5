// zWString behaviour tables: construction, the position-checked edits, search,
// comparison, split and join. Each row runs through every overload that
// forwards to the same rule; positions and counts near 2^31 and 2^32 are rows.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
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

// What call gives: its text, or "!" and the exception text when it throws.
template <typename Call>
std::wstring outcome(Call call) {
  try {
    return call();
  } catch (const std::exception& e) {
    const std::string what = e.what();
    return L"!" + std::wstring(what.begin(), what.end());
  }
}

const wchar_t* const kBad = L"!invalid string position";
const wchar_t* const kLong = L"!string too long";

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
        return result[0] == L'!' && units(s) != L"abcdef" ? L"changed by a throw" : result;
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
  EXPECT_EQ(units({0xFFE9, 0xFFE9}), s.assign(2, '\xE9'));  // sign-extended
  EXPECT_EQ(&s, &s.append(1, L'\0'));
  s.resize(1);
  EXPECT_EQ(units({0xFFE9}), units(s));
}

// An argument that is this string, or points into it, acts like a copy.
TEST(WideEdit, OwnTextAsArgumentActsLikeACopy) {
  const auto run = [](auto op) {
    zWString self(L"abcab"), other(L"abcab");
    const zWString copy(self);
    op(self, self);
    op(other, copy);
    EXPECT_EQ(units(other), units(self));
  };
  run([](zWString& s, const zWString& a) { s = a; });
  run([](zWString& s, const zWString& a) { s = a.c_str() + 2; });
  run([](zWString& s, const zWString& a) { s += a; });
  run([](zWString& s, const zWString& a) { s.Insert(a, 2); });
  run([](zWString& s, const zWString& a) { s.replace(1, 2, a); });
  run([](zWString& s, const zWString& a) { s.replace(1, 2, a.c_str() + 3); });
  run([](zWString& s, const zWString& a) { s.ReplaceSubString(1, 1, a); });
  run([](zWString& s, const zWString& a) { s.Replace(zWString(L"b"), a); });
  run([](zWString& s, const zWString& a) { s.ReplaceWChar(a[0u], a[1u]); });
}

TEST(WideEdit, ReplaceFirstOccurrenceAndUnits) {
  // Each row: text, what, with, whether found, text after.
  // clang-format off
  const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, bool, const wchar_t*> cases[] = {{L"aaa", L"a", L"b", true, L"baa"},
      {L"abc", L"zz", L"b", false, L"abc"}, {L"", L"", L"x", true, L"x"}, {L"abab", L"ab", L"", true, L"ab"}, {L"abc", L"c", L"cc", true, L"abcc"}};
  // clang-format on
  for (const auto& [text, what, with, found, expected] : cases) {
    zWString s(text);
    EXPECT_EQ(found, s.Replace(zWString(what), zWString(with))) << text << " " << what;
    EXPECT_EQ(expected, units(s)) << text << " " << what;
  }
  zWString path(L"C:\\dir\\\\sub/..\\F.TXT\\"), t(L"abab");
  path.normaliseFilePath();
  t.ReplaceWChar(L'b', L'\0');
  EXPECT_EQ(L"C:/dir//sub/../F.TXT/", units(path));
  EXPECT_EQ(std::wstring(L"a\0a\0", 4), units(t));
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
  const zWString e(
      L"a\x00E9"
      L"b\xFFE9");
  EXPECT_TRUE(e.find('\xE9') == 3u && e.Index('\xE9') == 3 && e.find('b', 3) == kNpos);
  const zWString edge = units({0x7F, 0x80, 0xFF80, 0x7F});
  EXPECT_TRUE(edge.find('\x80') == 2u && edge.find('\x7F', 1) == 3u && edge.Index('a') == -1);
  EXPECT_TRUE(zWString(L"abc").containsAt(L"zz", kNpos) && zWString().find(L"a") == kNpos);
  EXPECT_EQ(4u, zWString(L"abcabc").rfind(L"bc"));
  EXPECT_EQ(0u, zWString(L"bab").find(L"b"));
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
    EXPECT_EQ(expected, left.compare(right_text));
    EXPECT_EQ(-expected, right.compare(left_text));
    if (right_text.find(L'\0') == std::wstring::npos) {
      EXPECT_EQ(expected != 0, left != right_text.c_str());
    }
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
    if (separator != L'\0') {
      EXPECT_EQ(text, units(zWString(kept, separator)));
    }
  }
  const std::vector<zWString> list = {zWString(L"a"), zWString(), zWString(L"b")};
  EXPECT_EQ(L"a,,b", units(zWString(list, L',')));
  EXPECT_EQ(L"ab", units(zWString(list, L'\0')));
  EXPECT_EQ(L"", units(zWString(std::vector<zWString>{}, L',')));
}

}  // namespace

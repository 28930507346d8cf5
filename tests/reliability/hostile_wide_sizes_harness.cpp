// zWString with positions, counts, widths and precisions near 2^31 and 2^32:
// "string too long" and "invalid string position" come before any
// allocation, counts clip, and a huge precision is cut at 127 units. As in
// hostile_sizes_harness.cpp, allocations above 64 MiB are refused and reported.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <stdexcept>
#include <string>

#include "capped_allocations.h"
#include "zWString.h"

namespace {

constexpr unsigned kMaxU = UINT_MAX;
constexpr unsigned kNpos = 4294967295u;

using HostileWideSizes = zodode::testing::CappedAllocations;

struct ThrowCase {
  const char* name;
  std::function<void(zWString&)> op;
};

template <typename Error>
void expect_each_throws(const ThrowCase* begin, const ThrowCase* end, const char* text) {
  for (const ThrowCase* c = begin; c != end; ++c) {
    zWString w(L"abcdef");
    try {
      c->op(w);
      ADD_FAILURE() << c->name << ": no exception";
    } catch (const Error& e) {
      EXPECT_STREQ(text, e.what()) << c->name;
    }
    EXPECT_EQ(L"abcdef", w.getWStringData()) << c->name;
  }
}

TEST_F(HostileWideSizes, GrowthPastTheMaximumIsTooLongAtOnce) {
  const ThrowCase cases[] = {
      {"resize(UINT_MAX)", [](zWString& w) { w.resize(kMaxU); }},
      {"resize(2^31 - 1)", [](zWString& w) { w.resize(2147483647u); }},
      {"append(UINT_MAX)", [](zWString& w) { w.append(kMaxU, L'x'); }},
      {"append to one past the maximum", [](zWString& w) { w.append(2147483641u, L'x'); }},
      {"assign(UINT_MAX)", [](zWString& w) { w.assign(kMaxU, 'x'); }},
      {"assign(2^31)", [](zWString& w) { w.assign(2147483648u, 'x'); }},
      {"AlignLeftWithSize(INT_MAX)", [](zWString& w) { w.AlignLeftWithSize(INT_MAX); }},
  };
  expect_each_throws<std::length_error>(std::begin(cases), std::end(cases), "string too long");
}

TEST_F(HostileWideSizes, PositionsPastTheEndAreInvalidAtOnce) {
  const ThrowCase cases[] = {
      {"erase(UINT_MAX, 1)", [](zWString& w) { w.erase(kMaxU, 1); }},
      {"substr(2^31, 1)", [](zWString& w) { w.substr(2147483648u, 1); }},
      {"replace(UINT_MAX, 0, ...)", [](zWString& w) { w.replace(kMaxU, 0, L"x"); }},
      {"operator()(INT_MIN, 1)", [](zWString& w) { w(INT_MIN, 1); }},
      {"operator()(-1, -1)", [](zWString& w) { w(-1, -1); }},
      {"Insert at -1", [](zWString& w) { w.Insert(zWString(L"x"), -1); }},
      {"Insert at INT_MAX", [](zWString& w) { w.Insert(zWString(L"x"), INT_MAX); }},
      {"Remove(UINT_MAX)", [](zWString& w) { w.Remove(kMaxU); }},
      {"Remove(2^31, 1)", [](zWString& w) { w.Remove(2147483648u, 1); }},
  };
  expect_each_throws<std::out_of_range>(std::begin(cases), std::end(cases),
                                        "invalid string position");
}

TEST_F(HostileWideSizes, HugeCountsClip) {
  zWString w(L"abcdef");
  EXPECT_EQ(L"abcdef", w(0, INT_MIN).getWStringData());
  EXPECT_EQ(L"cdef", w(2, -1).getWStringData());
  EXPECT_EQ(L"ef", w.substr(4, kMaxU));
  w.ReplaceSubString(kMaxU, 1, zWString(L"x"));
  w.ReplaceSubString(6, kMaxU, zWString(L"x"));
  EXPECT_EQ(L"abcdef", w.getWStringData());
  w.ReplaceSubString(1, kMaxU, zWString(L"XY"));
  EXPECT_EQ(L"aXY", w.getWStringData());
  w.ReplaceSubString(1, kMaxU - 1, zWString(L"Z"));
  EXPECT_EQ(L"aZ", w.getWStringData());
  w.erase(1, kMaxU);
  EXPECT_EQ(L"a", w.getWStringData());
  w.replace(0, kMaxU, L"pqr");
  EXPECT_EQ(L"pqr", w.getWStringData());
  w.Remove(1, kMaxU);
  EXPECT_EQ(L"p", w.getWStringData());
}

TEST_F(HostileWideSizes, SearchesFromHugePositions) {
  const zWString w(L"abcabc");
  EXPECT_EQ(kNpos, w.find(L"a", kMaxU));
  EXPECT_EQ(kNpos, w.find(L"", 2147483648u));
  EXPECT_EQ(-1, w.Index(L"a", kMaxU));
  EXPECT_EQ(6u, w.rfind(L"", kMaxU));
  EXPECT_EQ(3u, w.rfind(L"a", kMaxU));
  EXPECT_EQ(5u, w.find_last_of(L"c", kMaxU));
  EXPECT_EQ(kNpos, w.find_first_of(L"c", kMaxU));
  EXPECT_TRUE(w.containsAt(L"zz", kNpos));
  EXPECT_FALSE(w.containsAt(L"a", 2147483648u));
}

TEST_F(HostileWideSizes, NegativeWidthsChangeNothing) {
  for (int width : {-1, INT_MIN, INT_MIN + 1}) {
    zWString w(L"ab");
    w.AlignLeftWithSize(width);
    EXPECT_EQ(L"ab", w.getWStringData()) << width;
  }
}

TEST_F(HostileWideSizes, HugePrecisionIsCutAt127Units) {
  const std::wstring half_f = L"0.5" + std::wstring(124, L'0');
  EXPECT_EQ(half_f, zWString(0.5, 'f', INT_MAX).getWStringData());
  EXPECT_EQ(L"5." + std::wstring(125, L'0'), zWString(0.5, 'e', INT_MAX).getWStringData());
  EXPECT_EQ(L"0.1000000000000000055511151231257827021181583404541015625",
            zWString(0.1, 'g', INT_MAX).getWStringData());
  const std::wstring big =
      L"1000000000000000052504760255204420248704468581108159154915854115511802457988908195786371"
      L"375080447864043704443832883878176942523";
  EXPECT_EQ(big, zWString(1e300, 'f', INT_MAX).getWStringData());
}

}  // namespace

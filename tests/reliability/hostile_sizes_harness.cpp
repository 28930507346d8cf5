// Positions, counts, widths and precisions near 2^31 and 2^32: each operation
// must clip, ignore or throw its described exception at once. Every allocation
// above 64 MiB is refused (and reported) while these run, so an operation that
// tries to allocate gigabytes, or loops on growing, fails instead of swapping.
#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <string>

#include "alloc_harness.h"
#include "zString.h"
#include "zSubString.h"
#include "zWString.h"

namespace {

constexpr unsigned kMaxU = UINT_MAX;
constexpr unsigned kHalfU = 2147483648u;

using HostileSizes = zodode::testing::CappedAllocations;

TEST_F(HostileSizes, NarrowRemoveClipsCountsWithoutWrapping) {
  const struct {
    unsigned pos, count;
    const char* gives;
  } cases[] = {{0, kMaxU, ""},
               {5, kMaxU, "Hello"},
               {5, kMaxU - 4, "Hello"},
               {1, kHalfU, "H"},
               {11, kMaxU, "Hello World"},
               {12, 1, "Hello World"},
               {kMaxU, 1, "Hello World"},
               {kHalfU, kMaxU, "Hello World"},
               {kMaxU, kMaxU, "Hello World"},
               {12, 0, "Hello World"},
               {kHalfU, 0, "Hello World"},
               {kMaxU, 0, "Hello World"}};
  for (const auto& c : cases) {
    zString s("Hello World");
    if (c.count != 0) s.Remove(c.pos, c.count);
    if (c.count == 0) s.Remove(c.pos);  // count 0 rows: the one-argument form
    EXPECT_STREQ(c.gives, s.data()) << c.pos << "," << c.count;
  }
}

TEST_F(HostileSizes, NarrowViewsClipHugeAndNegativeRanges) {
  const struct {
    int start, length;
    const char *reads, *after_assigning_x;
  } cases[] = {{INT_MAX, INT_MAX, "", "Hello Worldx"}, {INT_MIN, 3, "", "Hello Worldx"},
               {-1, -1, "", "Hello Worldx"},           {0, -1, "Hello World", "x"},
               {3, INT_MAX, "lo World", "Helx"},       {3, INT_MIN, "lo World", "Helx"},
               {10, INT_MAX, "d", "Hello Worlx"},      {11, INT_MAX, "", "Hello Worldx"}};
  for (const auto& c : cases) {
    zString s("Hello World");
    zSubString v = s(c.start, c.length);
    EXPECT_STREQ(c.reads, v.data().data()) << c.start << "," << c.length;
    v = "x";
    EXPECT_STREQ(c.after_assigning_x, s.data()) << c.start << "," << c.length;
  }
  zString s("abc");
  EXPECT_STREQ("", zSubString(s, kMaxU, kMaxU).data().data());
}

TEST_F(HostileSizes, NarrowInsertAtExtremePositionsAppendsOrIgnores) {
  zString s("abc");
  s.Insert(zString("X"), INT_MAX);
  s.Insert(zString("Y"), INT_MIN);
  s.Insert(zString("Y"), -1);
  EXPECT_STREQ("abcX", s.data());
}

TEST_F(HostileSizes, NegativeWidthsChangeNothing) {
  for (int width : {-1, -10, INT_MIN, INT_MIN + 1}) {
    zString s("ab"), none;
    zWString w(L"ab");
    s.AlignLeftWithSize(width);
    none.AlignLeftWithSize(width);
    w.AlignLeftWithSize(width);
    EXPECT_STREQ("ab", s.data()) << width;
    EXPECT_EQ(0u, none.length()) << width;
    EXPECT_EQ(L"ab", w.getWStringData()) << width;
  }
}

TEST_F(HostileSizes, Base64OfANegativeLengthIsEmpty) {
  zString s("before");
  unsigned char byte = 0;
  for (long length : {-1L, LONG_MIN, static_cast<long>(INT_MIN)}) {
    EXPECT_STREQ("", s.base64(&byte, length).data()) << length;
    EXPECT_STREQ("", s.data()) << length;
  }
}

struct WideCase {
  const char* name;
  void (*op)(zWString&);
};
#define W(...) (WideCase{#__VA_ARGS__, [](zWString& w) { __VA_ARGS__; }})

// Each operation on L"abcdef" must throw `what` before changing anything.
template <typename Error>
void expect_each_throws(const char* what, std::initializer_list<WideCase> cases) {
  for (const WideCase& c : cases) {
    zWString w(L"abcdef");
    std::string got = "no exception";
    try {
      c.op(w);
    } catch (const Error& e) {
      got = e.what();
    }
    EXPECT_EQ(what, got) << c.name;
    EXPECT_EQ(L"abcdef", w.getWStringData()) << c.name;
  }
}

TEST_F(HostileSizes, WideGrowthPastTheMaximumIsTooLongAtOnce) {
  expect_each_throws<std::length_error>(
      "string too long", {W(w.resize(kMaxU)), W(w.resize(2147483647u)), W(w.append(kMaxU, L'x')),
                          W(w.append(2147483641u, L'x')), W(w.assign(kMaxU, 'x')),
                          W(w.assign(2147483648u, 'x')), W(w.AlignLeftWithSize(INT_MAX))});
}

TEST_F(HostileSizes, WidePositionsPastTheEndAreInvalidAtOnce) {
  expect_each_throws<std::out_of_range>(
      "invalid string position",
      {W(w.erase(kMaxU, 1)), W(w.substr(kHalfU, 1)), W(w.replace(kMaxU, 0, L"x")), W(w(INT_MIN, 1)),
       W(w(-1, -1)), W(w.Insert(zWString(L"x"), -1)), W(w.Insert(zWString(L"x"), INT_MAX)),
       W(w.Remove(kMaxU)), W(w.Remove(kHalfU, 1))});
}

TEST_F(HostileSizes, WideHugeCountsClip) {
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

TEST_F(HostileSizes, WideSearchesFromHugePositions) {
  const zWString w(L"abcabc");
  EXPECT_EQ(kMaxU, w.find(L"a", kMaxU));
  EXPECT_EQ(kMaxU, w.find(L"", kHalfU));
  EXPECT_EQ(-1, w.Index(L"a", kMaxU));
  EXPECT_EQ(6u, w.rfind(L"", kMaxU));
  EXPECT_EQ(3u, w.rfind(L"a", kMaxU));
  EXPECT_EQ(5u, w.find_last_of(L"c", kMaxU));
  EXPECT_EQ(kMaxU, w.find_first_of(L"c", kMaxU));
  EXPECT_TRUE(w.containsAt(L"zz", kMaxU));
  EXPECT_FALSE(w.containsAt(L"a", kHalfU));
}

TEST_F(HostileSizes, WideHugePrecisionIsCutAt127Units) {
  EXPECT_EQ(L"0.5" + std::wstring(124, L'0'), zWString(0.5, 'f', INT_MAX).getWStringData());
  EXPECT_EQ(L"5." + std::wstring(125, L'0'), zWString(0.5, 'e', INT_MAX).getWStringData());
  EXPECT_EQ(L"0.1000000000000000055511151231257827021181583404541015625",
            zWString(0.1, 'g', INT_MAX).getWStringData());
  EXPECT_EQ(
      L"1000000000000000052504760255204420248704468581108159154915854115511802457988908195786371"
      L"375080447864043704443832883878176942523",
      zWString(1e300, 'f', INT_MAX).getWStringData());
}

}  // namespace

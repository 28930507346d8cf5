// Positions, counts and widths near 2^31 and 2^32: each operation must clip,
// ignore or throw its described exception at once. Every allocation above
// 64 MiB is refused (and remembered) while these run, so an operation that
// tries to allocate gigabytes, or loops on growing, shows up as a failure
// instead of swapping or hanging.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "capped_allocations.h"
#include "zString.h"
#include "zSubString.h"

namespace {

constexpr unsigned kMaxU = UINT_MAX;
constexpr unsigned kHalfU = 2147483648u;

using HostileSizes = zodode::testing::CappedAllocations;

struct RemoveCase {
  unsigned pos;
  unsigned count;
  const char* gives;
};

TEST_F(HostileSizes, NarrowRemoveClipsCountsWithoutWrapping) {
  const RemoveCase cases[] = {
      {0, kMaxU, ""},
      {5, kMaxU, "Hello"},
      {5, kMaxU - 4, "Hello"},
      {1, kHalfU, "H"},
      {11, kMaxU, "Hello World"},
      {12, 1, "Hello World"},
      {kMaxU, 1, "Hello World"},
      {kHalfU, kMaxU, "Hello World"},
      {kMaxU, kMaxU, "Hello World"},
  };
  for (const RemoveCase& c : cases) {
    zString s("Hello World");
    s.Remove(c.pos, c.count);
    EXPECT_STREQ(c.gives, s.data()) << c.pos << "," << c.count;
  }
  for (unsigned pos : {12u, kHalfU, kMaxU}) {
    zString s("Hello World");
    s.Remove(pos);
    EXPECT_STREQ("Hello World", s.data()) << pos;
  }
}

struct ViewCase {
  int start;
  int length;
  const char* reads;
  const char* after_assigning_x;
};

TEST_F(HostileSizes, NarrowViewsClipHugeAndNegativeRanges) {
  const ViewCase cases[] = {
      {INT_MAX, INT_MAX, "", "Hello Worldx"}, {INT_MIN, 3, "", "Hello Worldx"},
      {-1, -1, "", "Hello Worldx"},           {0, -1, "Hello World", "x"},
      {3, INT_MAX, "lo World", "Helx"},       {3, INT_MIN, "lo World", "Helx"},
      {10, INT_MAX, "d", "Hello Worlx"},      {11, INT_MAX, "", "Hello Worldx"},
  };
  for (const ViewCase& c : cases) {
    zString s("Hello World");
    zSubString v = s(c.start, c.length);
    EXPECT_STREQ(c.reads, v.data().data()) << c.start << "," << c.length;
    v = "x";
    EXPECT_STREQ(c.after_assigning_x, s.data()) << c.start << "," << c.length;
  }
  zString s("abc");
  zSubString v(s, kMaxU, kMaxU);
  EXPECT_STREQ("", v.data().data());
}

TEST_F(HostileSizes, NarrowInsertAtExtremePositionsAppendsOrIgnores) {
  zString s("abc");
  s.Insert(zString("X"), INT_MAX);
  EXPECT_STREQ("abcX", s.data());
  s.Insert(zString("Y"), INT_MIN);
  s.Insert(zString("Y"), -1);
  EXPECT_STREQ("abcX", s.data());
}

TEST_F(HostileSizes, NarrowNegativeWidthsChangeNothing) {
  for (int width : {-1, -10, INT_MIN, INT_MIN + 1}) {
    zString s("ab");
    s.AlignLeftWithSize(width);
    EXPECT_STREQ("ab", s.data()) << width;
    zString none;
    none.AlignLeftWithSize(width);
    EXPECT_EQ(0u, none.length()) << width;
  }
}

TEST_F(HostileSizes, Base64OfANegativeLengthIsEmpty) {
  zString s("before");
  unsigned char byte = 0;
  for (long length : {-1L, LONG_MIN, static_cast<long>(INT_MIN)}) {
    const zString result = s.base64(&byte, length);
    EXPECT_STREQ("", result.data()) << length;
    EXPECT_STREQ("", s.data()) << length;
  }
}

}  // namespace

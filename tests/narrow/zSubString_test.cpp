#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <type_traits>

#include "zString.h"
#include "zSubString.h"

namespace {

struct ViewCase {
  int start;
  int length;
  const char* reads;
};

// On "Hello World" (length 11).
constexpr ViewCase kViews[] = {
    {6, 5, "World"},
    {0, 5, "Hello"},
    {6, 100, "World"},
    {20, 3, ""},
    {11, 0, ""},
    {2, -1, "llo World"},
    {-1, 3, ""},
    {0, 0, ""},
    {0, 11, "Hello World"},
    {10, INT_MAX, "d"},
    {INT_MAX, INT_MAX, ""},
    {5, 1, " "},
};

TEST(SubStringView, ConstructionClipsToTheText) {
  zString s("Hello World");
  for (const ViewCase& c : kViews) {
    const zSubString v = s(c.start, c.length);
    EXPECT_STREQ(c.reads, v.data().data()) << c.start << "," << c.length;
    EXPECT_EQ(1, v == c.reads) << c.start << "," << c.length;
    EXPECT_EQ(0, v != c.reads) << c.start << "," << c.length;
  }
}

TEST(SubStringView, ConstStringGivesTheSameView) {
  const zString s("Hello World");
  const zSubString v = s(6, 5);
  const zString read = v;
  EXPECT_STREQ("World", read.data());
}

TEST(SubStringView, ComparisonWithNullAndOthers) {
  zString s("Hello World");
  const zSubString v(s, 6, 5);
  EXPECT_EQ(0, v == nullptr);
  EXPECT_EQ(1, v != nullptr);
  EXPECT_EQ(0, v == "Worl");
  EXPECT_EQ(0, v == "Worlds");
  const zSubString empty(s, 3, 0);
  EXPECT_EQ(1, empty == nullptr);
  EXPECT_EQ(1, empty == "");
}

struct SpliceCase {
  unsigned start;
  unsigned length;
  const char* text;
  const char* result;
  unsigned view_length;
};

// Assignments through a view of "Hello World".
constexpr SpliceCase kSplices[] = {
    {6, 5, "There", "Hello There", 5},
    {0, 5, "Hi", "Hi World", 2},
    {5, 0, ",", "Hello, World", 1},
    {5, 6, "", "Hello", 0},
    {20, 3, "!", "Hello World!", 1},
    {0, 11, "x", "x", 1},
    {0, 0, ">", ">Hello World", 1},
    {5, 6, nullptr, "Hello", 0},
    {3, 2, "\xE9\xFF", "Hel\xE9\xFF World", 2},
};

TEST(SubStringAssign, SplicesTheRange) {
  for (const SpliceCase& c : kSplices) {
    zString s("Hello World");
    zSubString v(s, c.start, c.length);
    EXPECT_EQ(&v, &(v = c.text));
    EXPECT_STREQ(c.result, s.data()) << c.start << "," << c.length;
    // The view now covers exactly the text put in.
    EXPECT_EQ(c.view_length, v.data().length());
    EXPECT_EQ(1, v == c.text) << c.start << "," << c.length;
  }
}

TEST(SubStringAssign, TextFromInsideTheStringIsReadFirst) {
  zString s("abcdef");
  zSubString v(s, 0, 2);
  v = s.data() + 3;  // "def" replaces "ab"
  EXPECT_STREQ("defcdef", s.data());
}

TEST(SubStringStale, ViewOfAShrunkenString) {
  zString s("Hello World");
  zSubString v(s, 6, 5);
  s = "Hi";
  EXPECT_STREQ("", v.data().data());
  EXPECT_EQ(1, v == "");
  v = "x";
  EXPECT_STREQ("Hix", s.data());
}

TEST(SubStringStale, ViewReachingPastTheNewEndReadsTheRest) {
  zString s("Hello World");
  zSubString v(s, 2, 8);
  s = "Help";
  EXPECT_STREQ("lp", v.data().data());
  v = "LP!";
  EXPECT_STREQ("HeLP!", s.data());
}

TEST(SubStringStale, StartExactlyAtTheNewEnd) {
  zString s("abcdef");
  zSubString v(s, 3, 2);
  s = "abc";
  EXPECT_STREQ("", v.data().data());
  v = "Z";
  EXPECT_STREQ("abcZ", s.data());
}

TEST(SubStringNull, ViewOfADefaultString) {
  zString s;
  zSubString v = s(0, 0);
  EXPECT_STREQ("", v.data().data());
  EXPECT_NE(nullptr, v.data().data());
  v = "abc";
  EXPECT_STREQ("abc", s.data());
}

TEST(SubStringNull, ReadingAlwaysAllocates) {
  zString s;
  const zString read = zSubString(s, 5, 5).data();
  EXPECT_NE(s.data(), read.data());
}

TEST(SubStringViewAssign, CopiesWholeStringAndRange) {
  zString a("first string");
  zString b("second");
  zSubString va(a, 0, 5);
  const zSubString vb(b, 1, 3);
  va = vb;
  EXPECT_STREQ("second", a.data());
  EXPECT_STREQ("eco", va.data().data());
  EXPECT_STREQ("second", b.data());
}

TEST(SubStringViewAssign, SameStringOrSelfChangesNothing) {
  zString s("Hello World");
  const char* before = s.data();
  zSubString v1(s, 0, 5);
  const zSubString v2(s, 6, 5);
  v1 = v2;
  EXPECT_EQ(before, s.data());
  EXPECT_STREQ("World", v1.data().data());
  zSubString& alias = v1;
  v1 = alias;
  EXPECT_STREQ("World", v1.data().data());
}

TEST(SubStringCopy, CopyLooksIntoTheSameString) {
  zString s("abcdef");
  const zSubString v(s, 1, 2);
  zSubString copy(v);
  copy = "XY";
  EXPECT_STREQ("aXYdef", s.data());
}

}  // namespace

namespace {

// Clipping happens when the view is made: growing the string afterwards does
// not widen the view.
TEST(SubStringView, ClippedRangeStaysClippedWhenStringGrows) {
  zString s("Hello World");
  const zSubString long_view(s, 6, 100);
  zSubString past_end(s, 20, 3);
  s = "Hello World and more";
  EXPECT_STREQ("World", long_view.data().data());
  past_end = "!";
  EXPECT_STREQ("Hello World! and more", s.data());
}

TEST(SubStringAssign, HugeLengthsDoNotWrap) {
  zString s("Hello World");
  s(2, -1) = "X";
  EXPECT_STREQ("HeX", s.data());
  zString t("Hello World");
  zSubString(t, 1, 0xFFFFFFFFu) = "X";
  EXPECT_STREQ("HX", t.data());
}

TEST(SubStringViewAssign, ReturnsTheViewAndTakesAnEmptySource) {
  zString a("x");
  zString b;
  zSubString va(a, 0, 1);
  const zSubString vb(b, 0, 0);
  EXPECT_EQ(&va, &(va = vb));
  EXPECT_STREQ("", a.data());
}

TEST(SubStringView, ConstAndMutableViewsAgree) {
  zString s("Hello World");
  const zString& cs = s;
  for (const ViewCase& c : kViews) {
    EXPECT_STREQ(s(c.start, c.length).data().data(), cs(c.start, c.length).data().data());
  }
  static_assert(!std::is_assignable<const zSubString, const char*>::value,
                "a const view cannot be assigned through");
  static_assert(sizeof(zSubString) == sizeof(void*) + 2 * sizeof(unsigned int),
                "a view is a reference, a start and a length");
}

}  // namespace

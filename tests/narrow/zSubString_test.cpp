#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <type_traits>
#include <vector>

#include "zString.h"
#include "zSubString.h"

namespace {

static_assert(!std::is_assignable<const zSubString, const char*>::value,
              "a const view cannot be assigned through");
static_assert(sizeof(zSubString) == sizeof(void*) + 2 * sizeof(unsigned int),
              "a view is a reference, a start and a length");

struct ViewCase {
  int start, length;
  const char *reads, *text, *result;
  const char* later;  // the string's text when the view is used; nullptr: unchanged
};

// Views of "Hello World" (length 11): what they read, and the string after
// text is assigned through them. A view is clipped when made; later accesses
// clip against the string's current length but never widen the view.
// clang-format off
constexpr ViewCase kViews[] = {
    {6, 5, "World", "There", "Hello There", nullptr}, {0, 5, "Hello", "Hi", "Hi World", nullptr}, {6, 100, "World", "!", "Hello !", nullptr},
    {20, 3, "", "!", "Hello World!", nullptr}, {11, 0, "", "?", "Hello World?", nullptr}, {2, -1, "llo World", "X", "HeX", nullptr},
    {1, -1, "ello World", "X", "HX", nullptr}, {-1, 3, "", "!", "Hello World!", nullptr}, {0, 0, "", ">", ">Hello World", nullptr},
    {0, 11, "Hello World", "x", "x", nullptr}, {10, INT_MAX, "d", "D", "Hello WorlD", nullptr}, {INT_MAX, INT_MAX, "", "", "Hello World", nullptr},
    {5, 1, " ", ",", "Hello,World", nullptr}, {5, 0, "", ",", "Hello, World", nullptr}, {5, 6, " World", "", "Hello", nullptr},
    {5, 6, " World", nullptr, "Hello", nullptr}, {3, 2, "lo", "\xE9\xFF", "Hel\xE9\xFF World", nullptr}, {6, 5, "", "x", "Hix", "Hi"},
    {2, 8, "lp", "LP!", "HeLP!", "Help"}, {3, 2, "", "Z", "HelZ", "Hel"}, {6, 100, "World", "!", "Hello ! and more", "Hello World and more"},
    {20, 3, "", "!", "Hello World! and more", "Hello World and more"}};
// clang-format on

TEST(SubStringView, ReadsAndSplicesTheRange) {
  for (const ViewCase& c : kViews) {
    zString s("Hello World");
    const zString& cs = s;
    zSubString v = s(c.start, c.length);
    const zSubString read_only = cs(c.start, c.length);
    if (c.later != nullptr) s = c.later;
    const std::string label = std::to_string(c.start) + "," + std::to_string(c.length);
    EXPECT_TRUE(std::string(c.reads) == v.data().data() &&
                std::string(c.reads) == zString(read_only).data())
        << label;
    EXPECT_TRUE(v == c.reads && (v != c.reads) == 0) << label;
    EXPECT_EQ(&v, &(v = c.text));
    EXPECT_STREQ(c.result, s.data()) << label;
    // Unless the string shrank past it, the view now covers just the new text.
    EXPECT_TRUE(c.later != nullptr || v == c.text) << label;
  }
  zString s("Hello World");
  const zSubString world(s, 6, 5);
  EXPECT_EQ((std::vector<int>{0, 1, 0, 0}), (std::vector<int>{world == nullptr, world != nullptr,
                                                              world == "Worl", world == "Worlds"}));
}

// A copied view looks into the same string; text from inside it is read first.
TEST(SubStringView, CopyEditsTheSameStringFromItsOwnText) {
  zString s("abcdef");
  const zSubString v(s, 0, 2);
  zSubString copy(v);
  copy = s.data() + 3;  // "def" replaces "ab"
  EXPECT_STREQ("defcdef", s.data());
}

TEST(SubStringView, OfAStringWithoutBuffer) {
  zString s;
  const zString read = zSubString(s, 5, 5).data();
  EXPECT_TRUE(s.data() != read.data() && *read.data() == '\0');
  s(0, 0) = "abc";
  EXPECT_STREQ("abc", s.data());
}

// The target string takes the source's whole text; the view its range.
TEST(SubStringViewAssign, CopiesWholeStringAndRange) {
  zString a("first string"), b("second"), empty;
  zSubString va(a, 0, 5);
  EXPECT_EQ(&va, &(va = zSubString(b, 1, 3)));
  EXPECT_EQ("second|eco|second", std::string(a.data()) + "|" + va.data().data() + "|" + b.data());
  va = zSubString(empty, 0, 0);
  EXPECT_STREQ("", a.data());
  zString s("Hello World");
  const char* before = s.data();
  zSubString v1(s, 0, 5);
  v1 = zSubString(s, 6, 5);
  zSubString& alias = v1;
  v1 = alias;
  EXPECT_EQ(before, s.data());
  EXPECT_STREQ("World", v1.data().data());
}

}  // namespace

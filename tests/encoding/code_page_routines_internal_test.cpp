// The conversion routines over a scripted converter: every failure text, the
// arguments the converter receives, and what the routines make of its output.
#include <gtest/gtest.h>

#include <cstring>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "encoding/code_page.h"

namespace {

using zodode::detail::code_page_api;
using zodode::detail::code_page_to_wide;
using zodode::detail::kLatin1ToWide;
using zodode::detail::kUtf8ToWide;
using zodode::detail::wide_to_code_page;

struct call {
  unsigned code_page;
  const void* in;
  bool has_out;
  int cap;
};

// What the scripted converter answers: the size query returns size, the
// conversion copies fill (up to cap) and returns written.
struct script {
  int size = 0;
  int written = 0;
  std::wstring wide_fill;
  std::string byte_fill;
  unsigned long error = 0;
  int error_reads = 0;
  std::vector<call> calls;
};

script g_script;

int scripted_to_wide(unsigned code_page, const char* in, wchar_t* out, int cap) {
  g_script.calls.push_back({code_page, in, out != nullptr, cap});
  if (cap == 0) return g_script.size;
  g_script.wide_fill.copy(out, static_cast<std::size_t>(cap));
  return g_script.written;
}

int scripted_to_bytes(unsigned code_page, const wchar_t* in, char* out, int cap) {
  g_script.calls.push_back({code_page, in, out != nullptr, cap});
  if (cap == 0) return g_script.size;
  g_script.byte_fill.copy(out, static_cast<std::size_t>(cap));
  return g_script.written;
}

unsigned long scripted_last_error() {
  ++g_script.error_reads;
  return g_script.error;
}

constexpr code_page_api kScripted{scripted_to_wide, scripted_to_bytes, scripted_last_error};

void reset(int size, int written, unsigned long error = 0) {
  g_script = script();
  g_script.size = size;
  g_script.written = written;
  g_script.error = error;
}

enum class routine { utf8_to_wide, latin1_to_wide, wide_to_utf8, wide_to_latin1 };

void run(routine r, const std::string& text) {
  const std::wstring wide(text.begin(), text.end());
  switch (r) {
    case routine::utf8_to_wide:
      code_page_to_wide(kScripted, kUtf8ToWide, text);
      break;
    case routine::latin1_to_wide:
      code_page_to_wide(kScripted, kLatin1ToWide, text);
      break;
    case routine::wide_to_utf8:
      wide_to_code_page(kScripted, 65001, wide.c_str());
      break;
    case routine::wide_to_latin1:
      wide_to_code_page(kScripted, 0, wide.c_str());
      break;
  }
}

struct failure_case {
  routine r;
  int size;
  int written;
  unsigned long error;
  const char* text;
  const char* message;
};

const failure_case kFailures[] = {
    {routine::wide_to_utf8, 0, 0, 5, "abc", "Error in conversion."},
    {routine::wide_to_latin1, 0, 0, 5, "abc", "Error in conversion."},
    {routine::wide_to_utf8, 4, 3, 0, "abc", "La falla!"},
    {routine::wide_to_latin1, 4, 5, 0, "abc", "La falla!"},
    {routine::latin1_to_wide, 0, 0, 87, "ab\xE9", "From Latin1 conversion error: ab\xE9"},
    {routine::latin1_to_wide, 0, 0, 87, "", "From Latin1 conversion error: "},
    {routine::latin1_to_wide, 4, 0, 0, "abc", "From Latin1: widesize error"},
    {routine::utf8_to_wide, 0, 0, 1113, "x\xC3",
     "Error 1113 in conversion of UTF8 string: \nx\xC3"},
    {routine::utf8_to_wide, 0, 0, 4294967295u, "",
     "Error 4294967295 in conversion of UTF8 string: \n"},
    {routine::utf8_to_wide, 2, 1, 0, "a", "From UTF-8: widesize error"},
};

TEST(CodePageRoutines, EveryFailureThrowsItsMessage) {
  for (const failure_case& c : kFailures) {
    reset(c.size, c.written, c.error);
    try {
      run(c.r, c.text);
      ADD_FAILURE() << "no exception for: " << c.message;
    } catch (const std::exception& e) {
      EXPECT_STREQ(c.message, e.what());
    }
  }
}

TEST(CodePageRoutines, OnlyUtf8SizeFailureReadsLastErrorOnce) {
  reset(0, 0, 7);
  EXPECT_ANY_THROW(run(routine::utf8_to_wide, "a"));
  EXPECT_EQ(1, g_script.error_reads);
  for (routine r : {routine::latin1_to_wide, routine::wide_to_utf8, routine::wide_to_latin1}) {
    reset(0, 0, 7);
    EXPECT_ANY_THROW(run(r, "a"));
    EXPECT_EQ(0, g_script.error_reads);
  }
}

// The message carries the whole source text, also what follows a NUL in it.
TEST(CodePageRoutines, Latin1SizeFailureQuotesWholeSource) {
  reset(0, 0);
  const std::string text("a\0b", 3);
  try {
    run(routine::latin1_to_wide, text);
    ADD_FAILURE();
  } catch (const std::exception& e) {
    EXPECT_EQ(std::string("From Latin1 conversion error: a", 31), std::string(e.what()));
  }
}

TEST(CodePageRoutines, SizeQueryThenConversionWithThatSize) {
  const std::string text("ab");
  reset(3, 3);
  g_script.wide_fill = L"ab";
  EXPECT_EQ(L"ab", code_page_to_wide(kScripted, kUtf8ToWide, text));
  ASSERT_EQ(2u, g_script.calls.size());
  for (const call& c : g_script.calls) {
    EXPECT_EQ(65001u, c.code_page);
    EXPECT_EQ(static_cast<const void*>(text.c_str()), c.in);
  }
  EXPECT_FALSE(g_script.calls[0].has_out);
  EXPECT_EQ(0, g_script.calls[0].cap);
  EXPECT_TRUE(g_script.calls[1].has_out);
  EXPECT_EQ(3, g_script.calls[1].cap);

  const std::wstring wide(L"xyz");
  reset(4, 4);
  g_script.byte_fill = "xyz";
  EXPECT_EQ("xyz", wide_to_code_page(kScripted, 0, wide.c_str()));
  ASSERT_EQ(2u, g_script.calls.size());
  EXPECT_EQ(0u, g_script.calls[1].code_page);
  EXPECT_EQ(static_cast<const void*>(wide.c_str()), g_script.calls[1].in);
  EXPECT_EQ(4, g_script.calls[1].cap);
}

// The buffer starts zero-filled and the result ends at its first NUL, whatever
// the converter left behind it.
TEST(CodePageRoutines, ResultEndsAtFirstNulOfZeroFilledBuffer) {
  reset(6, 6);
  g_script.wide_fill = std::wstring(L"ab\0cd", 5);
  EXPECT_EQ(L"ab", code_page_to_wide(kScripted, kLatin1ToWide, "whatever"));
  reset(6, 6);
  g_script.wide_fill = L"ab";
  EXPECT_EQ(L"ab", code_page_to_wide(kScripted, kLatin1ToWide, "whatever"));
  reset(5, 5);
  g_script.byte_fill = "q";
  EXPECT_EQ("q", wide_to_code_page(kScripted, 65001, L"whatever"));
  reset(1, 1);
  EXPECT_EQ("", wide_to_code_page(kScripted, 65001, L""));
}

// A negative count is a size beyond the vector maximum.
TEST(CodePageRoutines, NegativeSizeIsVectorTooLong) {
  for (routine r : {routine::utf8_to_wide, routine::latin1_to_wide, routine::wide_to_utf8,
                    routine::wide_to_latin1}) {
    reset(-1, -1);
    try {
      run(r, "a");
      ADD_FAILURE();
    } catch (const std::length_error& e) {
      EXPECT_STREQ("vector<T> too long", e.what());
    }
    EXPECT_EQ(1u, g_script.calls.size());
  }
}

}  // namespace

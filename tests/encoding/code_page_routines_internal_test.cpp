// The conversion routines over a scripted converter: every failure text, the
// arguments the converter receives, and what the routines make of its output.
#include <gtest/gtest.h>

#include <cstring>
#include <exception>
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

// The four routines, run on text (widened unit for unit where they read wide text).
using routine = void (*)(const std::string& text);
const routine kUtf8ToWideRoutine = [](const std::string& t) {
  code_page_to_wide(kScripted, kUtf8ToWide, t);
};
const routine kLatin1ToWideRoutine = [](const std::string& t) {
  code_page_to_wide(kScripted, kLatin1ToWide, t);
};
const routine kWideToUtf8Routine = [](const std::string& t) {
  wide_to_code_page(kScripted, 65001, std::wstring(t.begin(), t.end()).c_str());
};
const routine kWideToLatin1Routine = [](const std::string& t) {
  wide_to_code_page(kScripted, 0, std::wstring(t.begin(), t.end()).c_str());
};

struct failure_case {
  routine run;
  int size;
  int written;
  unsigned long error;
  const char* text;
  const char* message;
  int error_reads;
};

// A size of -1 stands for a count past the vector maximum.
const failure_case kFailures[] = {
    {kWideToUtf8Routine, 0, 0, 5, "abc", "Error in conversion.", 0},
    {kWideToLatin1Routine, 0, 0, 5, "abc", "Error in conversion.", 0},
    {kWideToUtf8Routine, 4, 3, 0, "abc", "La falla!", 0},
    {kWideToLatin1Routine, 4, 5, 0, "abc", "La falla!", 0},
    {kLatin1ToWideRoutine, 0, 0, 87, "ab\xE9", "From Latin1 conversion error: ab\xE9", 0},
    {kLatin1ToWideRoutine, 0, 0, 87, "", "From Latin1 conversion error: ", 0},
    {kLatin1ToWideRoutine, 4, 0, 0, "abc", "From Latin1: widesize error", 0},
    {kUtf8ToWideRoutine, 0, 0, 1113, "x\xC3", "Error 1113 in conversion of UTF8 string: \nx\xC3",
     1},
    {kUtf8ToWideRoutine, 0, 0, 4294967295u, "", "Error 4294967295 in conversion of UTF8 string: \n",
     1},
    {kUtf8ToWideRoutine, 2, 1, 0, "a", "From UTF-8: widesize error", 0},
    {kUtf8ToWideRoutine, -1, -1, 0, "a", "vector<T> too long", 0},
    {kWideToLatin1Routine, -1, -1, 0, "a", "vector<T> too long", 0},
};

TEST(CodePageRoutines, EveryFailureThrowsItsMessage) {
  for (const failure_case& c : kFailures) {
    reset(c.size, c.written, c.error);
    try {
      c.run(c.text);
      ADD_FAILURE() << "no exception for: " << c.message;
    } catch (const std::exception& e) {
      EXPECT_STREQ(c.message, e.what());
    }
    EXPECT_EQ(c.error_reads, g_script.error_reads) << c.message;
    EXPECT_EQ(c.size > 0 ? 2u : 1u, g_script.calls.size()) << c.message;
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

}  // namespace

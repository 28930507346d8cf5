// The conversion routines over a scripted converter: every failure text, the
// arguments the converter receives, and what the routines make of its output.
#include <gtest/gtest.h>

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

template <class Unit>
int scripted(const std::basic_string<Unit>& fill, Unit* out, int cap) {
  g_script.calls.push_back({out != nullptr, cap});
  if (cap == 0) return g_script.size;
  fill.copy(out, static_cast<std::size_t>(cap));
  return g_script.written;
}
int scripted_to_wide(unsigned /*code_page*/, const char* /*in*/, wchar_t* out, int cap) {
  return scripted(g_script.wide_fill, out, cap);
}
int scripted_to_bytes(unsigned /*code_page*/, const wchar_t* /*in*/, char* out, int cap) {
  return scripted(g_script.byte_fill, out, cap);
}
unsigned long scripted_last_error() {
  ++g_script.error_reads;
  return g_script.error;
}

// No whole-text forms: the routines take the scripted two calls.
constexpr code_page_api kScripted{scripted_to_wide, scripted_to_bytes, scripted_last_error, nullptr,
                                  nullptr};

void reset(int size, int written, unsigned long error = 0) {
  g_script = script{size, written, {}, {}, error, 0, {}};
}

// The four routines, run on text (widened unit for unit where they read wide text).
std::wstring widen(const std::string& t) { return std::wstring(t.begin(), t.end()); }
void utf8_to_wide(const std::string& t) { code_page_to_wide(kScripted, kUtf8ToWide, t); }
void latin1_to_wide(const std::string& t) { code_page_to_wide(kScripted, kLatin1ToWide, t); }
void wide_to_utf8(const std::string& t) { wide_to_code_page(kScripted, 65001, widen(t).c_str()); }
void wide_to_latin1(const std::string& t) { wide_to_code_page(kScripted, 0, widen(t).c_str()); }

struct failure_case {
  void (*run)(const std::string& text);
  int size, written;  // the converter's answers
  unsigned long error;
  const char *text, *message;
  int error_reads;
};

// A size of -1 stands for a count past the vector maximum.
// clang-format off
const failure_case kFailures[] = {
    {wide_to_utf8, 0, 0, 5, "abc", "Error in conversion.", 0},
    {wide_to_latin1, 0, 0, 5, "abc", "Error in conversion.", 0},
    {wide_to_utf8, 4, 3, 0, "abc", "La falla!", 0},
    {wide_to_latin1, 4, 5, 0, "abc", "La falla!", 0},
    {latin1_to_wide, 0, 0, 87, "ab\xE9", "From Latin1 conversion error: ab\xE9", 0},
    {latin1_to_wide, 4, 0, 0, "abc", "From Latin1: widesize error", 0},
    {utf8_to_wide, 0, 0, 1113, "x\xC3", "Error 1113 in conversion of UTF8 string: \nx\xC3", 1},
    {utf8_to_wide, 0, 0, 4294967295u, "", "Error 4294967295 in conversion of UTF8 string: \n", 1},
    {utf8_to_wide, 2, 1, 0, "a", "From UTF-8: widesize error", 0},
    {utf8_to_wide, -1, -1, 0, "a", "vector<T> too long", 0},
};
// clang-format on

// A size query (no buffer, capacity 0), then, when it gave a size, one
// conversion into a buffer of exactly that size.
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
    ASSERT_EQ(c.size > 0 ? 2u : 1u, g_script.calls.size()) << c.message;
    EXPECT_FALSE(g_script.calls[0].has_out || g_script.calls[0].cap != 0) << c.message;
    EXPECT_TRUE(c.size <= 0 || (g_script.calls[1].has_out && g_script.calls[1].cap == c.size))
        << c.message;
  }
}

// The buffer starts zero-filled and the result ends at its first NUL, whatever
// the converter left behind it.
TEST(CodePageRoutines, ResultEndsAtFirstNulOfZeroFilledBuffer) {
  reset(6, 6);
  g_script.wide_fill = std::wstring(L"ab\0cd", 5);
  EXPECT_EQ(L"ab", code_page_to_wide(kScripted, kLatin1ToWide, "whatever"));
  g_script.wide_fill = L"ab";
  EXPECT_EQ(L"ab", code_page_to_wide(kScripted, kLatin1ToWide, "whatever"));
  g_script.byte_fill = "q";
  EXPECT_EQ("q", wide_to_code_page(kScripted, 65001, L"whatever"));
  reset(1, 1);
  EXPECT_EQ("", wide_to_code_page(kScripted, 65001, L""));
}

}  // namespace

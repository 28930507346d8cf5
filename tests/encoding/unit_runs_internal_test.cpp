// The vector and the portable run loops against each other and against the
// run length known by construction: a run of good units with one stopper
// placed at every offset, so runs end at every position modulo 16.
#include "encoding/unit_runs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using zodode::detail::run_path;
using zodode::detail::unit_set;

constexpr run_path kPaths[] = {run_path::portable, run_path::sse2};

// A text of `length` copies of fill with stop at `at` (none when at >= length).
template <typename Unit>
std::vector<Unit> text_with_stop(std::size_t length, Unit fill, Unit stop, std::size_t at) {
  std::vector<Unit> text(length, fill);
  if (at < length) text[at] = stop;
  return text;
}

template <run_path P>
std::size_t widen(const std::vector<unsigned char>& in, std::vector<wchar_t>& out, bool ascii) {
  return ascii ? zodode::detail::widen_ascii_run<P>(in.data(), in.size(), out.data())
               : zodode::detail::widen_latin1_run<P>(in.data(), in.size(), out.data());
}

std::size_t widen_by(run_path p, const std::vector<unsigned char>& in, std::vector<wchar_t>& out,
                     bool ascii) {
  return p == run_path::sse2 ? widen<run_path::sse2>(in, out, ascii)
                             : widen<run_path::portable>(in, out, ascii);
}

TEST(UnitRuns, WideningStopsAtTheFirstByteOutsideTheRunAtEveryOffset) {
  struct Case {
    bool ascii;
    unsigned char fill, stop;
  };
  const Case cases[] = {{true, 'a', 0x80},  {true, 0x7F, 0xFF},  {true, 0x00, 0xC3},
                        {false, 'a', 0x80}, {false, 0xE9, 0x9F}, {false, 0xA0, 0x8D}};
  for (const Case& c : cases) {
    for (std::size_t length : {0u, 1u, 15u, 16u, 17u, 31u, 32u, 33u, 64u, 70u}) {
      for (std::size_t at = 0; at <= length; ++at) {
        const auto in = text_with_stop<unsigned char>(length, c.fill, c.stop, at);
        for (run_path p : kPaths) {
          std::vector<wchar_t> out(length + 1, L'#');
          ASSERT_EQ(widen_by(p, in, out, c.ascii), at) << length << " " << at;
          for (std::size_t i = 0; i < at; ++i) ASSERT_EQ(out[i], wchar_t{c.fill});
          ASSERT_EQ(out[at], L'#') << "wrote past the run";
        }
      }
    }
  }
}

TEST(UnitRuns, AsciiByteRunFindsTheFirstHighByteAtEveryOffset) {
  for (std::size_t length : {0u, 5u, 16u, 40u, 64u}) {
    for (std::size_t at = 0; at <= length; ++at) {
      const auto in = text_with_stop<unsigned char>(length, 'x', 0xE4, at);
      EXPECT_EQ(zodode::detail::ascii_byte_run<run_path::portable>(in.data(), in.size()), at);
      EXPECT_EQ(zodode::detail::ascii_byte_run<run_path::sse2>(in.data(), in.size()), at);
    }
  }
}

template <run_path P>
std::size_t narrow(const std::vector<wchar_t>& in, std::string& out, unit_set set) {
  return zodode::detail::narrow_unit_run<P>(in.data(), in.size(), &out[0], set);
}

template <run_path P>
std::size_t copy(const std::vector<wchar_t>& in, std::vector<wchar_t>& out, unit_set set) {
  return zodode::detail::copy_unit_run<P>(in.data(), in.size(), out.data(), set);
}

// Each set with a unit inside it and units just outside it, NUL, a
// surrogate, the largest code point and a negative 32-bit unit among them.
struct SetCase {
  unit_set set;
  wchar_t fill;
  std::vector<wchar_t> stops;
};

std::vector<SetCase> set_cases() {
  const auto negative = static_cast<wchar_t>(-1);
  return {
      {unit_set::ascii, L'q', {0x80, 0xFF, 0x100, 0xD800, 0x10FFFF, negative}},
      {unit_set::ascii, 0, {0x80, 0x180}},
      {unit_set::ascii_but_nul, 0x7F, {0, 0x80, 0x101, 0xFF80, negative}},
      {unit_set::latin1_but_nul, L'e', {0, 0x80, 0x9F, 0x100, 0x1A0, 0x20AC, negative}},
      {unit_set::latin1_but_nul, 0xFF, {0, 0x9F, 0x100}},
      {unit_set::latin1_but_nul, 0xA0, {0x9F, 0x1A0}},
  };
}

TEST(UnitRuns, NarrowCopyAndCountStopAtTheFirstUnitOutsideTheSetAtEveryOffset) {
  for (const SetCase& c : set_cases()) {
    for (wchar_t stop : c.stops) {
      for (std::size_t length : {0u, 3u, 16u, 17u, 48u, 67u}) {
        for (std::size_t at = 0; at <= length; ++at) {
          const auto in = text_with_stop<wchar_t>(length, c.fill, stop, at);
          std::string narrow_portable(length + 1, '#'), narrow_sse2(length + 1, '#');
          ASSERT_EQ(narrow<run_path::portable>(in, narrow_portable, c.set), at);
          ASSERT_EQ(narrow<run_path::sse2>(in, narrow_sse2, c.set), at);
          EXPECT_EQ(narrow_sse2, narrow_portable);
          EXPECT_EQ(narrow_sse2.substr(0, at), std::string(at, static_cast<char>(c.fill)));
          std::vector<wchar_t> copy_portable(length + 1, L'#'), copy_sse2(length + 1, L'#');
          ASSERT_EQ(copy<run_path::portable>(in, copy_portable, c.set), at);
          ASSERT_EQ(copy<run_path::sse2>(in, copy_sse2, c.set), at);
          EXPECT_EQ(copy_sse2, copy_portable);
          EXPECT_EQ(zodode::detail::unit_run_length<run_path::sse2>(in.data(), length, c.set), at);
          EXPECT_EQ(zodode::detail::unit_run_length<run_path::portable>(in.data(), length, c.set),
                    at);
        }
      }
    }
  }
}

}  // namespace

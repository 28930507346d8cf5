// The vector and the portable block loops against each other and against the
// run length known by construction: 16 good units with one stopper placed at
// every offset, so runs end at every position of a block.
#include "encoding/unit_runs.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <type_traits>
#include <vector>

namespace {

using zodode::detail::run_path;
using zodode::detail::unit_set;

constexpr run_path kPaths[] = {run_path::portable, run_path::sse2};

// 16 copies of fill with stop at `at` (none when at is 16).
template <typename Unit>
std::vector<Unit> block_with_stop(Unit fill, Unit stop, std::size_t at) {
  std::vector<Unit> block(16, fill);
  if (at < 16) block[at] = stop;
  return block;
}

std::size_t widen(run_path p, bool ascii, const unsigned char* in, wchar_t* out) {
  using namespace zodode::detail;
  if (p == run_path::sse2) {
    return ascii ? widen_ascii_block<run_path::sse2>(in, out)
                 : widen_latin1_block<run_path::sse2>(in, out);
  }
  return ascii ? widen_ascii_block<run_path::portable>(in, out)
               : widen_latin1_block<run_path::portable>(in, out);
}

TEST(UnitRuns, WideningStopsAtTheFirstByteOutsideTheRunAtEveryOffset) {
  struct Case {
    bool ascii;
    unsigned char fill, stop;
  };
  const Case cases[] = {{true, 'a', 0x80},  {true, 0x7F, 0xFF},  {true, 0x00, 0xC3},
                        {false, 'a', 0x80}, {false, 0xE9, 0x9F}, {false, 0xA0, 0x8D}};
  for (const Case& c : cases) {
    for (std::size_t at = 0; at <= 16; ++at) {
      const auto in = block_with_stop<unsigned char>(c.fill, c.stop, at);
      for (run_path p : kPaths) {
        std::vector<wchar_t> out(16, L'#');
        ASSERT_EQ(at, widen(p, c.ascii, in.data(), out.data())) << at;
        for (std::size_t i = 0; i < at; ++i) ASSERT_EQ(wchar_t{c.fill}, out[i]);
      }
    }
  }
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
  const auto largest = static_cast<wchar_t>(sizeof(wchar_t) == 2 ? 0xFFFF : 0x10FFFF);
  return {
      {unit_set::ascii, L'q', {0x80, 0xFF, 0x100, 0xD800, largest, negative}},
      {unit_set::ascii, 0, {0x80, 0x180}},
      {unit_set::ascii_but_nul, 0x7F, {0, 0x80, 0x101, 0xFF80, negative}},
      {unit_set::latin1_but_nul, L'e', {0, 0x80, 0x9F, 0x100, 0x1A0, 0x20AC, negative}},
      {unit_set::latin1_but_nul, 0xFF, {0, 0x9F, 0x100}},
      {unit_set::latin1_but_nul, 0xA0, {0x9F, 0x1A0}},
  };
}

// The block and run functions take their set as a template argument.
template <run_path P, typename Call>
std::size_t with_set(unit_set set, Call call) {
  switch (set) {
    case unit_set::ascii:
      return call(std::integral_constant<unit_set, unit_set::ascii>{});
    case unit_set::ascii_but_nul:
      return call(std::integral_constant<unit_set, unit_set::ascii_but_nul>{});
    case unit_set::latin1_but_nul:
      return call(std::integral_constant<unit_set, unit_set::latin1_but_nul>{});
  }
  return 0;
}

template <run_path P>
std::size_t narrow_block(unit_set set, const wchar_t* in, char* out) {
  return with_set<P>(set, [&](auto s) {
    return zodode::detail::narrow_unit_block<decltype(s)::value, P>(in, out);
  });
}

template <run_path P>
std::size_t copy_block(unit_set set, const wchar_t* in, wchar_t* out) {
  return with_set<P>(
      set, [&](auto s) { return zodode::detail::copy_unit_block<decltype(s)::value, P>(in, out); });
}

template <run_path P>
std::size_t run_length(unit_set set, const wchar_t* in, std::size_t n) {
  return with_set<P>(
      set, [&](auto s) { return zodode::detail::unit_run_length<decltype(s)::value, P>(in, n); });
}

template <run_path P>
void expect_blocks_stop_at(const std::vector<wchar_t>& in, const SetCase& c, std::size_t at) {
  std::string narrow(16, '#');
  ASSERT_EQ(at, narrow_block<P>(c.set, in.data(), &narrow[0]));
  EXPECT_EQ(std::string(at, static_cast<char>(c.fill)), narrow.substr(0, at));
  std::vector<wchar_t> copy(16, L'#');
  ASSERT_EQ(at, copy_block<P>(c.set, in.data(), copy.data()));
  EXPECT_EQ(std::vector<wchar_t>(at, c.fill),
            std::vector<wchar_t>(copy.begin(), copy.begin() + at));
}

TEST(UnitRuns, WideBlocksStopAtTheFirstUnitOutsideTheSetAtEveryOffset) {
  for (const SetCase& c : set_cases()) {
    for (wchar_t stop : c.stops) {
      for (std::size_t at = 0; at <= 16; ++at) {
        const auto in = block_with_stop<wchar_t>(c.fill, stop, at);
        expect_blocks_stop_at<run_path::portable>(in, c, at);
        expect_blocks_stop_at<run_path::sse2>(in, c, at);
      }
    }
  }
}

TEST(UnitRuns, RunLengthOverManyBlocksStopsAtEveryOffset) {
  for (const SetCase& c : set_cases()) {
    for (std::size_t length : {0u, 3u, 16u, 17u, 48u, 67u}) {
      for (std::size_t at = 0; at <= length; ++at) {
        std::vector<wchar_t> in(length, c.fill);
        if (at < length) in[at] = c.stops.front();
        EXPECT_EQ(at, run_length<run_path::sse2>(c.set, in.data(), length));
        EXPECT_EQ(at, run_length<run_path::portable>(c.set, in.data(), length));
      }
    }
  }
}

// The vector count sums its per-lane counters every 255 blocks.
TEST(UnitRuns, LeadBytesCountedAlikeAcrossCounterFlushes) {
  std::mt19937 random(3);
  for (std::size_t n : {0u, 15u, 16u, 4079u, 4080u, 4081u, 8161u, 20000u}) {
    std::vector<unsigned char> bytes(n);
    std::size_t leads = 0;
    for (unsigned char& b : bytes) {
      b = static_cast<unsigned char>(random());
      leads += b < 0x80 || b >= 0xC0;
    }
    using zodode::detail::utf8_lead_count;
    EXPECT_EQ(leads, utf8_lead_count<run_path::sse2>(bytes.data(), n)) << n;
    EXPECT_EQ(leads, utf8_lead_count<run_path::portable>(bytes.data(), n)) << n;
  }
}

}  // namespace

// Each kernel set against the run length known by construction: 16 good
// units with one stopper placed at every offset, so runs end at every
// position of a block.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "encoding/kernel_sets.h"

namespace {

using zodode::detail::unit_set;

template <typename Set>
class KernelSet : public ::testing::Test {};
TYPED_TEST_SUITE(KernelSet, KernelSets);

// 16 copies of fill with stop at `at` (none when at is 16).
template <typename Unit>
std::vector<Unit> block_with_stop(Unit fill, Unit stop, std::size_t at) {
  std::vector<Unit> block(16, fill);
  if (at < 16) block[at] = stop;
  return block;
}

TYPED_TEST(KernelSet, WideningStopsAtTheFirstByteOutsideTheRunAtEveryOffset) {
  struct Case {
    bool ascii;
    unsigned char fill, stop;
  };
  const Case cases[] = {{true, 'a', 0x80},  {true, 0x7F, 0xFF},  {true, 0x00, 0xC3},
                        {false, 'a', 0x80}, {false, 0xE9, 0x9F}, {false, 0xA0, 0x8D}};
  for (const Case& c : cases) {
    for (std::size_t at = 0; at <= 16; ++at) {
      const auto in = block_with_stop<unsigned char>(c.fill, c.stop, at);
      std::vector<wchar_t> out(16, L'#');
      ASSERT_EQ(at, c.ascii ? TypeParam::widen_ascii(in.data(), out.data())
                            : TypeParam::widen_cp1252(in.data(), out.data()))
          << at;
      for (std::size_t i = 0; i < at; ++i) ASSERT_EQ(wchar_t{c.fill}, out[i]);
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
      {unit_set::cp1252_but_nul, L'e', {0, 0x80, 0x9F, 0x100, 0x1A0, 0x20AC, negative}},
      {unit_set::cp1252_but_nul, 0xFF, {0, 0x9F, 0x100}},
      {unit_set::cp1252_but_nul, 0xA0, {0x9F, 0x1A0}},
  };
}

// The narrowing and copying blocks of set K for the unit set of c, which
// they take as a template argument.
template <typename K, typename Call>
std::size_t with_set(unit_set set, Call call) {
  switch (set) {
    case unit_set::ascii:
      return call(std::integral_constant<unit_set, unit_set::ascii>{});
    case unit_set::ascii_but_nul:
      return call(std::integral_constant<unit_set, unit_set::ascii_but_nul>{});
    case unit_set::cp1252_but_nul:
      return call(std::integral_constant<unit_set, unit_set::cp1252_but_nul>{});
  }
  return 0;
}

TYPED_TEST(KernelSet, WideBlocksStopAtTheFirstUnitOutsideTheSetAtEveryOffset) {
  for (const SetCase& c : set_cases()) {
    for (wchar_t stop : c.stops) {
      for (std::size_t at = 0; at <= 16; ++at) {
        const auto in = block_with_stop<wchar_t>(c.fill, stop, at);
        std::string narrow(16, '#');
        ASSERT_EQ(at, with_set<TypeParam>(c.set, [&](auto s) {
                    return TypeParam::template narrow<decltype(s)::value>(in.data(), &narrow[0]);
                  }));
        EXPECT_EQ(std::string(at, static_cast<char>(c.fill)), narrow.substr(0, at));
        std::vector<wchar_t> copy(16, L'#');
        ASSERT_EQ(at, with_set<TypeParam>(c.set, [&](auto s) {
                    return TypeParam::template copy<decltype(s)::value>(in.data(), copy.data());
                  }));
        EXPECT_EQ(std::vector<wchar_t>(at, c.fill),
                  std::vector<wchar_t>(copy.begin(), copy.begin() + static_cast<long>(at)));
      }
    }
  }
}

TYPED_TEST(KernelSet, WidensEightBytesFromTheLeastSignificant) {
  std::vector<wchar_t> out(8, L'#');
  TypeParam::widen_eight(0xFF80'7F41'0001'3FE9ull, out.data());
  EXPECT_EQ((std::vector<wchar_t>{0xE9, 0x3F, 0x01, 0x00, 0x41, 0x7F, 0x80, 0xFF}), out);
}

// The vector count sums its per-lane counters every 255 blocks.
TYPED_TEST(KernelSet, LeadBytesCountedAcrossCounterFlushes) {
  std::mt19937 random(3);
  for (std::size_t n : {0u, 15u, 16u, 4079u, 4080u, 4081u, 8161u, 20000u}) {
    std::vector<unsigned char> bytes(n);
    std::size_t leads = 0;
    for (unsigned char& b : bytes) {
      b = static_cast<unsigned char>(random());
      leads += b < 0x80 || b >= 0xC0;
    }
    EXPECT_EQ(leads, TypeParam::utf8_lead_count(bytes.data(), n)) << n;
  }
}

}  // namespace

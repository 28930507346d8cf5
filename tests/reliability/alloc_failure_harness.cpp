// The allocation-failure driver. This executable replaces malloc, realloc,
// free and operator new / delete (for every module of the process, the shared
// library too), so it can refuse the k-th allocation of an operation and see
// the blocks left live. Each operation of one table runs once per allocation
// it makes, that one refused; one judge asks for the strong guarantee: the
// std::bad_alloc reaches the caller, every string keeps its text (a narrow one
// its very buffer), nothing leaks. The unit tables run here too, under a cap:
// a single allocation above 64 MiB fails the run, so a hostile size that asks
// for gigabytes is caught at once.
#include <gtest/gtest.h>

#include <cstddef>
#include <new>
#include <string>
#include <vector>

#include "zString.h"
#include "zSubString.h"
#include "zWString.h"

extern "C" void* __libc_malloc(std::size_t size);
extern "C" void* __libc_realloc(void* block, std::size_t size);
extern "C" void __libc_free(void* block);

namespace {

constexpr std::size_t kCap = std::size_t{64} << 20;
constexpr std::size_t kMaxLive = 1 << 14;

// The replaced heap's state; only the single-threaded test runner changes it.
struct Heap {
  long fail_at = 0;  // when non-zero, the fail_at-th allocation from here on fails
  long counted = 0;  // allocations since armed
  bool fired = false, tracking = false, paused = false;  // live blocks are recorded
  std::size_t oversized = 0, live = 0;                   // while tracking and not paused
  void* blocks[kMaxLive];
} heap;

bool refuse(std::size_t size) {
  if (size > kCap) return heap.oversized = size, true;
  if (heap.fail_at == 0 || ++heap.counted != heap.fail_at) return false;
  return heap.fired = true;
}

void note(void* block, bool allocated) {
  if (!heap.tracking || block == nullptr || (allocated && heap.paused)) return;
  if (allocated) return void(heap.blocks[heap.live++ % kMaxLive] = block);
  for (std::size_t i = heap.live; i-- > 0;) {
    if (heap.blocks[i] == block) return void(heap.blocks[i] = heap.blocks[--heap.live]);
  }
}

}  // namespace

extern "C" void* malloc(std::size_t size) {
  void* block = refuse(size) ? nullptr : __libc_malloc(size);
  note(block, true);
  return block;
}
extern "C" void free(void* block) {
  note(block, false);
  __libc_free(block);
}
// A refused realloc leaves the old block as it was, as the C library's does.
extern "C" void* realloc(void* block, std::size_t size) {
  if (block == nullptr) return malloc(size);
  void* moved = refuse(size) ? nullptr : __libc_realloc(block, size);
  if (moved != nullptr) note(block, false), note(moved, true);
  return moved;
}
void* operator new(std::size_t n) {
  void* block = malloc(n == 0 ? 1 : n);
  return block != nullptr ? block : throw std::bad_alloc();
}
void operator delete(void* block) noexcept { free(block); }
void operator delete(void* block, std::size_t) noexcept { free(block); }

namespace {

class NoOversizedAllocation : public ::testing::Environment {
  void TearDown() override { EXPECT_EQ(0u, heap.oversized) << "bytes asked for in one block"; }
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new NoOversizedAllocation);

constexpr char kText[] = "Hello, World; one two three";
// Longer than any short-string buffer, so that copies allocate.
const wchar_t kWide[] = L"Gr\x00fc\x00df, wide World; \x20ac 100 \xfeff caf\x00e9 and more";
const wchar_t kLonger[] = L"another wide text, longer than the first one by a few units";
const unsigned short kUtf16[] = {0x48, 0xD83D, 0xDE00, 0x69, 0x20, 0x77, 0x6F, 0x72, 0x6C,
                                 0x64, 0x21,   0x21,   0x21, 0x21, 0x21, 0x21, 0};
wchar_t kSet[] = L" ,;eo";
unsigned char kBytes[100] = {1, 2, 3, 250, 251, 252};

// The strings operated on or passed as arguments; s starts with or without a buffer.
struct Subject {
  explicit Subject(bool empty) : s(empty ? zString() : zString(kText)), buffer(s.data()) {}
  std::string changes(bool empty) const {
    if (s != (empty ? "" : kText)) return std::string("text became \"") + s.data() + "\"";
    if (s.data() != buffer) return "same text, but in a new buffer";
    if (other != "lo, X" || out != "former output") return "a narrow argument changed";
    if (w.getWStringData() != kWide || wother.getWStringData() != kLonger)
      return "wide text changed";
    return "";
  }
  zString s, other{"lo, X"}, out{"former output"};
  const char* buffer;
  zWString w{kWide}, wother{kLonger};
};

struct Case {
  const char* name;
  void (*op)(Subject&);
  bool quiet = false;  // a refusal may instead leave s empty and throw nothing (base64)
};
#define OP(...) (Case{#__VA_ARGS__, []([[maybe_unused]] Subject& x) { __VA_ARGS__; }})
#define QUIET_OP(...) (Case{#__VA_ARGS__, [](Subject& x) { __VA_ARGS__; }, true})

// clang-format off
const Case kOperations[] = {
    OP(zString c(x.s)), OP(zString c(std::string(40, 'x'))), OP(zString c(-123)), OP(zString c(4294967295ul)),
    OP(zString c(static_cast<__int64>(-4611686018427387904LL))), OP(zString c(1.0 / 3, true)), OP(std::string c = x.s),
    OP(zString c = x.s + "tail"), OP(zString c = x.s + std::string(20, 'y')), OP(zString c = x.s + x.s),
    OP(zString c = static_cast<const zString&>(x.s).ToUpper()), OP(auto l = x.s.ToStringList(' ', true)),
    OP(auto l = x.s.ToStringList('o', false)), OP(zString c(std::vector<zString>{x.s, x.other, "x"}, ';')),
    OP(zString c = x.s(3, 6).data()), OP(x.s = x.other), OP(x.s = "replacement"), OP(x.s = x.s.data() + x.s.length() / 2),
    OP(x.s = std::string(30, 'z')), OP(x.s = 42), OP(x.s = 0.75), OP(x.s += "more"), OP(x.s += x.s), OP(x.s += -7),
    OP(x.s += 2.5), OP(x.s.Replace(x.other, "__")), OP(x.s.Replace(zString("World"), x.s)), OP(x.s.Insert(x.s, 1)),
    OP(x.s.Insert(x.other, 1000)), OP(x.s.Remove(5)), OP(x.s.Remove(2, 20)), OP(x.s.AlignLeftWithSize(77)),
    OP(x.s(7, 5) = "There and"), OP(x.s(0, 2) = x.s.data() + x.s.length() / 2), OP(x.s(1, 2) = x.other(0, 2)),
    QUIET_OP(x.s.base64(kBytes, 100)), QUIET_OP(x.s.base64(kBytes, 1)),
    OP(zWString c(x.w)), OP(zWString c(kUtf16)), OP(zWString c(-1234567890L)), OP(zWString c(1.0 / 3, true)),
    OP(zWString c(1e20, 'f', 30)), OP(std::wstring c = x.w.substr(2, 20)), OP(zWString c = x.w(1, 25)),
    OP(zWString c = x.w + L"tail"), OP(zWString c = x.w + 0.5), OP(zWString c = L"head" + x.w),
    OP(zWString c = x.w.TrimRight(L'e')), OP(zWString c = x.w.upperCase()), OP(auto l = x.w.ToStringList(L' ', true)),
    OP(zWString c(std::vector<zWString>{x.w, x.wother}, L';')), OP(x.w = x.wother), OP(x.w = kUtf16), OP(x.w += x.w),
    OP(x.w += L'x'), OP(x.w += 0.25), OP(x.w << L"streamed text"), OP(x.w.append(30, L'y')), OP(x.w.assign(50, 'z')),
    OP(x.w.resize(100)), OP(x.w.replace(3, 2, x.wother)), OP(x.w.replace(3, 2, kWide)), OP(x.w.Insert(x.w, 1)),
    OP(x.w.Replace(zWString(L"World"), x.w)), OP(x.w.ReplaceSubString(2, 5, x.w)), OP(x.w.AlignLeftWithSize(77)),
    OP(zWString c = x.w.Trim(L'G')), OP(zWString c = x.w.stripString(kSet)), OP(zWString c = x.w.NextToken(kSet)),
    OP(zString c = x.w.toUtf8()), OP(zString c = x.w.toLatin1()), OP(x.w.toASCII(x.w.size(), x.out)),
    OP(zWString c = zWString::fromUtf8(zString("caf\xc3\xa9 \xe2\x82\xac and \xed\xa0\x80 more"))),
    OP(zWString c = zWString::fromLatin1(zString("caf\xe9 \x80 and more text"))), OP(zWString c = x.w.toRTFW()),
    OP(zString c = x.w.toRTF())};
// clang-format on

// What goes wrong when the k-th allocation of c is refused, on a fresh
// subject ("" when nothing does); fired tells whether one was refused at all.
std::string round(const Case& c, bool empty, long k, bool& fired) {
  std::string verdict;
  heap.live = 0;
  heap.tracking = true;
  {
    Subject x(empty);
    heap.counted = 0, heap.fired = false, heap.fail_at = k;
    bool threw = false;
    try {
      c.op(x);
    } catch (const std::bad_alloc&) {
      threw = true;
    }
    heap.fail_at = 0, fired = heap.fired, heap.paused = true;
    if (threw) verdict = fired ? x.changes(empty) : "std::bad_alloc without a refused allocation";
    if (!threw && fired && !(c.quiet && x.s == "")) verdict = "no std::bad_alloc";
    heap.paused = false;
  }
  heap.tracking = false;
  return heap.live != 0 ? "block(s) leaked" : verdict;
}

TEST(AllocationFailure, EveryOperationGivesTheStrongGuaranteeAndLeaksNothing) {
  for (const Case& c : kOperations) {
    for (const bool empty : {false, true}) {
      bool fired = true;
      long k = 0;
      while (fired && ++k < 100000) {
        ASSERT_EQ("", round(c, empty, k, fired))
            << c.name << ", allocation " << k << (empty ? ", no buffer" : "");
      }
      EXPECT_TRUE(empty || k > 1) << c.name << ": allocates nothing";
    }
  }
}

}  // namespace

// Writing a conversion straight into its result: round by round, each round
// growing the result by the room it may use and keeping what it wrote. A
// round's zero fill and its writes meet in the cache, so the result reaches
// memory once, and no count pass or working buffer is needed.
#ifndef ZODODE_ENCODING_ROUNDS_H
#define ZODODE_ENCODING_ROUNDS_H

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>
#include <type_traits>

#include "encoding/kernels.h"
#include "frame/errors.h"

namespace zodode::detail {

// Units written per round: small enough that a round's zero fill and its
// conversion meet in the cache, so the result is written to memory once.
inline constexpr std::size_t kRound = 2048;
// Room kept free at the end of a round: what a step of the converter may
// write past the writer (kernels.h). Each converter names its own (its
// member `slack`), the least its steps allow: the room a round zero fills
// is then written whole where the text runs in whole steps. Left unwritten
// by one round and written by the next, the room measured 30% of the time of
// a Windows-1252 to wide conversion of 8 MiB, though it was the same work.
inline constexpr std::size_t kMaxSlack = 64;
// A text that gives at most this many units is converted on the stack and
// then copied into a result of exactly its size: one allocation, no zero fill.
inline constexpr std::size_t kShortText = 1024;

// The units the rest of the text is expected to give, at the rate seen so far
// and a sixteenth more: a std::string that must grow again doubles, copying
// all it holds, so a slight overestimate is the cheaper error.
template <typename Convert>
std::size_t projected_rest(std::size_t written, const Convert& convert) {
  if (convert.read() == 0) return 0;
  const double rate = static_cast<double>(written) / static_cast<double>(convert.read());
  return static_cast<std::size_t>(rate * static_cast<double>(convert.left()) * (17.0 / 16.0));
}

// Fills out round by round. A round grows out by the room it may use, kRound
// units or what the rest of the text can give at most when that is less, and
// keeps what it wrote. The capacity is first reserved for `expected` units
// (0 when the size is not known: then for the first round only); should the
// text need more, it is reserved again for the rest of the text at the rate
// seen so far, so a longer result is reallocated about once. Returns false,
// out unspecified, as soon as the result is longer than limit units.
template <typename Text, typename Convert>
ZODODE_ALWAYS_INLINE bool fill_in_rounds(Text& out, std::size_t expected, Convert convert,
                                         std::size_t limit = static_cast<std::size_t>(-1)) {
  out.clear();
  if (convert.most() <= kShortText) {
    // most() bounds what the text gives, so one call converts it all.
    using Unit = std::remove_reference_t<decltype(out[0])>;
    Unit local[kShortText + kMaxSlack];
    const std::size_t n = convert(local, local + convert.most());
    if (n > limit) return false;
    if constexpr (std::is_same_v<Text, std::basic_string<Unit>>) {
      out = Text(local, n);  // built at its size: cheaper than growing the empty one
    } else {
      out.append(local, n);
    }
    if (convert.done()) return true;
  }
  // Room for the last round too, so an exact expectation means no reallocation.
  constexpr std::size_t slack = Convert::slack;
  static_assert(slack <= kMaxSlack);
  out.reserve(std::min(expected, limit) + std::min(kRound, convert.most() + slack));
  // out is shortened to what was written only at the end: each unit is zero
  // filled once, and no round fills again what the last one left unwritten.
  std::size_t written = out.size();
  while (!convert.done()) {
    const std::size_t room = std::min(kRound, convert.most() + slack);
    if (out.size() < written + room) {
      if (out.capacity() < written + room) {
        out.reserve(written + room + projected_rest(written, convert));
      }
      out.resize(written + room);
    }
    written += convert(&out[written], &out[written] + room - slack);
    if (written > limit) return false;
  }
  out.resize(written);
  return true;
}

// A narrow result on the runtime heap, as a zString holds it, filled like a
// std::string by fill_in_rounds but without the zero fill of its resize, and
// then handed to the zString whole instead of copied.
class heap_text {
 public:
  heap_text() = default;
  heap_text(const heap_text&) = delete;
  heap_text& operator=(const heap_text&) = delete;
  ~heap_text() { std::free(bytes_); }

  std::size_t size() const { return size_; }
  std::size_t capacity() const { return capacity_; }
  char& operator[](std::size_t i) { return bytes_[i]; }
  void clear() { size_ = 0; }
  // Within the capacity; the new bytes are the caller's to write.
  void resize(std::size_t n) {
    assert(n <= capacity_);
    size_ = n;
  }
  // Appends n bytes.
  void append(const char* bytes, std::size_t n) {
    reserve(size_ + n);
    if (n != 0) std::memcpy(bytes_ + size_, bytes, n);
    size_ += n;
  }
  // Room for n bytes and a NUL; the heap's refusal is std::bad_alloc. The
  // first block comes from malloc: realloc of a null pointer costs a short
  // text a measurable part of its time.
  void reserve(std::size_t n) {
    if (bytes_ != nullptr && n <= capacity_) return;
    void* grown = bytes_ == nullptr ? std::malloc(n + 1) : std::realloc(bytes_, n + 1);
    if (grown == nullptr) throw_bad_alloc();
    bytes_ = static_cast<char*>(grown);
    capacity_ = n;
  }
  // The NUL-terminated text in a block of exactly its size, now the caller's
  // to free.
  char* release() {
    if (bytes_ == nullptr || capacity_ != size_) {
      void* exact = std::realloc(bytes_, size_ + 1);
      if (exact == nullptr) throw_bad_alloc();
      bytes_ = static_cast<char*>(exact);
      capacity_ = size_;
    }
    bytes_[size_] = '\0';
    char* text = bytes_;
    bytes_ = nullptr;
    size_ = capacity_ = 0;
    return text;
  }

 private:
  char* bytes_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

// A converter holds the read position between rounds. A round writes from out
// while the writer has not passed last, blocks of 16 units through the
// kernels (kernels.h) and every other character by the per-character rules,
// and returns the units written. A step starts only at or before last, so
// it ends within the converter's slack past last: a whole block started at
// last ends exactly at the room's end.
// A round is inlined into fill_in_rounds, and fill_in_rounds into its caller,
// where the converter is a local (ZODODE_ALWAYS_INLINE): out of line, a
// round's char writes may alias the read position, which then goes to memory
// at every step.
template <typename Source>
class text_reader {
 public:
  text_reader(const Source* begin, std::size_t n) : begin_(begin), next_(begin), end_(begin + n) {}
  std::size_t read() const { return static_cast<std::size_t>(next_ - begin_); }
  std::size_t left() const { return static_cast<std::size_t>(end_ - next_); }

 protected:
  bool block_fits() const { return end_ - next_ >= static_cast<std::ptrdiff_t>(kBlock); }

  // Whole blocks through step (a kernel of kernels.h) while the text holds a
  // block and the writer o has not passed last; stops after the first block
  // that is not whole. A whole block writes kBlock units, so how many can
  // follow is known before the loop, which then tests only what step
  // returns: a short loop that no bounds test lengthens, whose speed does
  // not hang on where its branches fall.
  // o must be at or before last.
  template <typename Out, typename Step>
  ZODODE_ALWAYS_INLINE void whole_blocks(Out*& o, const Out* last, Step step) {
    std::size_t n = std::min(left() / kBlock, static_cast<std::size_t>(last - o) / kBlock + 1);
    const Source* p = next_;
    for (; n != 0; --n) {
      const std::size_t run = step(p, o);
      p += run;
      o += run;
      if (run != kBlock) break;
    }
    next_ = p;
  }

  const Source* begin_;
  const Source* next_;
  const Source* end_;
};

}  // namespace zodode::detail

#endif  // ZODODE_ENCODING_ROUNDS_H

// Writing a conversion straight into its result: round by round, each round
// growing the result by the room it may use and keeping what it wrote. A
// round's zero fill and its writes meet in the cache, so the result reaches
// memory once, and no count pass or working buffer is needed.
#ifndef ZODODE_ENCODING_ROUNDS_H
#define ZODODE_ENCODING_ROUNDS_H

#include <algorithm>
#include <cstddef>
#include <string>

namespace zodode::detail {

// Units written per round: small enough that a round's zero fill and its
// conversion meet in the cache, so the result is written to memory once.
inline constexpr std::size_t kRound = 2048;
// Room kept free at the end of a round: a block of 16 units, which is more
// than one character's step writes.
inline constexpr std::size_t kSlack = 16;

// The units the rest of the text is expected to give, at the rate seen so far.
template <typename Convert>
std::size_t projected_rest(std::size_t written, const Convert& convert) {
  if (convert.read() == 0) return 0;
  const double rate = static_cast<double>(written) / static_cast<double>(convert.read());
  return static_cast<std::size_t>(rate * static_cast<double>(convert.left()));
}

// Fills out round by round. A round grows out by the room it may use, kRound
// units or what the rest of the text can give at most when that is less, and
// keeps what it wrote. The capacity is first reserved for `expected` units
// (0 when the size is not known: then for the first round only); should the
// text need more, it is reserved again for the rest of the text at the rate
// seen so far, so a longer result is reallocated about once.
template <typename Char, typename Convert>
void fill_in_rounds(std::basic_string<Char>& out, std::size_t expected, Convert convert) {
  out.clear();
  // Room for the last round too, so an exact expectation means no reallocation.
  out.reserve(expected + std::min(kRound, convert.most() + kSlack));
  while (!convert.done()) {
    const std::size_t old = out.size();
    const std::size_t room = std::min(kRound, convert.most() + kSlack);
    if (out.capacity() - old < room) out.reserve(old + room + projected_rest(old, convert));
    out.resize(old + room);
    out.resize(old + convert(&out[old], &out[old] + room - kSlack));
  }
}

// A converter holds the read position between rounds. A round writes from out
// while the writer has not passed last, blocks of 16 units through the run
// loops of path P and every other character by the per-character rules, and
// returns the units written. A block that stops early leaves the writer at
// most 15 units past last: one more unit still fits, a longer step waits.
template <typename Source>
class text_reader {
 public:
  text_reader(const Source* begin, std::size_t n) : begin_(begin), next_(begin), end_(begin + n) {}
  std::size_t read() const { return static_cast<std::size_t>(next_ - begin_); }
  std::size_t left() const { return static_cast<std::size_t>(end_ - next_); }

 protected:
  bool block_fits() const { return end_ - next_ >= 16; }

  const Source* begin_;
  const Source* next_;
  const Source* end_;
};

}  // namespace zodode::detail

#endif  // ZODODE_ENCODING_ROUNDS_H

#include "encoding/code_page_direct.h"

#include <algorithm>
#include <climits>
#include <cstddef>

#include "encoding/code_page_rules.h"

namespace zodode::detail {
namespace {

// The two calls count in int, the NUL included.
constexpr std::size_t kMaxCount = INT_MAX;

// Units written per round: small enough that a round's zero fill and its
// conversion meet in the cache, so the result is written to memory once.
constexpr std::size_t kRound = 2048;
// Room kept free at the end of a round: a block of 16 units, which is more
// than one character's step writes.
constexpr std::size_t kSlack = 16;

// The units the rest of the text is expected to give, at the rate seen so far.
template <typename Convert>
std::size_t projected_rest(std::size_t written, const Convert& convert) {
  if (convert.read() == 0) return 0;
  const double rate = static_cast<double>(written) / static_cast<double>(convert.read());
  return static_cast<std::size_t>(rate * static_cast<double>(convert.left()));
}

// Fills out round by round. A round grows out by the room it may use, kRound
// units or what the rest of the text can give at most when that is less, and
// keeps what it wrote. The capacity is first reserved for `expected` units;
// should the text need more, it is reserved again for the rest of the text at
// the rate seen so far, so a longer result is reallocated about once.
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

const unsigned char* bytes_of(const char* p) { return reinterpret_cast<const unsigned char*>(p); }

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

template <run_path P>
class utf8_decoding : public text_reader<unsigned char> {
 public:
  explicit utf8_decoding(std::string_view in) : text_reader(bytes_of(in.data()), in.size()) {}
  bool done() const { return next_ == end_; }
  std::size_t most() const { return left(); }  // two units take four bytes

  std::size_t operator()(wchar_t* out, wchar_t* last) {
    wchar_t* o = out;
    while (next_ != end_ && o <= last) {
      if (block_fits()) {
        const std::size_t run = widen_ascii_block<P>(next_, o);
        next_ += run;
        o += run;
        if (run == 16) continue;
      } else if (*next_ < 0x80) {
        *o++ = *next_++;
        continue;
      }
      // Not ASCII: this character and the non-ASCII ones after it, while
      // they fit (a block may have taken the writer past last).
      while (o <= last && next_ != end_ && *next_ >= 0x80) {
        const decoded d = decode_utf8_sequence_quickly(next_);
        o = put_units(d.code_point, o);
        next_ += d.size;
      }
    }
    return static_cast<std::size_t>(o - out);
  }
};

template <run_path P>
class windows_1252_decoding : public text_reader<unsigned char> {
 public:
  explicit windows_1252_decoding(std::string_view in)
      : text_reader(bytes_of(in.data()), in.size()) {}
  bool done() const { return next_ == end_; }
  std::size_t most() const { return left(); }

  std::size_t operator()(wchar_t* out, wchar_t* last) {
    wchar_t* o = out;
    while (next_ != end_ && o <= last) {
      if (block_fits()) {
        const std::size_t run = widen_latin1_block<P>(next_, o);
        next_ += run;
        o += run;
        if (run == 16) continue;
      }
      *o++ = static_cast<wchar_t>(windows_1252_unit(*next_++));
    }
    return static_cast<std::size_t>(o - out);
  }
};

// Wide sources end at their first NUL, where the runs stop too: the text is
// read once, not measured first.
template <run_path P>
class utf8_encoding : public text_reader<wchar_t> {
 public:
  explicit utf8_encoding(std::wstring_view in) : text_reader(in.data(), in.size()) {}
  bool done() const { return next_ == end_ || *next_ == 0; }
  std::size_t most() const { return 3 * left(); }

  std::size_t operator()(char* out, char* last) {
    char* o = out;
    while (!done() && o <= last) {
      if (block_fits()) {
        const std::size_t run = narrow_unit_block<unit_set::ascii_but_nul, P>(next_, o);
        next_ += run;
        o += run;
        if (run == 16 || *next_ == 0) continue;
      } else if (unit_bits(*next_) < 0x80) {
        *o++ = static_cast<char>(*next_++);
        continue;
      }
      while (o <= last && next_ != end_ && unit_bits(*next_) >= 0x80) {
        next_ += put_utf8_quickly(next_, o);
      }
    }
    return static_cast<std::size_t>(o - out);
  }
};

template <run_path P>
class windows_1252_encoding : public text_reader<wchar_t> {
 public:
  explicit windows_1252_encoding(std::wstring_view in) : text_reader(in.data(), in.size()) {}
  bool done() const { return next_ == end_ || *next_ == 0; }
  std::size_t most() const { return left(); }

  std::size_t operator()(char* out, char* last) {
    char* o = out;
    while (!done() && o <= last) {
      if (block_fits()) {
        const std::size_t run = narrow_unit_block<unit_set::latin1_but_nul, P>(next_, o);
        next_ += run;
        o += run;
        if (run == 16 || *next_ == 0) continue;
      }
      *o++ = static_cast<char>(windows_1252_byte(unit_bits(*next_++)));
    }
    return static_cast<std::size_t>(o - out);
  }
};

}  // namespace

// Each byte gives at most one unit (two where wchar_t is 16 bits), and in
// well-formed text each character one: the lead bytes size the result.
template <run_path P>
bool utf8_to_wide_direct(std::string_view in, std::wstring& out) {
  if (in.size() >= kMaxCount / 2) return false;
  fill_in_rounds(out, utf8_lead_count<P>(bytes_of(in.data()), in.size()), utf8_decoding<P>(in));
  return true;
}

template <run_path P>
bool latin1_to_wide_direct(std::string_view in, std::wstring& out) {
  if (in.size() >= kMaxCount) return false;
  fill_in_rounds(out, in.size(), windows_1252_decoding<P>(in));
  return true;
}

// At most three bytes for each unit (a pair gives four for two). The result is
// first expected to be about as long as the text, as it is for Latin text.
template <run_path P>
bool wide_to_utf8_direct(std::wstring_view in, std::string& out) {
  if (in.size() >= kMaxCount / 3) return false;
  fill_in_rounds(out, in.size(), utf8_encoding<P>(in));
  return true;
}

template <run_path P>
bool wide_to_latin1_direct(std::wstring_view in, std::string& out) {
  if (in.size() >= kMaxCount) return false;
  fill_in_rounds(out, in.size(), windows_1252_encoding<P>(in));
  return true;
}

template bool utf8_to_wide_direct<run_path::portable>(std::string_view, std::wstring&);
template bool latin1_to_wide_direct<run_path::portable>(std::string_view, std::wstring&);
template bool wide_to_utf8_direct<run_path::portable>(std::wstring_view, std::string&);
template bool wide_to_latin1_direct<run_path::portable>(std::wstring_view, std::string&);
// Without SSE2 the sse2 forms are the portable ones under the other name.
template bool utf8_to_wide_direct<run_path::sse2>(std::string_view, std::wstring&);
template bool latin1_to_wide_direct<run_path::sse2>(std::string_view, std::wstring&);
template bool wide_to_utf8_direct<run_path::sse2>(std::wstring_view, std::string&);
template bool wide_to_latin1_direct<run_path::sse2>(std::wstring_view, std::string&);

}  // namespace zodode::detail

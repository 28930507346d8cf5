// RTF escaping of wide text. Units up to 0x7F pass unchanged (backslash,
// braces and NUL included), U+FEFF is dropped, and every other unit becomes
// "\uN?" with N its unsigned decimal value. Each 16-bit unit is escaped by
// itself, so where wchar_t holds a supplementary character in one unit its
// UTF-16 pair is escaped, giving the bytes Windows gives for the same text.
#ifndef ZODODE_ENCODING_RTF_ESCAPE_H
#define ZODODE_ENCODING_RTF_ESCAPE_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

#include "encoding/kernels.h"
#include "encoding/rounds.h"
#include "frame/unicode.h"

namespace zodode::detail {
namespace rtf {

// Decimal digits of an escaped unit, which lies in 128..65535.
inline std::size_t digit_count(std::uint32_t unit) {
  return unit < 1000 ? 3 : unit < 10000 ? 4 : 5;
}

// The escaped form of one unit, fed to sink: put_char for a unit passed as it
// is, put_escape for each 16-bit unit written as "\uN?".
template <typename Sink>
ZODODE_ALWAYS_INLINE void escape_unit(std::uint32_t unit, Sink& sink) {
  if (unit <= 0x7F) {
    sink.put_char(unit);
  } else if (unit == kByteOrderMark) {
    return;
  } else if (unit <= 0xFFFF) {
    sink.put_escape(unit);
  } else if (unit <= kMaxCodePoint) {
    sink.put_escape(high_surrogate_of(unit));
    sink.put_escape(low_surrogate_of(unit));
  } else {
    sink.put_escape(kReplacement);
  }
}

class rtf_length {
 public:
  void put_char(std::uint32_t /*unit*/) { ++length_; }
  void put_escape(std::uint32_t unit) { length_ += 3 + digit_count(unit); }
  std::uint64_t length() const { return length_; }

 private:
  std::uint64_t length_ = 0;
};

// "00" to "99": an escape's digits are written two at a time from the end.
inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

template <typename Char>
class rtf_writer {
 public:
  explicit rtf_writer(Char* out) : next_(out) {}
  Char* position() const { return next_; }
  void skip(std::size_t n) { next_ += n; }
  void put_char(std::uint32_t unit) { *next_++ = static_cast<Char>(unit); }
  ZODODE_ALWAYS_INLINE void put_escape(std::uint32_t unit) {
    next_[0] = '\\';
    next_[1] = 'u';
    Char* const end = next_ + 2 + digit_count(unit);
    Char* digit = end;
    for (; unit >= 100; unit /= 100) {
      digit -= 2;
      digit[0] = static_cast<Char>(kDigitPairs[2 * (unit % 100)]);
      digit[1] = static_cast<Char>(kDigitPairs[2 * (unit % 100) + 1]);
    }
    if (unit >= 10) {
      digit[-2] = static_cast<Char>(kDigitPairs[2 * unit]);
      digit[-1] = static_cast<Char>(kDigitPairs[2 * unit + 1]);
    } else {
      digit[-1] = static_cast<Char>('0' + unit);
    }
    *end = '?';
    next_ = end + 1;
  }

 private:
  Char* next_;
};

// The eight bytes of an escape (backslash, u, `digits` digits from 3 to 5, ?), as
// they lie in memory when stored little-endian: the unused tail bytes follow
// the "?". Built without a branch on the digit count, which changes from
// character to character in mixed text.
inline std::uint64_t escape_bytes(std::uint32_t unit, std::size_t digits) {
  const std::uint32_t high = unit / 100;  // below 656
  std::uint16_t middle_pair, low_pair;
  std::memcpy(&middle_pair, &kDigitPairs[2 * (high % 100)], 2);
  std::memcpy(&low_pair, &kDigitPairs[2 * (unit % 100)], 2);
  const std::uint64_t ascii =
      ('0' + high / 100) | std::uint64_t{middle_pair} << 8 | std::uint64_t{low_pair} << 24;
  const std::uint64_t kept = ascii >> (8 * (5 - digits));                 // leading zeros dropped
  return 0x755C | kept << 16 | std::uint64_t{'?'} << (8 * (digits + 2));  // backslash, u
}

// The writer of the rounds, which always have room for 16 more units: an
// escape is stored as eight units at once and the position moves by its
// length.
template <typename Char, typename Kernels>
class rtf_round_writer : public rtf_writer<Char> {
 public:
  using rtf_writer<Char>::rtf_writer;
  ZODODE_ALWAYS_INLINE void put_escape(std::uint32_t unit) {
    if constexpr (!kLittleEndian) {
      rtf_writer<Char>::put_escape(unit);
    } else {
      const std::size_t digits = 3 + (unit >= 1000) + (unit >= 10000);
      const std::uint64_t bytes = escape_bytes(unit, digits);
      Char* out = this->position();
      if constexpr (std::is_same_v<Char, char>) {
        std::memcpy(out, &bytes, 8);
      } else {
        Kernels::widen_eight(bytes, out);
      }
      this->skip(digits + 3);
    }
  }
};

// The unit runs that pass unchanged: ASCII, without the NUL that ends a
// narrow text.
template <typename Char>
constexpr unit_set kPassing =
    std::is_same_v<Char, char> ? unit_set::ascii_but_nul : unit_set::ascii;

// The escaping as a round converter (rounds.h): ASCII blocks of 16 units
// through the kernels, every other unit through escape_unit.
template <typename Char, typename Kernels>
class rtf_escaping : public text_reader<wchar_t> {
 public:
  explicit rtf_escaping(std::wstring_view text) : text_reader(text.data(), text.size()) {}
  bool done() const {
    return next_ == end_ || (kPassing<Char> == unit_set::ascii_but_nul && *next_ == 0);
  }
  std::size_t most() const { return 16 * left(); }  // two escapes of eight
  // A block or two escapes; and a whole step where a narrow result, which
  // is not zero filled, can keep the room for it cheaply.
  static constexpr std::size_t slack =
      Kernels::whole_sequences && std::is_same_v<Char, char> ? kStepMost : kBlock;

  // A wide result takes the escaping steps only in a round that follows one
  // where the escapes at least doubled the text. Text with few escapes ran
  // 1-5% faster in a loop without them, and 4-7% while they were called out
  // of line: the call made GCC set up the block kernel's constants again at
  // every block.
  ZODODE_ALWAYS_INLINE std::size_t operator()(Char* out, Char* last) {
    if constexpr (Kernels::whole_sequences && std::is_same_v<Char, wchar_t>) {
      const std::size_t first = read();
      const std::size_t written = steps_ ? escape<true>(out, last) : escape<false>(out, last);
      steps_ = written > 2 * (read() - first);
      return written;
    } else {
      return escape<Kernels::whole_sequences>(out, last);
    }
  }

 private:
  // The first round takes the steps: a short text has no round before it.
  bool steps_ = true;

  template <bool Steps>
  ZODODE_ALWAYS_INLINE std::size_t escape(Char* out, Char* last) {
    rtf_round_writer<Char, Kernels> writer(out);
    while (!done() && writer.position() <= last) {
      if (block_fits()) {
        const std::size_t run = pass_block(writer.position());
        next_ += run;
        writer.skip(run);
        if (run == kBlock) continue;
      } else if (unit_bits(*next_) < 0x80) {
        writer.put_char(unit_bits(*next_++));
        continue;
      }
      // In a round that takes them, the steps take over once two escapes
      // come in a row (eight units at a time, ASCII between them too); one
      // alone between ASCII is quicker by the per-unit rules.
      bool dense = false;
      while (writer.position() <= last && next_ != end_ && unit_bits(*next_) >= 0x80) {
        if constexpr (Steps) {
          // Its step writes up to kStepMost units, more than the round
          // keeps past last.
          if (dense && end_ - next_ >= 8 &&
              last - writer.position() >= static_cast<std::ptrdiff_t>(kStepMost - slack)) {
            const code_step step =
                Kernels::template rtf_escapes<Char, kPassing<Char>>(next_, writer.position());
            next_ += step.read;
            writer.skip(step.written);
            if (step.read != 0) continue;
          }
        }
        escape_unit(unit_bits(*next_++), writer);
        dense = true;
      }
    }
    return static_cast<std::size_t>(writer.position() - out);
  }

  std::size_t pass_block(Char* out) const {
    if constexpr (std::is_same_v<Char, char>) {
      return Kernels::template narrow<kPassing<Char>>(next_, out);
    } else {
      return Kernels::template copy<kPassing<Char>>(next_, out);
    }
  }
};

}  // namespace rtf

// The RTF escapes of text with the kernels of set Kernels, written in rounds
// straight into the result (rounds.h); a narrow result ends at the first NUL
// of the text. Escapes make the result several times the text: its size is
// projected from the first round.
template <typename Char, typename Kernels, typename Text>
void rtf_escape(std::wstring_view text, Text& out) {
  fill_in_rounds(out, 0, rtf::rtf_escaping<Char, Kernels>(text));
}

}  // namespace zodode::detail

#endif  // ZODODE_ENCODING_RTF_ESCAPE_H

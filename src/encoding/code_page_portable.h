// The converter of every platform without the Windows code-page calls, and
// the one engine of its conversions: the text read once and written round by
// round straight into the result (rounds.h), runs through the kernels of a
// kernel set (kernels.h), every other character through the per-character
// rules (code_page_rules.h).
#ifndef ZODODE_ENCODING_CODE_PAGE_PORTABLE_H
#define ZODODE_ENCODING_CODE_PAGE_PORTABLE_H

#include <climits>
#include <cstddef>
#include <string>
#include <string_view>

#include "encoding/code_page.h"
#include "encoding/code_page_rules.h"
#include "encoding/kernels.h"
#include "encoding/rounds.h"

namespace zodode::detail {

// Windows counts a result in int, its NUL included; a longer one fails the
// size query with ERROR_ARITHMETIC_OVERFLOW.
inline constexpr std::size_t kMaxCount = INT_MAX;
inline constexpr unsigned long kErrorArithmeticOverflow = 534;

namespace portable {

inline const unsigned char* bytes_of(const char* p) {
  return reinterpret_cast<const unsigned char*>(p);
}

template <typename Kernels>
class utf8_decoding : public text_reader<unsigned char> {
 public:
  explicit utf8_decoding(std::string_view in) : text_reader(bytes_of(in.data()), in.size()) {}
  bool done() const { return next_ == end_; }
  std::size_t most() const { return left(); }  // two units take four bytes
  static constexpr std::size_t slack = Kernels::whole_sequences ? kUtf8Window : kBlock;

  // The read position is kept in a local: the vector stores may alias
  // anything, and a member would be reloaded after each of them.
  ZODODE_ALWAYS_INLINE std::size_t operator()(wchar_t* out, wchar_t* last) {
    wchar_t* o = out;
    const unsigned char* p = next_;
    if constexpr (Kernels::whole_sequences) {
      // Windows of ASCII and well-formed sequences alike; a character no
      // window takes (a flaw) goes by the rules. The text's last bytes have
      // a loop of their own, whose call would cost this one its constants.
      while (end_ - p >= static_cast<std::ptrdiff_t>(kUtf8WindowRead) && o <= last) {
        const code_step step = Kernels::utf8_to_units(p, o);
        p += step.read;
        o += step.written;
        if (step.read == 0) by_rules(p, o);
      }
      while (p != end_ && o <= last) {
        const code_step step =
            Kernels::utf8_tail_to_units(p, static_cast<std::size_t>(end_ - p), o);
        p += step.read;
        o += step.written;
        if (step.read == 0) by_rules(p, o);
      }
    } else {
      while (p != end_ && o <= last) {
        if (end_ - p >= static_cast<std::ptrdiff_t>(kBlock)) {
          const std::size_t run = Kernels::widen_ascii(p, o);
          p += run;
          o += run;
          if (run == kBlock) continue;
        } else if (*p < 0x80) {
          *o++ = *p++;
          continue;
        }
        // Not ASCII: this character and the non-ASCII ones after it, while
        // they fit (a block may have taken the writer past last).
        while (o <= last && p != end_ && *p >= 0x80) by_rules(p, o);
      }
    }
    next_ = p;
    return static_cast<std::size_t>(o - out);
  }

 private:
  // One character by the per-character rules.
  ZODODE_ALWAYS_INLINE static void by_rules(const unsigned char*& p, wchar_t*& o) {
    if (*p < 0x80) {
      *o++ = *p++;
      return;
    }
    const decoded d = decode_utf8_sequence_quickly(p);
    o = put_units(d.code_point, o);
    p += d.size;
  }
};

template <typename Kernels>
class cp1252_decoding : public text_reader<unsigned char> {
 public:
  explicit cp1252_decoding(std::string_view in) : text_reader(bytes_of(in.data()), in.size()) {}
  bool done() const { return next_ == end_; }
  std::size_t most() const { return left(); }
  static constexpr std::size_t slack = kBlock;

  // A set that maps whole blocks (map_cp1252) does so in a round that
  // follows one with bytes 80-9F at kMapFrom places or more, until a round
  // without any. Elsewhere a block ends its run at such a byte, which then
  // goes by the rules. Mapping every block cost ASCII text 17% and saved
  // French and German text 5-20%; a branch on each block's bytes
  // mispredicts where they come every few blocks.
  ZODODE_ALWAYS_INLINE std::size_t operator()(wchar_t* out, wchar_t* last) {
    wchar_t* o = out;
    if constexpr (Kernels::whole_sequences) {
      if (mapping_) {
        unsigned mapped = 0;
        while (next_ != end_ && o <= last) {
          whole_blocks(o, last, [&mapped](const unsigned char* in, wchar_t* to) {
            mapped |= Kernels::map_cp1252(in, to);
            return kBlock;
          });
          if (next_ != end_ && o <= last) *o++ = static_cast<wchar_t>(cp1252_unit(*next_++));
        }
        mapping_ = mapped != 0;
        return static_cast<std::size_t>(o - out);
      }
    }
    // The read position is kept in a local: the vector stores may alias
    // anything, and a member would be reloaded after each of them (this
    // loop took a short text a third longer so).
    std::size_t stops = 0;
    const unsigned char* p = next_;
    while (p != end_ && o <= last) {
      if (end_ - p >= static_cast<std::ptrdiff_t>(kBlock)) {
        const std::size_t run = Kernels::widen_cp1252(p, o);
        p += run;
        o += run;
        if (run == kBlock) continue;
        ++stops;
      }
      *o++ = static_cast<wchar_t>(cp1252_unit(*p++));
    }
    next_ = p;
    mapping_ = stops >= kMapFrom;
    return static_cast<std::size_t>(o - out);
  }

 private:
  static constexpr std::size_t kMapFrom = 4;
  bool mapping_ = false;
};

// Wide sources end at their first NUL, where the runs stop too: the text is
// read once, not measured first.
template <typename Kernels>
class utf8_encoding : public text_reader<wchar_t> {
 public:
  explicit utf8_encoding(std::wstring_view in) : text_reader(in.data(), in.size()) {}
  bool done() const { return next_ == end_ || *next_ == 0; }
  std::size_t most() const { return 3 * left(); }
  static constexpr std::size_t slack = Kernels::whole_sequences ? kStepMost : kBlock;

  ZODODE_ALWAYS_INLINE std::size_t operator()(char* out, char* last) {
    char* o = out;
    while (!done() && o <= last) {
      if (block_fits()) {
        if constexpr (Kernels::whole_sequences) {
          // A block of any mix of characters; it stops early only before a
          // NUL, a surrogate or a unit above 10FFFF.
          const code_step step = Kernels::units_to_utf8(next_, o);
          next_ += step.read;
          o += step.written;
          if (step.read != 0 || *next_ == 0) continue;
        } else {
          const std::size_t run = Kernels::template narrow<unit_set::ascii_but_nul>(next_, o);
          next_ += run;
          o += run;
          if (run == kBlock || *next_ == 0) continue;
        }
      } else if (unit_bits(*next_) < 0x80) {
        *o++ = static_cast<char>(*next_++);
        continue;
      }
      if constexpr (Kernels::whole_sequences) {
        next_ += put_utf8_quickly(next_, o);  // a step that read nothing wrote nothing
      } else {
        // Not ASCII: this character and the non-ASCII ones after it, while
        // they fit (a block may have taken the writer past last). A block
        // tried at each of them would cost a block's loads for every
        // character of text without ASCII.
        while (o <= last && next_ != end_ && unit_bits(*next_) >= 0x80) {
          next_ += put_utf8_quickly(next_, o);
        }
      }
    }
    return static_cast<std::size_t>(o - out);
  }
};

template <typename Kernels>
class cp1252_encoding : public text_reader<wchar_t> {
 public:
  explicit cp1252_encoding(std::wstring_view in) : text_reader(in.data(), in.size()) {}
  bool done() const { return next_ == end_ || *next_ == 0; }
  std::size_t most() const { return left(); }
  static constexpr std::size_t slack = kBlock;

  ZODODE_ALWAYS_INLINE std::size_t operator()(char* out, char* last) {
    char* o = out;
    while (!done() && o <= last) {
      if (block_fits()) {
        const std::size_t run = Kernels::template narrow<unit_set::cp1252_but_nul>(next_, o);
        next_ += run;
        o += run;
        if (run == kBlock || *next_ == 0) continue;
      }
      *o++ = static_cast<char>(cp1252_byte(unit_bits(*next_++)));
    }
    return static_cast<std::size_t>(o - out);
  }
};

// One conversion in rounds. A result that, with its NUL, passes max_count
// fails as Windows' size query fails. Each conversion is a function of its
// own, its loop laid out without the others around it.
template <typename Convert, typename Text, typename Source>
ZODODE_NOINLINE conversion_failure convert(Source text, Text& out, std::size_t expected,
                                           std::size_t max_count) {
  if (fill_in_rounds(out, expected, Convert(text), max_count - 1)) return {};
  return {conversion_failure::step::size_query, kErrorArithmeticOverflow};
}

}  // namespace portable

// platform_to_wide and platform_to_bytes with the kernels of set Kernels and
// results counted against max_count (lower than kMaxCount only in tests); the
// bytes go to a std::string or to a heap_text that a zString then adopts.
// Any code page other than UTF-8 is Windows-1252.
//
// Windows-1252 gives one unit for each byte, which sizes the result. UTF-8,
// either way, gives a result whose size is projected from the first round:
// counting the characters first would read the whole text once more, which
// cost more than the 6% of room the projection may leave unused.
template <typename Kernels>
conversion_failure portable_to_wide(unsigned code_page, std::string_view text, std::wstring& out,
                                    std::size_t max_count = kMaxCount) {
  using namespace portable;
  if (code_page == kCodePageUtf8) {
    return convert<utf8_decoding<Kernels>>(text, out, 0, max_count);
  }
  return convert<cp1252_decoding<Kernels>>(text, out, text.size(), max_count);
}

template <typename Kernels, typename Text>
conversion_failure portable_to_bytes(unsigned code_page, std::wstring_view text, Text& out,
                                     std::size_t max_count = kMaxCount) {
  using namespace portable;
  if (code_page == kCodePageUtf8) {
    return convert<utf8_encoding<Kernels>>(text, out, 0, max_count);
  }
  return convert<cp1252_encoding<Kernels>>(text, out, text.size(), max_count);
}

}  // namespace zodode::detail

#endif  // ZODODE_ENCODING_CODE_PAGE_PORTABLE_H

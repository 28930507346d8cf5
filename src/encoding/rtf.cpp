// zWString's RTF escaping. Units up to 0x7F pass unchanged (backslash, braces
// and NUL included), U+FEFF is dropped, and every other unit becomes "\uN?"
// with N its unsigned decimal value. Each 16-bit unit is escaped by itself, so
// where wchar_t holds a supplementary character in one unit its UTF-16 pair is
// escaped, giving the bytes Windows gives for the same text.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

#include "encoding/code_page_rules.h"
#include "encoding/rounds.h"
#include "encoding/rtf_escape.h"
#include "encoding/unit_runs.h"
#include "frame/errors.h"
#include "zWString.h"

namespace zodode::detail {
namespace {

constexpr std::uint32_t kByteOrderMark = 0xFEFF;
// zWString's max_size().
constexpr std::uint64_t kMaxWideLength = 2147483646;

// Decimal digits of an escaped unit, which lies in 128..65535.
std::size_t digit_count(std::uint32_t unit) { return unit < 1000 ? 3 : unit < 10000 ? 4 : 5; }

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
    sink.put_escape(0xD800 + ((unit - 0x10000) >> 10));
    sink.put_escape(0xDC00 + (unit & 0x3FF));
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
constexpr char kDigitPairs[] =
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

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
constexpr bool kLittleEndian = false;
#else
constexpr bool kLittleEndian = true;
#endif

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

// Eight bytes as eight units.
inline void store_bytes_as_units(std::uint64_t bytes, wchar_t* out) {
#if defined(ZODODE_SSE2)
  if constexpr (sizeof(wchar_t) == 4) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i words = _mm_unpacklo_epi8(_mm_cvtsi64_si128(static_cast<long long>(bytes)), zero);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi16(words, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4), _mm_unpackhi_epi16(words, zero));
    return;
  }
#endif
  for (int i = 0; i < 8; ++i) out[i] = static_cast<wchar_t>((bytes >> (8 * i)) & 0xFF);
}

// The writer of the rounds, which always have room for 16 more units: an
// escape is stored as eight units at once and the position moves by its
// length.
template <typename Char>
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
        store_bytes_as_units(bytes, out);
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
// through path P, every other unit through escape_unit.
template <typename Char, run_path P>
class rtf_escaping : public text_reader<wchar_t> {
 public:
  explicit rtf_escaping(std::wstring_view text) : text_reader(text.data(), text.size()) {}
  bool done() const {
    return next_ == end_ || (kPassing<Char> == unit_set::ascii_but_nul && *next_ == 0);
  }
  std::size_t most() const { return 16 * left(); }  // two escapes of eight

  std::size_t operator()(Char* out, Char* last) {
    rtf_round_writer<Char> writer(out);
    while (!done() && writer.position() <= last) {
      if (block_fits()) {
        const std::size_t run = pass_block(writer.position());
        next_ += run;
        writer.skip(run);
        if (run == 16) continue;
      } else if (unit_bits(*next_) < 0x80) {
        writer.put_char(unit_bits(*next_++));
        continue;
      }
      while (writer.position() <= last && next_ != end_ && unit_bits(*next_) >= 0x80) {
        escape_unit(unit_bits(*next_++), writer);
      }
    }
    return static_cast<std::size_t>(writer.position() - out);
  }

 private:
  std::size_t pass_block(Char* out) const {
    if constexpr (std::is_same_v<Char, char>) {
      return narrow_unit_block<kPassing<Char>, P>(next_, out);
    } else {
      return copy_unit_block<kPassing<Char>, P>(next_, out);
    }
  }
};

// The narrow text ends at the first NUL.
template <typename Char>
std::wstring_view escaped_part(std::wstring_view text) {
  return std::is_same_v<Char, char> ? text.substr(0, text.find(L'\0')) : text;
}

}  // namespace

template <typename Char>
std::basic_string<Char> rtf_counted(std::wstring_view text) {
  text = escaped_part<Char>(text);
  rtf_length length;
  for (const wchar_t c : text) escape_unit(unit_bits(c), length);
  std::basic_string<Char> result(static_cast<std::size_t>(length.length()), Char());
  rtf_writer<Char> writer(&result[0]);
  for (const wchar_t c : text) escape_unit(unit_bits(c), writer);
  return result;
}

template <typename Char, run_path P>
std::basic_string<Char> rtf_in_rounds(std::wstring_view text) {
  std::basic_string<Char> result;
  // Escapes make the result several times the text: its size is projected
  // from the first round.
  fill_in_rounds(result, 0, rtf_escaping<Char, P>(text));
  return result;
}

template std::string rtf_counted<char>(std::wstring_view);
template std::wstring rtf_counted<wchar_t>(std::wstring_view);
template std::string rtf_in_rounds<char, run_path::portable>(std::wstring_view);
template std::wstring rtf_in_rounds<wchar_t, run_path::portable>(std::wstring_view);
template std::string rtf_in_rounds<char, run_path::sse2>(std::wstring_view);
template std::wstring rtf_in_rounds<wchar_t, run_path::sse2>(std::wstring_view);

}  // namespace zodode::detail

// A text that might give more than max_size() units is counted first, so the
// length error comes before anything is allocated; any other is escaped in
// rounds straight into the result.
zWString zWString::toRTFW() {
  using namespace zodode::detail;
  zWString result;
  if (str_.size() <= kMaxWideLength / 16) {
    result.str_ = rtf_in_rounds<wchar_t>(str_);
    return result;
  }
  rtf_length length;
  for (const wchar_t c : str_) escape_unit(unit_bits(c), length);
  if (length.length() > kMaxWideLength) throw_string_too_long();
  result.str_ = rtf_counted<wchar_t>(str_);
  return result;
}

// The narrow text ends at the first NUL, so only the units before it count.
// It is escaped straight into the buffer the result then owns.
zString zWString::toRTF() {
  using namespace zodode::detail;
  heap_text text;
  fill_in_rounds(text, 0, rtf_escaping<char, kRunPath>(str_));
  zString result;
  result.buffer_ = text.release();
  return result;
}

// The converter of every platform without the Windows code-page calls. It
// knows code page 65001 (UTF-8) and code page 0, which is Windows-1252 here,
// and behaves as Windows' conversions with flags 0: ill-formed input is
// replaced, never rejected. Written for any wchar_t width: 32-bit units hold
// code points, 16-bit units UTF-16.
#if !defined(_WIN32)

#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>

#include "encoding/code_page.h"
#include "encoding/code_page_direct.h"
#include "encoding/code_page_rules.h"

namespace zodode::detail {
namespace {

// Windows' codes for the failures reported here.
constexpr unsigned long kErrorInvalidParameter = 87;
constexpr unsigned long kErrorInsufficientBuffer = 122;
constexpr unsigned long kErrorArithmeticOverflow = 534;

// Counts travel as int: a longer result is a failure.
constexpr std::size_t kMaxCount = INT_MAX;

// Like GetLastError, the code of this thread's last failure.
thread_local unsigned long last_error_code = 0;

int fail(unsigned long code) {
  last_error_code = code;
  return 0;
}

constexpr std::uint32_t unit_value(char c) { return static_cast<unsigned char>(c); }
// Units compare as unsigned numbers: a negative 32-bit wchar_t is above 10FFFF.
constexpr std::uint32_t unit_value(wchar_t c) {
  return static_cast<std::make_unsigned_t<wchar_t>>(c);
}

// The sinks a conversion writes to. The size query counts; the conversion
// writes into the caller's buffer. reserve(n) makes room for the next n units
// and is false when they do not fit.
class unit_counter {
 public:
  bool reserve(std::size_t n) {
    if (n > kMaxCount - count_) return false;
    count_ += n;
    return true;
  }
  void put(std::uint32_t /*unit*/) {}
  template <typename Source>
  void put_run(const Source* /*run*/, std::size_t /*n*/) {}
  std::size_t count() const { return count_; }

 private:
  std::size_t count_ = 0;
};

template <typename Unit>
class unit_writer {
 public:
  unit_writer(Unit* out, std::size_t cap) : begin_(out), next_(out), end_(out + cap) {}
  bool reserve(std::size_t n) { return n <= static_cast<std::size_t>(end_ - next_); }
  void put(std::uint32_t unit) { *next_++ = static_cast<Unit>(unit); }
  // An ASCII run converts unit for unit.
  template <typename Source>
  void put_run(const Source* run, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) next_[i] = static_cast<Unit>(run[i]);
    next_ += n;
  }
  std::size_t count() const { return static_cast<std::size_t>(next_ - begin_); }

 private:
  Unit* begin_;
  Unit* next_;
  Unit* end_;
};

// A word with the bits set that mark a unit of Source as not ASCII, in every
// unit position: 0x8080..., 0xFF80FF80... or 0xFFFFFF80FFFFFF80.
template <typename Source>
constexpr std::uint64_t kNonAsciiBits = ~std::uint64_t{0} / unit_value(Source(~0)) *
                                        (unit_value(Source(~0)) & ~std::uint64_t{0x7F});

// Length of the run of ASCII units at p, which both code pages map to
// themselves in both directions; [p, end) holds no NUL. Eight bytes are tested
// at once; this scan is the place for a vectorised one.
template <typename Source>
std::size_t ascii_run_length(const Source* p, const Source* end) {
  constexpr std::size_t kPerWord = sizeof(std::uint64_t) / sizeof(Source);
  const Source* q = p;
  if (q == end || unit_value(*q) >= 0x80) return 0;
  for (; static_cast<std::size_t>(end - q) >= kPerWord; q += kPerWord) {
    std::uint64_t word;
    std::memcpy(&word, q, sizeof word);
    if ((word & kNonAsciiBits<Source>) != 0) break;
  }
  while (q != end && unit_value(*q) < 0x80) ++q;
  return static_cast<std::size_t>(q - p);
}

// Runs the text [p, end), which a NUL follows, through sink: ASCII runs as
// they are, every other unit through step, which returns the source units it
// consumed (0 when the sink had no room). The NUL is converted too.
template <typename Source, typename Sink, typename Step>
bool convert_text(const Source* p, const Source* end, Sink& sink, Step step) {
  for (;;) {
    const std::size_t run = ascii_run_length(p, end);
    if (!sink.reserve(run)) return false;
    sink.put_run(p, run);
    p += run;
    if (p == end) break;
    const std::size_t used = step(p, sink);
    if (used == 0) return false;
    p += used;
  }
  if (!sink.reserve(1)) return false;
  sink.put(0);
  return true;
}

// UTF-8 ------------------------------------------------------------------

// One code point as wchar_t units: a surrogate pair where wchar_t is 16 bits.
template <typename Sink>
bool put_code_point(std::uint32_t code_point, Sink& sink) {
  if (sizeof(wchar_t) == 2 && code_point >= 0x10000) {
    if (!sink.reserve(2)) return false;
    code_point -= 0x10000;
    sink.put(0xD800 + (code_point >> 10));
    sink.put(0xDC00 + (code_point & 0x3FF));
    return true;
  }
  if (!sink.reserve(1)) return false;
  sink.put(code_point);
  return true;
}

struct utf8_decoder {
  template <typename Sink>
  std::size_t operator()(const char* p, Sink& sink) const {
    const decoded d = decode_utf8_sequence(reinterpret_cast<const unsigned char*>(p));
    return put_code_point(d.code_point, sink) ? d.size : 0;
  }
};

template <typename Sink>
bool sink_utf8(std::uint32_t code_point, Sink& sink) {
  const std::size_t size = code_point < 0x80      ? 1
                           : code_point < 0x800   ? 2
                           : code_point < 0x10000 ? 3
                                                  : 4;
  if (!sink.reserve(size)) return false;
  if (size == 1) {
    sink.put(code_point);
    return true;
  }
  static constexpr std::uint32_t kLeadMarks[] = {0, 0, 0xC0, 0xE0, 0xF0};
  sink.put(kLeadMarks[size] | (code_point >> (6 * (size - 1))));
  for (std::size_t i = size - 1; i-- > 0;) sink.put(0x80 | ((code_point >> (6 * i)) & 0x3F));
  return true;
}

// code_point_at: a valid surrogate pair is its code point, a lone surrogate
// or a unit above 10FFFF is U+FFFD.
struct utf8_encoder {
  template <typename Sink>
  std::size_t operator()(const wchar_t* p, Sink& sink) const {
    const decoded d = code_point_at(p);
    return sink_utf8(d.code_point, sink) ? d.size : 0;
  }
};

// Windows-1252 -----------------------------------------------------------

// The table and its inverse are in code_page_rules.h.
struct windows_1252_decoder {
  template <typename Sink>
  std::size_t operator()(const char* p, Sink& sink) const {
    const std::uint32_t byte = unit_value(*p);
    if (!sink.reserve(1)) return 0;
    sink.put(windows_1252_unit(static_cast<unsigned char>(byte)));
    return 1;
  }
};

struct windows_1252_encoder {
  template <typename Sink>
  std::size_t operator()(const wchar_t* p, Sink& sink) const {
    if (!sink.reserve(1)) return 0;
    sink.put(windows_1252_byte(unit_value(*p)));
    return 1;
  }
};

// The two calls ----------------------------------------------------------

// Code page 0 maps unit for unit: its size is the length and the NUL.
template <typename Utf8Step, typename Windows1252Step, typename Source, typename Sink>
bool convert_code_page(unsigned code_page, const Source* in, Sink& sink) {
  const Source* end = in + std::char_traits<Source>::length(in);
  if (code_page == kCodePageUtf8) return convert_text(in, end, sink, Utf8Step{});
  if constexpr (std::is_same_v<Sink, unit_counter>) {
    return sink.reserve(static_cast<std::size_t>(end - in) + 1);
  } else {
    return convert_text(in, end, sink, Windows1252Step{});
  }
}

// The Windows call shape: cap 0 asks for the size, anything else converts
// into out[0..cap). The same pass serves both, counting or writing.
template <typename Source, typename Unit, typename Convert>
int run_call(unsigned code_page, const Source* in, Unit* out, int cap, Convert convert) {
  const bool known = code_page == kCodePageUtf8 || code_page == kCodePageAnsi;
  if (!known || in == nullptr || cap < 0 || (cap > 0 && out == nullptr)) {
    return fail(kErrorInvalidParameter);
  }
  if (cap == 0) {
    unit_counter counter;
    if (!convert(code_page, in, counter)) return fail(kErrorArithmeticOverflow);
    return static_cast<int>(counter.count());
  }
  unit_writer<Unit> writer(out, static_cast<std::size_t>(cap));
  if (!convert(code_page, in, writer)) return fail(kErrorInsufficientBuffer);
  return static_cast<int>(writer.count());
}

int portable_to_wide(unsigned code_page, const char* in, wchar_t* out, int cap) {
  return run_call(code_page, in, out, cap, [](unsigned cp, const char* text, auto& sink) {
    return convert_code_page<utf8_decoder, windows_1252_decoder>(cp, text, sink);
  });
}

int portable_to_bytes(unsigned code_page, const wchar_t* in, char* out, int cap) {
  return run_call(code_page, in, out, cap, [](unsigned cp, const wchar_t* text, auto& sink) {
    return convert_code_page<utf8_encoder, windows_1252_encoder>(cp, text, sink);
  });
}

unsigned long portable_last_error() { return last_error_code; }

// The whole-text forms (code_page_direct.h); an unknown code page takes the
// two calls, which fail.
bool portable_to_wide_whole(unsigned code_page, std::string_view in, std::wstring& out) {
  if (code_page == kCodePageUtf8) return utf8_to_wide_direct(in, out);
  return code_page == kCodePageAnsi && latin1_to_wide_direct(in, out);
}

bool portable_to_bytes_whole(unsigned code_page, std::wstring_view in, std::string& out) {
  if (code_page == kCodePageUtf8) return wide_to_utf8_direct(in, out);
  return code_page == kCodePageAnsi && wide_to_latin1_direct(in, out);
}

constexpr code_page_api kPortableCodePages{portable_to_wide, portable_to_bytes, portable_last_error,
                                           portable_to_wide_whole, portable_to_bytes_whole};

}  // namespace

const code_page_api& platform_code_pages() { return kPortableCodePages; }

}  // namespace zodode::detail

#endif  // !defined(_WIN32)

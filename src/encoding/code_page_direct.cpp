#include "encoding/code_page_direct.h"

#include <algorithm>
#include <climits>
#include <cstddef>

#include "encoding/code_page_rules.h"
#include "encoding/rounds.h"

namespace zodode::detail {
namespace {

// The two calls count in int, the NUL included.
constexpr std::size_t kMaxCount = INT_MAX;

const unsigned char* bytes_of(const char* p) { return reinterpret_cast<const unsigned char*>(p); }

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

// At most three bytes for each unit (a pair gives four for two): the result's
// size is projected from the first round.
template <run_path P>
bool wide_to_utf8_direct(std::wstring_view in, std::string& out) {
  if (in.size() >= kMaxCount / 3) return false;
  fill_in_rounds(out, 0, utf8_encoding<P>(in));
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

// Everyday small strings: texts of 40 to 60 bytes, past std::string's
// in-object capacity, so both sides allocate. Each narrow job starts from a
// fresh copy inside the timed loop where the edit needs one, on both sides
// alike. Peers: std::string / std::wstring doing the same job, iconv on the
// same short text, and the straightforward loop a programmer would write.
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "bench_util.h"
#include "corpus.h"
#include "peers.h"

namespace bench {
namespace {

// 51 bytes of ASCII, and the same sentence with the pieces the edits use.
const char kText[] = "The quick brown fox jumps over the lazy dog, twice!";
const char kTail[] = " And again.";  // appended
const char kFrom[] = "fox";          // replaced, found at 16
const char kTo[] = "grey wolf";
const char kPiece[] = "very ";  // inserted at 10
const char kNeedle[] = "lazy";
const char kFields[] = "alpha,bravo charlie,delta,echo foxtrot,golf hotel";  // five fields

// Short texts in four scripts, 40 to 60 bytes of UTF-8 each.
struct short_text {
  const char* name;
  std::wstring wide;
};

const std::vector<short_text>& short_texts() {
  static const std::vector<short_text> texts = {
      {"short_english", L"The quick brown fox jumps over the lazy dog, twice!"},
      {"short_french_german",
       L"Gr\u00f6\u00dfe: 12 \u20ac, tr\u00e8s \u00abl\u00e9gant\u00bb "
       L"\u00e0 Z\u00fcrich, na\u00efve"},
      {"short_chinese_japanese",
       L"\u6771\u4eac\u90fd\u306e\u5929\u6c17\u306f\u6674\u308c\u3001"
       L"\u6c17\u6e29\u306f\u4e8c\u5341\u5ea6\u3067\u3059\u3002"},
      {"short_emoji", L"Party \U0001F389 time! \U0001F600 Enjoy the show \U0001F388 now"},
  };
  return texts;
}

benchmark::internal::Benchmark* add_small(const std::string& job, const std::string& impl,
                                          const std::string& input,
                                          void (*fn)(benchmark::State&, const std::wstring*),
                                          const std::wstring* arg = nullptr) {
  return add(job, impl, input, fn, arg)->Unit(benchmark::kNanosecond);
}

// Narrow edits --------------------------------------------------------------

void copy_zodode(benchmark::State& state, const std::wstring*) {
  const zString text(kText);
  for (auto _ : state) {
    zString copy(text);
    benchmark::DoNotOptimize(copy.data());
  }
}

void copy_std(benchmark::State& state, const std::wstring*) {
  const std::string text(kText);
  for (auto _ : state) {
    std::string copy(text);
    benchmark::DoNotOptimize(copy.data());
  }
}

void append_zodode(benchmark::State& state, const std::wstring*) {
  const zString text(kText), tail(kTail);
  for (auto _ : state) {
    zString s(text);
    s += tail;
    benchmark::DoNotOptimize(s.data());
  }
}

void append_std(benchmark::State& state, const std::wstring*) {
  const std::string text(kText), tail(kTail);
  for (auto _ : state) {
    std::string s(text);
    s += tail;
    benchmark::DoNotOptimize(s.data());
  }
}

void concat_zodode(benchmark::State& state, const std::wstring*) {
  const zString text(kText), tail(kTail);
  for (auto _ : state) {
    zString s = text + tail;
    benchmark::DoNotOptimize(s.data());
  }
}

void concat_std(benchmark::State& state, const std::wstring*) {
  const std::string text(kText), tail(kTail);
  for (auto _ : state) {
    std::string s = text + tail;
    benchmark::DoNotOptimize(s.data());
  }
}

void replace_zodode(benchmark::State& state, const std::wstring*) {
  const zString text(kText), from(kFrom), to(kTo);
  for (auto _ : state) {
    zString s(text);
    s.Replace(from, to);
    benchmark::DoNotOptimize(s.data());
  }
}

void replace_std(benchmark::State& state, const std::wstring*) {
  const std::string text(kText), from(kFrom), to(kTo);
  for (auto _ : state) {
    std::string s(text);
    const std::size_t at = s.find(from);
    if (at != std::string::npos) s.replace(at, from.size(), to);
    benchmark::DoNotOptimize(s.data());
  }
}

void insert_zodode(benchmark::State& state, const std::wstring*) {
  const zString text(kText), piece(kPiece);
  for (auto _ : state) {
    zString s(text);
    s.Insert(piece, 10);
    benchmark::DoNotOptimize(s.data());
  }
}

void insert_std(benchmark::State& state, const std::wstring*) {
  const std::string text(kText), piece(kPiece);
  for (auto _ : state) {
    std::string s(text);
    s.insert(10, piece);
    benchmark::DoNotOptimize(s.data());
  }
}

void remove_zodode(benchmark::State& state, const std::wstring*) {
  const zString text(kText);
  for (auto _ : state) {
    zString s(text);
    s.Remove(10, 6);
    benchmark::DoNotOptimize(s.data());
  }
}

void remove_std(benchmark::State& state, const std::wstring*) {
  const std::string text(kText);
  for (auto _ : state) {
    std::string s(text);
    s.erase(10, 6);
    benchmark::DoNotOptimize(s.data());
  }
}

void remove_tail_zodode(benchmark::State& state, const std::wstring*) {
  const zString text(kText);
  for (auto _ : state) {
    zString s(text);
    s.Remove(40);
    benchmark::DoNotOptimize(s.data());
  }
}

void remove_tail_std(benchmark::State& state, const std::wstring*) {
  const std::string text(kText);
  for (auto _ : state) {
    std::string s(text);
    s.erase(40);
    benchmark::DoNotOptimize(s.data());
  }
}

void index_zodode(benchmark::State& state, const std::wstring*) {
  const zString text(kText);
  for (auto _ : state) benchmark::DoNotOptimize(text.Index(kNeedle) + text.Index('!'));
}

void index_std(benchmark::State& state, const std::wstring*) {
  const std::string text(kText);
  for (auto _ : state) {
    benchmark::DoNotOptimize(static_cast<int>(text.find(kNeedle)) +
                             static_cast<int>(text.find('!')));
  }
}

void split_zodode(benchmark::State& state, const std::wstring*) {
  const zString text(kFields);
  for (auto _ : state) benchmark::DoNotOptimize(text.ToStringList(',', true));
}

void split_std(benchmark::State& state, const std::wstring*) {
  const std::string text(kFields);
  for (auto _ : state) benchmark::DoNotOptimize(std_split(text, ','));
}

void join_zodode(benchmark::State& state, const std::wstring*) {
  const std::vector<zString> list = zString(kFields).ToStringList(',', true);
  for (auto _ : state) {
    zString s(list, ',');
    benchmark::DoNotOptimize(s.data());
  }
}

void join_std(benchmark::State& state, const std::wstring*) {
  const std::vector<std::string> list = std_split(kFields, ',');
  for (auto _ : state) benchmark::DoNotOptimize(std_join(list, ','));
}

void int_zodode(benchmark::State& state, const std::wstring*) {
  int value = 123456789;
  for (auto _ : state) {
    zString s(value);
    benchmark::DoNotOptimize(s.data());
    value ^= 0x5A5A;
  }
}

void int_std(benchmark::State& state, const std::wstring*) {
  int value = 123456789;
  for (auto _ : state) {
    std::string s = std::to_string(value);
    benchmark::DoNotOptimize(s.data());
    value ^= 0x5A5A;
  }
}

void double_zodode(benchmark::State& state, const std::wstring*) {
  double value = 1234.5678;
  for (auto _ : state) {
    zString s(value, false);
    benchmark::DoNotOptimize(s.data());
    value = -value;
  }
}

// What "%.10g" into a heap string takes with the standard library's fastest tool.
void double_to_chars(benchmark::State& state, const std::wstring*) {
  double value = 1234.5678;
  char buffer[64];
  for (auto _ : state) {
    const char* end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10).ptr;
    std::string s(static_cast<const char*>(buffer), end);
    benchmark::DoNotOptimize(s.data());
    value = -value;
  }
}

// Conversions ---------------------------------------------------------------

// The straightforward decoding loop: one unit per byte at most, every
// sequence decoded by its lead byte, anything malformed one U+FFFD.
std::wstring simple_from_utf8(const std::string& in) {
  std::wstring out(in.size(), L'\0');
  const auto* p = reinterpret_cast<const unsigned char*>(in.data());
  const auto* end = p + in.size();
  wchar_t* o = out.data();
  while (p < end) {
    const std::uint32_t b = *p;
    int n = b < 0x80 ? 0 : b >= 0xF0 && b < 0xF5 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 ? 1 : -1;
    std::uint32_t c = n == 0 ? b : n == 1 ? b & 0x1F : n == 2 ? b & 0x0F : b & 0x07;
    ++p;
    if (n < 0 || end - p < n) {
      *o++ = 0xFFFD;
      continue;
    }
    for (; n > 0; --n) c = c << 6 | (*p++ & 0x3F);
    *o++ = static_cast<wchar_t>(c);
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
  return out;
}

std::string simple_to_utf8(const std::wstring& in) {
  std::string out(in.size() * 4, '\0');
  char* o = out.data();
  for (const wchar_t wc : in) {
    const auto c = static_cast<std::uint32_t>(wc);
    if (c < 0x80) {
      *o++ = static_cast<char>(c);
    } else if (c < 0x800) {
      *o++ = static_cast<char>(0xC0 | c >> 6);
      *o++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      *o++ = static_cast<char>(0xE0 | c >> 12);
      *o++ = static_cast<char>(0x80 | (c >> 6 & 0x3F));
      *o++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
      *o++ = static_cast<char>(0xF0 | c >> 18);
      *o++ = static_cast<char>(0x80 | (c >> 12 & 0x3F));
      *o++ = static_cast<char>(0x80 | (c >> 6 & 0x3F));
      *o++ = static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
  return out;
}

// Windows-1252's bytes 0x80-0x9F.
const std::uint16_t kHigh1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::wstring simple_from_latin1(const std::string& in) {
  std::wstring out(in.size(), L'\0');
  for (std::size_t i = 0; i < in.size(); ++i) {
    const auto b = static_cast<unsigned char>(in[i]);
    out[i] = static_cast<wchar_t>(b >= 0x80 && b < 0xA0 ? kHigh1252[b - 0x80] : b);
  }
  return out;
}

std::string simple_to_latin1(const std::wstring& in) {
  std::string out(in.size(), '\0');
  for (std::size_t i = 0; i < in.size(); ++i) {
    const auto c = static_cast<std::uint32_t>(in[i]);
    char b = '?';
    if (c < 0x80 || (c >= 0xA0 && c < 0x100)) {
      b = static_cast<char>(c);
    } else {
      for (int k = 0; k < 32; ++k) {
        if (kHigh1252[k] == c) b = static_cast<char>(0x80 + k);
      }
    }
    out[i] = b;
  }
  return out;
}

// Appends each unit or escape to a std::string grown as it goes.
std::string simple_to_rtf(const std::wstring& in) {
  std::string out;
  out.reserve(in.size());
  for (const wchar_t wc : in) {
    const auto c = static_cast<std::uint32_t>(wc);
    if (c <= 0x7F) {
      out += static_cast<char>(c);
    } else if (c != 0xFEFF) {
      const std::uint32_t units[2] = {c >= 0x10000 ? 0xD800 + ((c - 0x10000) >> 10) : c,
                                      0xDC00 + (c & 0x3FF)};
      for (int k = 0; k < (c >= 0x10000 ? 2 : 1); ++k) {
        char digits[8];
        char* end = std::to_chars(digits, digits + sizeof digits, units[k]).ptr;
        out += "\\u";
        out.append(digits, end);
        out += '?';
      }
    }
  }
  return out;
}

void from_utf8_zodode(benchmark::State& state, const std::wstring* text) {
  const zString in(encode_utf8(*text));
  if (!results_agree(state, units_of(zWString::fromUtf8(in)) == *text, "wrong text")) return;
  for (auto _ : state) benchmark::DoNotOptimize(zWString::fromUtf8(in));
}

void from_utf8_iconv(benchmark::State& state, const std::wstring* text) {
  const std::string in = encode_utf8(*text);
  iconv_peer peer("WCHAR_T", "UTF-8");
  if (!results_agree(state, peer.to_wide(in) == *text, "wrong text")) return;
  for (auto _ : state) benchmark::DoNotOptimize(peer.to_wide(in));
}

void from_utf8_loop(benchmark::State& state, const std::wstring* text) {
  const std::string in = encode_utf8(*text);
  if (!results_agree(state, simple_from_utf8(in) == *text, "wrong text")) return;
  for (auto _ : state) benchmark::DoNotOptimize(simple_from_utf8(in));
}

void to_utf8_zodode(benchmark::State& state, const std::wstring* text) {
  const zWString in(*text);
  if (!results_agree(state, bytes_of(in.toUtf8()) == encode_utf8(*text), "wrong bytes")) return;
  for (auto _ : state) benchmark::DoNotOptimize(in.toUtf8());
}

void to_utf8_iconv(benchmark::State& state, const std::wstring* text) {
  iconv_peer peer("UTF-8", "WCHAR_T");
  if (!results_agree(state, peer.to_bytes(*text) == encode_utf8(*text), "wrong bytes")) return;
  for (auto _ : state) benchmark::DoNotOptimize(peer.to_bytes(*text));
}

void to_utf8_loop(benchmark::State& state, const std::wstring* text) {
  if (!results_agree(state, simple_to_utf8(*text) == encode_utf8(*text), "wrong bytes")) return;
  for (auto _ : state) benchmark::DoNotOptimize(simple_to_utf8(*text));
}

void from_latin1_zodode(benchmark::State& state, const std::wstring* text) {
  const zString in(encode_cp1252(*text));
  if (!results_agree(state, units_of(zWString::fromLatin1(in)) == *text, "wrong text")) return;
  for (auto _ : state) benchmark::DoNotOptimize(zWString::fromLatin1(in));
}

void from_latin1_iconv(benchmark::State& state, const std::wstring* text) {
  const std::string in = encode_cp1252(*text);
  iconv_peer peer("WCHAR_T", "CP1252");
  if (!results_agree(state, peer.to_wide(in) == *text, "wrong text")) return;
  for (auto _ : state) benchmark::DoNotOptimize(peer.to_wide(in));
}

void from_latin1_loop(benchmark::State& state, const std::wstring* text) {
  const std::string in = encode_cp1252(*text);
  if (!results_agree(state, simple_from_latin1(in) == *text, "wrong text")) return;
  for (auto _ : state) benchmark::DoNotOptimize(simple_from_latin1(in));
}

void to_latin1_zodode(benchmark::State& state, const std::wstring* text) {
  const zWString in(*text);
  if (!results_agree(state, bytes_of(in.toLatin1()) == encode_cp1252(*text), "wrong bytes")) {
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(in.toLatin1());
}

void to_latin1_iconv(benchmark::State& state, const std::wstring* text) {
  iconv_peer peer("CP1252", "WCHAR_T");
  if (!results_agree(state, peer.to_bytes(*text) == encode_cp1252(*text), "wrong bytes")) return;
  for (auto _ : state) benchmark::DoNotOptimize(peer.to_bytes(*text));
}

void to_latin1_loop(benchmark::State& state, const std::wstring* text) {
  if (!results_agree(state, simple_to_latin1(*text) == encode_cp1252(*text), "wrong bytes")) {
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(simple_to_latin1(*text));
}

void to_rtf_zodode(benchmark::State& state, const std::wstring* text) {
  zWString in(*text);
  if (!results_agree(state, bytes_of(in.toRTF()) == simple_to_rtf(*text), "wrong text")) return;
  for (auto _ : state) benchmark::DoNotOptimize(in.toRTF());
}

void to_rtf_loop(benchmark::State& state, const std::wstring* text) {
  for (auto _ : state) benchmark::DoNotOptimize(simple_to_rtf(*text));
}

}  // namespace

void register_small_benchmarks() {
  struct job {
    const char* name;
    void (*zodode)(benchmark::State&, const std::wstring*);
    void (*std)(benchmark::State&, const std::wstring*);
  };
  const job edits[] = {
      {"copy", copy_zodode, copy_std},
      {"append", append_zodode, append_std},
      {"concat", concat_zodode, concat_std},
      {"Replace", replace_zodode, replace_std},
      {"Insert", insert_zodode, insert_std},
      {"RemoveRange", remove_zodode, remove_std},
      {"RemoveTail", remove_tail_zodode, remove_tail_std},
      {"Index", index_zodode, index_std},
      {"split5", split_zodode, split_std},
      {"join5", join_zodode, join_std},
      {"zString(int)", int_zodode, int_std},
  };
  for (const job& j : edits) {
    add_small(j.name, "zodode", "short", j.zodode);
    add_small(j.name, "std", "short", j.std);
  }
  add_small("zString(double)", "zodode", "short", double_zodode);
  add_small("zString(double)", "to_chars", "short", double_to_chars);
  for (const short_text& t : short_texts()) {
    add_small("fromUtf8", "zodode", t.name, from_utf8_zodode, &t.wide);
    add_small("fromUtf8", "iconv", t.name, from_utf8_iconv, &t.wide);
    add_small("fromUtf8", "simple_loop", t.name, from_utf8_loop, &t.wide);
  }
  for (const short_text& t : short_texts()) {
    add_small("toUtf8", "zodode", t.name, to_utf8_zodode, &t.wide);
    add_small("toUtf8", "iconv", t.name, to_utf8_iconv, &t.wide);
    add_small("toUtf8", "simple_loop", t.name, to_utf8_loop, &t.wide);
  }
  // Windows-1252 holds the first two texts.
  for (std::size_t i = 0; i < 2; ++i) {
    const short_text& t = short_texts()[i];
    add_small("fromLatin1", "zodode", t.name, from_latin1_zodode, &t.wide);
    add_small("fromLatin1", "iconv", t.name, from_latin1_iconv, &t.wide);
    add_small("fromLatin1", "simple_loop", t.name, from_latin1_loop, &t.wide);
    add_small("toLatin1", "zodode", t.name, to_latin1_zodode, &t.wide);
    add_small("toLatin1", "iconv", t.name, to_latin1_iconv, &t.wide);
    add_small("toLatin1", "simple_loop", t.name, to_latin1_loop, &t.wide);
  }
  for (const short_text& t : short_texts()) {
    add_small("toRTF", "zodode", t.name, to_rtf_zodode, &t.wide);
    add_small("toRTF", "simple_loop", t.name, to_rtf_loop, &t.wide);
  }
}

}  // namespace bench

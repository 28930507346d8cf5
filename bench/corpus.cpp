#include "corpus.h"

#include <functional>
#include <map>

namespace bench {

namespace {

const wchar_t* const kEnglishWords[] = {
    L"the",      L"of",        L"and",       L"to",       L"in",         L"is",      L"that",
    L"for",      L"it",        L"as",        L"was",      L"with",       L"be",      L"by",
    L"on",       L"not",       L"he",        L"this",     L"are",        L"or",      L"his",
    L"from",     L"at",        L"which",     L"but",      L"have",       L"an",      L"had",
    L"they",     L"you",       L"were",      L"their",    L"one",        L"all",     L"we",
    L"can",      L"her",       L"has",       L"there",    L"been",       L"if",      L"more",
    L"when",     L"will",      L"would",     L"who",      L"so",         L"no",      L"string",
    L"library",  L"character", L"program",   L"memory",   L"function",   L"return",  L"value",
    L"between",  L"through",   L"important", L"question", L"government", L"country", L"people",
    L"because",  L"different", L"without",   L"another",  L"morning",    L"window",  L"river",
    L"mountain", L"letter",    L"number",    L"picture",  L"history",    L"system"};

// French and German: mostly ASCII words with the accented letters of both.
const wchar_t* const kEuropeanWords[] = {L"le",
                                         L"la",
                                         L"les",
                                         L"de",
                                         L"et",
                                         L"est",
                                         L"une",
                                         L"pour",
                                         L"dans",
                                         L"avec",
                                         L"que",
                                         L"qui",
                                         L"pas",
                                         L"sur",
                                         L"mais",
                                         L"nous",
                                         L"vous",
                                         L"elle",
                                         L"\u00e9t\u00e9",
                                         L"tr\u00e8s",
                                         L"d\u00e9j\u00e0",
                                         L"o\u00f9",
                                         L"\u00e0",
                                         L"fran\u00e7ais",
                                         L"gar\u00e7on",
                                         L"No\u00ebl",
                                         L"for\u00eat",
                                         L"h\u00f4tel",
                                         L"\u00e9cole",
                                         L"\u0153uvre",
                                         L"c\u2019est",
                                         L"\u00abbonjour\u00bb",
                                         L"100\u00a0\u20ac",
                                         L"caf\u00e9",
                                         L"premi\u00e8re",
                                         L"und",
                                         L"die",
                                         L"der",
                                         L"das",
                                         L"ist",
                                         L"nicht",
                                         L"ein",
                                         L"eine",
                                         L"mit",
                                         L"auf",
                                         L"auch",
                                         L"Zeit",
                                         L"Jahr",
                                         L"Haus",
                                         L"Stadt",
                                         L"Kinder",
                                         L"f\u00fcr",
                                         L"\u00fcber",
                                         L"gr\u00f6\u00dfer",
                                         L"Stra\u00dfe",
                                         L"M\u00e4dchen",
                                         L"sch\u00f6n",
                                         L"Gr\u00fc\u00dfe",
                                         L"w\u00e4hrend",
                                         L"k\u00f6nnen",
                                         L"m\u00fcssen",
                                         L"\u00c4rger",
                                         L"\u00d6l",
                                         L"Zug",
                                         L"werden",
                                         L"haben",
                                         L"sein",
                                         L"nach",
                                         L"bei",
                                         L"wir"};

// Frequent ideographs and kana; the rest come from the whole block.
const wchar_t kCommonCjk[] =
    L"\u7684\u4e00\u662f\u4e0d\u4e86\u4eba\u6211\u5728\u6709\u4ed6\u8fd9\u4e2d\u5927\u6765"
    L"\u4e0a\u56fd\u4e2a\u5230\u8bf4\u4eec\u4e3a\u5b50\u548c\u4f60\u5730\u51fa\u9053\u4e5f"
    L"\u65f6\u5e74\u306e\u306b\u306f\u3092\u305f\u304c\u3067\u3066\u3068\u3057\u308c\u3055"
    L"\u30a2\u30f3\u30c8\u30b9\u30eb";

template <std::size_t N>
const wchar_t* pick(rng& r, const wchar_t* const (&words)[N]) {
  return words[r.below(N)];
}

void append_sentence_end(std::wstring& out, rng& r, wchar_t stop) {
  out += stop;
  out += r.below(6) == 0 ? L'\n' : L' ';
}

// Sentences of 4 to 18 words, the first one capitalised.
void append_latin_sentence(std::wstring& out, rng& r, bool european, unsigned emoji_percent) {
  const unsigned words = 4 + r.below(15);
  for (unsigned i = 0; i < words; ++i) {
    std::wstring word = european ? pick(r, kEuropeanWords) : pick(r, kEnglishWords);
    if (i == 0 && word[0] >= L'a' && word[0] <= L'z') word[0] = word[0] - L'a' + L'A';
    if (i > 0) out += r.below(12) == 0 ? L", " : L" ";
    out += word;
    if (r.below(100) < emoji_percent) {
      out += L' ';
      // Faces and pictographs: four UTF-8 bytes each.
      out += static_cast<wchar_t>(r.below(2) ? 0x1F600 + r.below(0x50) : 0x1F300 + r.below(0x100));
    }
  }
  append_sentence_end(out, r, r.below(8) == 0 ? L'?' : L'.');
}

void append_cjk_sentence(std::wstring& out, rng& r) {
  const unsigned length = 8 + r.below(30);
  for (unsigned i = 0; i < length; ++i) {
    const unsigned roll = r.below(100);
    if (roll < 55) {
      out += kCommonCjk[r.below(sizeof kCommonCjk / sizeof kCommonCjk[0] - 1)];
    } else if (roll < 93) {
      out += static_cast<wchar_t>(0x4E00 + r.below(0x51A6));  // CJK Unified Ideographs
    } else if (roll < 97) {
      out += L'0' + static_cast<wchar_t>(r.below(10));
    } else {
      out += L'\u3001';
    }
  }
  out += L'\u3002';
  if (r.below(5) == 0) out += L'\n';
}

std::size_t utf8_length(wchar_t c) { return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4; }

// Appends generated sentences until the next character would pass kCorpusBytes.
std::wstring generate(const std::function<void(std::wstring&)>& sentence) {
  std::wstring text, pending;
  std::size_t bytes = 0;
  for (;;) {
    pending.clear();
    sentence(pending);
    for (wchar_t c : pending) {
      if (bytes + utf8_length(c) > kCorpusBytes) return text;
      bytes += utf8_length(c);
      text += c;
    }
  }
}

std::wstring generate(corpus_kind kind) {
  rng r(0x5eed0000u + static_cast<unsigned>(kind));
  switch (kind) {
    case corpus_kind::english:
      return generate([&](std::wstring& out) { append_latin_sentence(out, r, false, 0); });
    case corpus_kind::french_german:
      return generate([&](std::wstring& out) { append_latin_sentence(out, r, true, 0); });
    case corpus_kind::chinese_japanese:
      return generate([&](std::wstring& out) { append_cjk_sentence(out, r); });
    case corpus_kind::emoji:
      // Almost one word in three gets an emoji: 5% of the characters.
      return generate([&](std::wstring& out) { append_latin_sentence(out, r, false, 31); });
  }
  return {};
}

// Windows-1252 0x80-0x9F; 0 marks the five bytes it leaves undefined.
const wchar_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                 0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char cp1252_byte(wchar_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i) {
    if (kCp1252High[i] != 0 && kCp1252High[i] == c) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

std::uint64_t rng::next() {
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

std::string encode_utf8(const std::wstring& text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (wchar_t wc : text) {
    const auto c = static_cast<std::uint32_t>(wc);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string encode_cp1252(const std::wstring& text) {
  std::string out(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i) out[i] = cp1252_byte(text[i]);
  return out;
}

const char* corpus_name(corpus_kind kind) {
  switch (kind) {
    case corpus_kind::english:
      return "english";
    case corpus_kind::french_german:
      return "french_german";
    case corpus_kind::chinese_japanese:
      return "chinese_japanese";
    case corpus_kind::emoji:
      return "emoji5";
  }
  return "?";
}

const corpus& get_corpus(corpus_kind kind) {
  static std::map<corpus_kind, corpus> built;
  auto found = built.find(kind);
  if (found != built.end()) return found->second;
  corpus c;
  c.wide = generate(kind);
  c.utf8 = encode_utf8(c.wide);
  c.cp1252 = encode_cp1252(c.wide);
  return built.emplace(kind, std::move(c)).first->second;
}

std::string random_bytes(std::size_t n, std::uint64_t seed) {
  rng r(seed);
  std::string out(n, '\0');
  for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<char>(r.next() >> 56);
  return out;
}

std::string field_text(std::size_t count, std::uint64_t seed) {
  rng r(seed);
  std::string out;
  out.reserve(count * 8);
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) out += ',';
    // The last field is never empty, so both split rules give the same list.
    const bool empty = r.below(16) == 0 && i + 1 < count;
    const unsigned length = empty ? 0 : 1 + r.below(12);
    for (unsigned k = 0; k < length; ++k) out += static_cast<char>('a' + r.below(26));
  }
  return out;
}

}  // namespace bench

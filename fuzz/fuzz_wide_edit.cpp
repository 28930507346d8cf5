// Wide editing, trimming and tokenizing against a std::wstring model that also
// predicts every "invalid string position". Units come mostly from a small
// alphabet (so searches hit), sometimes from all 32 bits (unsigned unit order).
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "zWString.h"

namespace {

using namespace zodode::fuzz;

constexpr std::size_t kNpos = std::wstring::npos;

struct Subject {
  zWString w;
  std::wstring m;
};

struct World {
  using Op = void (*)(World&, Subject&, Subject&, In&);
  Subject subjects[2];
  static void settle(Subject& s);
};

const wchar_t kAlphabet[] = {L'a', L'b', L',', L';',   L' ',   L'\\',  L'/',   L'x',
                             L'A', 0,    0xE9, 0xFFE9, 0xD83D, 0xDE00, 0xFEFF, 0x10FFFF};

wchar_t take_unit(In& in) {
  if (in.ConsumeIntegralInRange(0, 7) != 0) return in.PickValueInArray(kAlphabet);
  return static_cast<wchar_t>(in.ConsumeIntegral<std::uint32_t>());
}

std::wstring take_text(In& in, std::size_t most = 12) {
  std::wstring t(in.ConsumeIntegralInRange<std::size_t>(0, most), L'\0');
  for (wchar_t& c : t) c = take_unit(in);
  return t;
}

// Sign extension of a narrow char to 16 bits: 0xE9 becomes 0xFFE9.
wchar_t widen(char c) {
  return static_cast<wchar_t>(static_cast<std::uint16_t>(static_cast<signed char>(c)));
}

bool reads_fully(const zWString& w, const std::wstring& m) {
  return reads_as(w, m) && w.length() == m.size() && w.empty() == m.empty() &&
         w.c_str()[w.size()] == 0 && w.getWStringData() == m && w.data() == w.c_str();
}

unsigned as_npos32(std::size_t p) { return p == kNpos ? 4294967295u : static_cast<unsigned>(p); }

// Units order as unsigned numbers: -1, 0 or +1.
int unit_order(const std::wstring& a, const std::wstring& b) {
  const std::u32string x(a.begin(), a.end());
  const std::u32string y(b.begin(), b.end());
  return x == y ? 0 : (x < y ? -1 : 1);
}

template <typename Op>
void require_invalid_position(Op op) {
  try {
    op();
  } catch (const std::out_of_range& e) {
    FUZZ_REQUIRE(std::string(e.what()) == "invalid string position");
    return;
  }
  FUZZ_REQUIRE(!"an out-of-range position was accepted");
}

// UTF-16 input: a valid high+low pair becomes one unit, everything else is
// copied, up to the first zero unit.
std::wstring from_utf16(const std::vector<unsigned short>& units) {
  std::wstring out;
  for (std::size_t i = 0; units[i] != 0; ++i) {
    const unsigned hi = units[i];
    const unsigned lo = units[i + 1];
    const bool pair = hi >= 0xD800 && hi <= 0xDBFF && lo >= 0xDC00 && lo <= 0xDFFF;
    out += static_cast<wchar_t>(pair ? 0x10000 + ((hi - 0xD800) << 10) + (lo - 0xDC00) : hi);
    i += pair ? 1 : 0;
  }
  return out;
}

// Assignment or appending from a source picked by the input.
void step_set(World&, Subject& a, Subject& b, In& in) {
  const std::wstring t = take_text(in);
  const std::size_t k = in.ConsumeIntegralInRange<std::size_t>(0, a.m.size());
  const wchar_t c = take_unit(in);
  const unsigned n = in.ConsumeIntegralInRange(0u, 20u);
  const bool truth = in.ConsumeBool();
  std::vector<unsigned short> units(t.begin(), t.end());
  units.push_back(0);
  const std::wstring model[] = {t,
                                up_to_nul(t),
                                up_to_nul(a.m.substr(k)),
                                b.m,
                                std::wstring(1, c),
                                from_utf16(units),
                                a.m + b.m,
                                a.m + a.m,
                                a.m + c,
                                a.m + std::wstring(n, c),
                                a.m + up_to_nul(t),
                                a.m + (truth ? L"true" : L"false")};
  const int kind = in.ConsumeIntegralInRange(0, 11);
  const zWString& result = kind == 0    ? (a.w = zWString(t))
                           : kind == 1  ? (a.w = t.c_str())
                           : kind == 2  ? (a.w = a.w.c_str() + k)
                           : kind == 3  ? (a.w = b.w)
                           : kind == 4  ? (a.w = zWString(c))
                           : kind == 5  ? (a.w = units.data())
                           : kind == 6  ? (a.w += b.w)
                           : kind == 7  ? (a.w += a.w)
                           : kind == 8  ? (a.w += c)
                           : kind == 9  ? a.w.append(n, c)
                           : kind == 10 ? (a.w << t.c_str())
                                        : (a.w << truth);
  FUZZ_REQUIRE(&result == &a.w);
  a.m = model[kind];
  if (kind == 5) FUZZ_REQUIRE(reads_fully(zWString(units.data()), a.m));
}

void step_read(World&, Subject& a, Subject& b, In& in) {
  const std::wstring t = up_to_nul(take_text(in, 4));
  FUZZ_REQUIRE(reads_fully(a.w + t.c_str(), a.m + t));
  FUZZ_REQUIRE(reads_fully(a.w + b.w, a.m + b.m));
  FUZZ_REQUIRE(reads_fully(t.c_str() + a.w, t + a.m));
  FUZZ_REQUIRE((a.w == b.w) == (a.m == b.m) && (a.w != b.w) == (a.m != b.m));
  FUZZ_REQUIRE((a.w != t.c_str()) == (a.m != t));
  FUZZ_REQUIRE((a.w < b.w) == (unit_order(a.m, b.m) < 0));
  FUZZ_REQUIRE(a.w.compare(b.m) == unit_order(a.m, b.m));
  FUZZ_REQUIRE(a.w.max_size() == 2147483646u);
  FUZZ_REQUIRE(static_cast<std::wstring>(a.w) == a.m);
  const unsigned i = in.ConsumeIntegralInRange<unsigned>(0, static_cast<unsigned>(a.m.size()));
  FUZZ_REQUIRE(a.w[i] == (i == a.m.size() ? L'\0' : a.m[i]));
  const unsigned pos = near_or_any(in, 0u, 16u);
  const char c = in.ConsumeIntegral<char>();
  const auto found = [](unsigned by_find, int by_index, std::size_t model) {
    FUZZ_REQUIRE(by_find == as_npos32(model) && by_index == static_cast<int>(as_npos32(model)));
  };
  found(a.w.find(t.c_str(), pos), a.w.Index(t.c_str(), pos), a.m.find(t, pos));
  found(a.w.find(c, pos), a.w.Index(c, pos), a.m.find(widen(c), pos));
  found(a.w.find(b.w, pos), a.w.Index(b.w, pos), a.m.find(b.m, pos));
  FUZZ_REQUIRE(a.w.containsAt(t.c_str(), pos) == (as_npos32(a.m.find(t, pos)) == pos));
  FUZZ_REQUIRE(a.w.rfind(t, pos) == as_npos32(a.m.rfind(t, pos)));
  FUZZ_REQUIRE(a.w.rfind(b.m) == as_npos32(a.m.rfind(b.m)));
  FUZZ_REQUIRE(a.w.find_first_of(t.c_str(), pos) == as_npos32(a.m.find_first_of(t, pos)));
  FUZZ_REQUIRE(a.w.find_last_of(t.c_str(), pos) == as_npos32(a.m.find_last_of(t, pos)));
  FUZZ_REQUIRE(a.w.find_last_of(t.c_str()) == as_npos32(a.m.find_last_of(t)));
}

// Cutting, replacing and inserting; a position past the text throws except in
// ReplaceSubString and Replace.
void step_edit(World&, Subject& a, Subject& b, In& in) {
  const unsigned pos = near_or_any(in, 0u, 16u);
  const unsigned n = near_or_any(in, 0u, 16u);
  const std::wstring t = take_text(in, 5);
  const bool self = in.ConsumeBool();
  const zWString& source = self ? a.w : b.w;
  const std::wstring with = self ? a.m : b.m;
  const int kind = in.ConsumeIntegralInRange(0, 10);
  const std::size_t p = a.m.find(t);
  if (kind == 9) {
    a.w.ReplaceSubString(pos, n, source);
    if (pos < a.m.size()) a.m.replace(pos, n, with);
    return;
  }
  if (kind == 10) {
    FUZZ_REQUIRE(a.w.Replace(zWString(t), source) == (p != kNpos));
    if (p != kNpos) a.m.replace(p, t.size(), with);
    return;
  }
  const auto edit = [&]() -> std::wstring {
    switch (kind) {
      case 0:
        return a.w.substr(pos, n);
      case 1: {
        const zWString part = a.w(static_cast<int>(pos), static_cast<int>(n));
        return std::wstring(part.c_str(), part.size());
      }
      case 2:
        return a.w.erase(pos, n);
      case 3:
        return a.w.Remove(pos, n).getWStringData();
      case 4:
        return a.w.Remove(pos).getWStringData();
      case 5:
        return a.w.replace(pos, n, b.w);
      case 6:
        return a.w.replace(pos, n, t.c_str());
      case 7:
        return a.w.replace(pos, n, t);
    }
    a.w.Insert(source, static_cast<int>(pos));
    return a.w.getWStringData();
  };
  if (pos > a.m.size()) return require_invalid_position(edit);
  const std::wstring got = edit();
  if (kind < 2) return FUZZ_REQUIRE(got == a.m.substr(pos, n));
  if (kind == 4) a.m.resize(pos);
  if (kind < 4) a.m.erase(pos, n);
  if (kind > 4 && kind < 8) a.m.replace(pos, n, kind == 5 ? b.m : kind == 6 ? up_to_nul(t) : t);
  if (kind == 8) a.m.insert(pos, with);
  FUZZ_REQUIRE(got == a.m);
}

// m without the leading (when left) and trailing units found in set.
std::wstring strip(const std::wstring& m, const std::wstring& set, bool left = true) {
  const std::size_t last = m.find_last_not_of(set);
  if (last == kNpos) return {};
  const std::size_t first = left ? m.find_first_not_of(set) : 0;
  return m.substr(first, last - first + 1);
}

// Trimming, tokenizing, case, unit replacement, resizing and alignment.
void step_units(World&, Subject& a, Subject&, In& in) {
  const wchar_t c = take_unit(in);
  const wchar_t to = take_unit(in);
  const std::wstring one(1, c);
  std::wstring set = take_text(in, 3);
  const unsigned n = in.ConsumeIntegralInRange(0u, 30u);
  const char byte = in.ConsumeIntegral<char>();
  const int width = near_or_any(in, -3, 100);
  const bool upper = in.ConsumeBool();
  const zWString& ca = a.w;
  switch (in.ConsumeIntegralInRange(0, 10)) {
    case 0:
      a.m = strip(a.m, one);
      return FUZZ_REQUIRE(reads_fully(a.w.Trim(c), a.m));
    case 1:
      return FUZZ_REQUIRE(reads_fully(a.w.TrimRight(c), strip(a.m, one, false)));
    case 2:
      a.m = strip(a.m, L" ");
      return FUZZ_REQUIRE(reads_fully(a.w.TrimSpace(), a.m));
    case 3:
      a.m = strip(a.m, up_to_nul(set));
      return FUZZ_REQUIRE(reads_fully(a.w.stripString(set.data()), a.m));
    case 4: {
      const std::size_t p = a.m.find_first_of(up_to_nul(set));
      FUZZ_REQUIRE(reads_fully(a.w.NextToken(set.data()), a.m.substr(0, p)));
      if (p != kNpos) a.m.erase(0, p);
      return;
    }
    case 5:
      return FUZZ_REQUIRE(
          reads_fully(upper ? ca.upperCase() : ca.lowerCase(), ascii_case(a.m, upper)));
    case 6:
      a.w.ReplaceWChar(c, to);
      for (wchar_t& u : a.m) u = u == c ? to : u;
      return;
    case 7:
      a.w.normaliseFilePath();
      for (wchar_t& u : a.m) u = u == L'\\' ? L'/' : u;
      return;
    case 8:
      a.w.resize(n);
      a.m.resize(n, L'\0');
      return;
    case 9:
      FUZZ_REQUIRE(a.w.assign(n, byte) == std::wstring(n, widen(byte)));
      a.m.assign(n, widen(byte));
      return;
  }
  if (width > 200) return;  // a valid but long fill; the unit tests cover the limit
  FUZZ_REQUIRE(&a.w.AlignLeftWithSize(width) == &a.w);
  if (width > 0 && a.m.size() < static_cast<unsigned>(width)) a.m.resize(width, L' ');
}

void World::settle(Subject& s) {
  FUZZ_REQUIRE(reads_fully(s.w, s.m));
  if (s.m.size() > 1024) {
    s.w.resize(256);
    s.m.resize(256);
  }
}

const World::Op kOps[] = {step_set, step_read, step_edit, step_edit, step_units, step_units};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return run_steps<World>(data, size, kOps);
}

// Wide storage, editing, trimming and tokenizing against a std::wstring model.
//
// Two strings live through a sequence of operations chosen by the input; the
// model predicts every result, every "invalid string position" exception and
// the state afterwards. Units come mostly from a small alphabet (so that
// searches hit), sometimes from the whole 32-bit range (so that the unsigned
// order of units is exercised).
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "zWString.h"

namespace {

constexpr unsigned kNpos = 4294967295u;

struct Subject {
  zWString w;
  std::wstring m;
};

const wchar_t kAlphabet[] = {L'a', L'b', L',', L';',   L' ',   L'\\',  L'/',   L'x',
                             L'A', 0,    0xE9, 0xFFE9, 0xD83D, 0xDE00, 0xFEFF, 0x10FFFF};

wchar_t take_unit(FuzzedDataProvider& in) {
  if (in.ConsumeIntegralInRange(0, 7) != 0) {
    return kAlphabet[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kAlphabet) - 1)];
  }
  return static_cast<wchar_t>(in.ConsumeIntegral<std::uint32_t>());
}

std::wstring take_text(FuzzedDataProvider& in, std::size_t most = 12) {
  std::wstring t(in.ConsumeIntegralInRange<std::size_t>(0, most), L'\0');
  for (wchar_t& c : t) c = take_unit(in);
  return t;
}

std::wstring up_to_nul(const std::wstring& t) { return std::wstring(t.c_str()); }

// Positions: mostly near the text, sometimes anywhere in 32 bits.
unsigned take_position(FuzzedDataProvider& in) {
  return in.ConsumeBool() ? in.ConsumeIntegralInRange(0u, 16u) : in.ConsumeIntegral<unsigned>();
}

// Sign extension of a narrow char to 16 bits: 0xE9 becomes 0xFFE9.
wchar_t widen(char c) {
  return static_cast<wchar_t>(static_cast<std::uint16_t>(static_cast<signed char>(c)));
}

bool reads_as(const zWString& w, const std::wstring& m) {
  return w.size() == m.size() && w.length() == m.size() && w.empty() == m.empty() &&
         std::wstring(w.c_str(), w.size()) == m && w.c_str()[w.size()] == 0 &&
         w.getWStringData() == m && w.data() == w.c_str();
}

unsigned as_npos32(std::size_t p) {
  return p == std::wstring::npos ? kNpos : static_cast<unsigned>(p);
}

// Units order as unsigned numbers: -1, 0 or +1.
int unit_order(const std::wstring& a, const std::wstring& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<std::uint32_t>(a[i]);
    const auto y = static_cast<std::uint32_t>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
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
    if (hi >= 0xD800 && hi <= 0xDBFF && lo >= 0xDC00 && lo <= 0xDFFF) {
      out += static_cast<wchar_t>(0x10000 + ((hi - 0xD800) << 10) + (lo - 0xDC00));
      ++i;
    } else {
      out += static_cast<wchar_t>(hi);
    }
  }
  return out;
}

void step_assign(Subject& a, const Subject& b, FuzzedDataProvider& in) {
  const std::wstring t = take_text(in);
  switch (in.ConsumeIntegralInRange(0, 5)) {
    case 0:
      a.w = zWString(t);
      a.m = t;
      break;
    case 1:
      a.w = t.c_str();
      a.m = up_to_nul(t);
      break;
    case 2: {
      const std::size_t k = in.ConsumeIntegralInRange<std::size_t>(0, a.m.size());
      a.w = a.w.c_str() + k;
      a.m = up_to_nul(a.m.substr(k));
      break;
    }
    case 3:
      a.w = b.w;
      a.m = b.m;
      break;
    case 4: {
      const wchar_t c = take_unit(in);
      a.w = zWString(c);
      a.m.assign(1, c);
      break;
    }
    default: {
      std::vector<unsigned short> units;
      for (wchar_t c : t) units.push_back(static_cast<unsigned short>(c));
      units.push_back(0);
      a.w = units.data();
      a.m = from_utf16(units);
      FUZZ_REQUIRE(reads_as(zWString(units.data()), a.m));
    }
  }
}

void step_append(Subject& a, const Subject& b, FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 5)) {
    case 0:
      FUZZ_REQUIRE(&(a.w += b.w) == &a.w);
      a.m += b.m;
      break;
    case 1:
      a.w += a.w;
      a.m += a.m;
      break;
    case 2: {
      const wchar_t c = take_unit(in);
      FUZZ_REQUIRE(&(a.w += c) == &a.w);
      a.m += c;
      break;
    }
    case 3: {
      const unsigned n = in.ConsumeIntegralInRange(0u, 20u);
      const wchar_t c = take_unit(in);
      FUZZ_REQUIRE(&a.w.append(n, c) == &a.w);
      a.m.append(n, c);
      break;
    }
    case 4: {
      const std::wstring t = take_text(in);
      FUZZ_REQUIRE(&(a.w << t.c_str()) == &a.w);
      a.m += up_to_nul(t);
      break;
    }
    default: {
      const bool truth = in.ConsumeBool();
      a.w << truth;
      a.m += truth ? L"true" : L"false";
    }
  }
}

void step_read(const Subject& a, const Subject& b, FuzzedDataProvider& in) {
  const std::wstring t = take_text(in, 6);
  FUZZ_REQUIRE(reads_as(a.w + t.c_str(), a.m + up_to_nul(t)));
  FUZZ_REQUIRE(reads_as(a.w + b.w, a.m + b.m));
  FUZZ_REQUIRE(reads_as(t.c_str() + a.w, up_to_nul(t) + a.m));
  FUZZ_REQUIRE((a.w == b.w) == (a.m == b.m));
  FUZZ_REQUIRE((a.w != b.w) == (a.m != b.m));
  FUZZ_REQUIRE((a.w != t.c_str()) == (a.m != up_to_nul(t)));
  FUZZ_REQUIRE((a.w < b.w) == (unit_order(a.m, b.m) < 0));
  FUZZ_REQUIRE(a.w.compare(b.m) == unit_order(a.m, b.m));
  FUZZ_REQUIRE(a.w.max_size() == 2147483646u);
  const unsigned i = in.ConsumeIntegralInRange<unsigned>(0, static_cast<unsigned>(a.m.size()));
  FUZZ_REQUIRE(a.w[i] == (i == a.m.size() ? L'\0' : a.m[i]));
  FUZZ_REQUIRE(static_cast<std::wstring>(a.w) == a.m);
}

void step_search(const Subject& a, const Subject& b, FuzzedDataProvider& in) {
  const std::wstring t = up_to_nul(take_text(in, 3));
  const unsigned pos = take_position(in);
  const char c = in.ConsumeIntegral<char>();
  const unsigned found = as_npos32(a.m.find(t, pos));
  FUZZ_REQUIRE(a.w.find(t.c_str(), pos) == found);
  FUZZ_REQUIRE(a.w.Index(t.c_str(), pos) == static_cast<int>(found));
  const unsigned found_c = as_npos32(a.m.find(widen(c), pos));
  FUZZ_REQUIRE(a.w.find(c, pos) == found_c);
  FUZZ_REQUIRE(a.w.Index(c, pos) == static_cast<int>(found_c));
  const unsigned found_w = as_npos32(a.m.find(b.m, pos));
  FUZZ_REQUIRE(a.w.find(b.w, pos) == found_w);
  FUZZ_REQUIRE(a.w.Index(b.w, pos) == static_cast<int>(found_w));
  FUZZ_REQUIRE(a.w.rfind(t, pos) == as_npos32(a.m.rfind(t, pos)));
  FUZZ_REQUIRE(a.w.rfind(b.m) == as_npos32(a.m.rfind(b.m)));
  FUZZ_REQUIRE(a.w.find_first_of(t.c_str(), pos) == as_npos32(a.m.find_first_of(t, pos)));
  FUZZ_REQUIRE(a.w.find_last_of(t.c_str(), pos) == as_npos32(a.m.find_last_of(t, pos)));
  FUZZ_REQUIRE(a.w.find_last_of(t.c_str()) == as_npos32(a.m.find_last_of(t)));
  const unsigned at = as_npos32(a.m.find(t, pos));
  FUZZ_REQUIRE(a.w.containsAt(t.c_str(), pos) == (at == pos));
}

void step_cut(Subject& a, FuzzedDataProvider& in) {
  const unsigned pos = take_position(in);
  const unsigned n = take_position(in);
  const bool bad = pos > a.m.size();
  switch (in.ConsumeIntegralInRange(0, 4)) {
    case 0:
      if (bad) return require_invalid_position([&] { a.w.substr(pos, n); });
      FUZZ_REQUIRE(a.w.substr(pos, n) == a.m.substr(pos, n));
      break;
    case 1: {
      const int start = static_cast<int>(pos);
      const int count = static_cast<int>(n);
      if (bad) return require_invalid_position([&] { a.w(start, count); });
      FUZZ_REQUIRE(reads_as(a.w(start, count), a.m.substr(pos, n)));
      break;
    }
    case 2:
      if (bad) return require_invalid_position([&] { a.w.erase(pos, n); });
      a.w.erase(pos, n);
      a.m.erase(pos, n);
      break;
    case 3:
      if (bad) return require_invalid_position([&] { a.w.Remove(pos, n); });
      FUZZ_REQUIRE(&a.w.Remove(pos, n) == &a.w);
      a.m.erase(pos, n);
      break;
    default:
      if (bad) return require_invalid_position([&] { a.w.Remove(pos); });
      a.w.Remove(pos);
      a.m.resize(pos);
  }
}

void step_replace(Subject& a, const Subject& b, FuzzedDataProvider& in) {
  const unsigned pos = take_position(in);
  const unsigned n = take_position(in);
  const std::wstring t = take_text(in, 5);
  const bool bad = pos > a.m.size();
  switch (in.ConsumeIntegralInRange(0, 4)) {
    case 0:
      if (bad) return require_invalid_position([&] { a.w.replace(pos, n, b.w); });
      FUZZ_REQUIRE(a.w.replace(pos, n, b.w) == a.m.replace(pos, n, b.m));
      break;
    case 1:
      if (bad) return require_invalid_position([&] { a.w.replace(pos, n, t.c_str()); });
      FUZZ_REQUIRE(a.w.replace(pos, n, t.c_str()) == a.m.replace(pos, n, up_to_nul(t)));
      break;
    case 2:
      if (bad) return require_invalid_position([&] { a.w.replace(pos, n, t); });
      FUZZ_REQUIRE(a.w.replace(pos, n, t) == a.m.replace(pos, n, t));
      break;
    case 3: {
      const bool self = in.ConsumeBool();
      const std::wstring with = self ? a.m : b.m;
      a.w.ReplaceSubString(pos, n, self ? a.w : b.w);
      if (pos >= a.m.size()) break;
      const std::size_t count = std::min<std::size_t>(n, a.m.size() - pos);
      a.m = a.m.substr(0, pos) + with + a.m.substr(pos + count);
      break;
    }
    default: {
      const zWString what(t);
      const bool self = in.ConsumeBool();
      const std::wstring with = self ? a.m : b.m;
      const std::size_t p = a.m.find(t);
      FUZZ_REQUIRE(a.w.Replace(what, self ? a.w : b.w) == (p != std::wstring::npos));
      if (p != std::wstring::npos) a.m.replace(p, t.size(), with);
    }
  }
}

void step_insert(Subject& a, const Subject& b, FuzzedDataProvider& in) {
  const int pos = in.ConsumeBool() ? in.ConsumeIntegralInRange(-2, 16) : in.ConsumeIntegral<int>();
  const bool self = in.ConsumeBool();
  const std::wstring t = self ? a.m : b.m;
  if (static_cast<unsigned>(pos) > a.m.size()) {
    return require_invalid_position([&] { a.w.Insert(self ? a.w : b.w, pos); });
  }
  a.w.Insert(self ? a.w : b.w, pos);
  a.m.insert(static_cast<unsigned>(pos), t);
}

void step_units(Subject& a, FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0: {
      const wchar_t from = take_unit(in);
      const wchar_t to = take_unit(in);
      a.w.ReplaceWChar(from, to);
      for (wchar_t& c : a.m) c = c == from ? to : c;
      break;
    }
    case 1:
      a.w.normaliseFilePath();
      for (wchar_t& c : a.m) c = c == L'\\' ? L'/' : c;
      break;
    case 2: {
      const unsigned n = in.ConsumeIntegralInRange(0u, 30u);
      a.w.resize(n);
      a.m.resize(n, L'\0');
      break;
    }
    default: {
      const unsigned n = in.ConsumeIntegralInRange(0u, 30u);
      const char c = in.ConsumeIntegral<char>();
      FUZZ_REQUIRE(a.w.assign(n, c) == std::wstring(n, widen(c)));
      a.m.assign(n, widen(c));
    }
  }
}

std::wstring trim_right(std::wstring m, wchar_t c) {
  const std::size_t last = m.find_last_not_of(c);
  return last == std::wstring::npos ? std::wstring() : m.substr(0, last + 1);
}

std::wstring trim_both(const std::wstring& m, wchar_t c) {
  const std::size_t first = m.find_first_not_of(c);
  return first == std::wstring::npos ? std::wstring() : trim_right(m.substr(first), c);
}

std::wstring strip_set(const std::wstring& m, const std::wstring& set) {
  const std::size_t first = m.find_first_not_of(set);
  if (first == std::wstring::npos) return {};
  return m.substr(first, m.find_last_not_of(set) - first + 1);
}

std::wstring ascii_case(std::wstring m, bool upper) {
  for (wchar_t& c : m) {
    if (upper && c >= L'a' && c <= L'z') c = c - L'a' + L'A';
    if (!upper && c >= L'A' && c <= L'Z') c = c - L'A' + L'a';
  }
  return m;
}

void step_trim(Subject& a, FuzzedDataProvider& in) {
  const wchar_t c = take_unit(in);
  std::wstring set = take_text(in, 3);
  switch (in.ConsumeIntegralInRange(0, 5)) {
    case 0:
      a.m = trim_both(a.m, c);
      FUZZ_REQUIRE(reads_as(a.w.Trim(c), a.m));
      break;
    case 1:
      FUZZ_REQUIRE(reads_as(a.w.TrimRight(c), trim_right(a.m, c)));
      break;
    case 2:
      a.m = trim_both(a.m, L' ');
      FUZZ_REQUIRE(reads_as(a.w.TrimSpace(), a.m));
      break;
    case 3:
      a.m = strip_set(a.m, up_to_nul(set));
      FUZZ_REQUIRE(reads_as(a.w.stripString(set.data()), a.m));
      break;
    case 4: {
      const std::size_t p = a.m.find_first_of(up_to_nul(set));
      const zWString token = a.w.NextToken(set.data());
      FUZZ_REQUIRE(reads_as(token, a.m.substr(0, p)));
      if (p != std::wstring::npos) a.m.erase(0, p);
      break;
    }
    default: {
      const bool upper = in.ConsumeBool();
      const zWString& ca = a.w;
      FUZZ_REQUIRE(reads_as(upper ? ca.upperCase() : ca.lowerCase(), ascii_case(a.m, upper)));
    }
  }
}

void step_align(Subject& a, FuzzedDataProvider& in) {
  const int width =
      in.ConsumeBool() ? in.ConsumeIntegralInRange(-3, 100) : in.ConsumeIntegral<int>();
  if (width > 200) return;  // a valid but long fill; the unit tests cover the limit
  FUZZ_REQUIRE(&a.w.AlignLeftWithSize(width) == &a.w);
  if (width > 0 && a.m.size() < static_cast<unsigned>(width)) a.m.resize(width, L' ');
}

void step(Subject (&subjects)[2], FuzzedDataProvider& in) {
  const int i = in.ConsumeIntegralInRange(0, 1);
  Subject& a = subjects[i];
  const Subject& b = subjects[1 - i];
  if (a.m.size() > 1024) {
    a.w.resize(256);
    a.m.resize(256);
  }
  switch (in.ConsumeIntegralInRange(0, 10)) {
    case 0:
      step_assign(a, b, in);
      break;
    case 1:
      step_append(a, b, in);
      break;
    case 2:
      step_read(a, b, in);
      break;
    case 3:
      step_search(a, b, in);
      break;
    case 4:
      step_cut(a, in);
      break;
    case 5:
      step_replace(a, b, in);
      break;
    case 6:
      step_insert(a, b, in);
      break;
    case 7:
      step_units(a, in);
      break;
    case 8:
      step_align(a, in);
      break;
    default:
      step_trim(a, in);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  Subject subjects[2];
  for (int n = 0; n < 64 && in.remaining_bytes() > 0; ++n) {
    step(subjects, in);
    for (const Subject& s : subjects) FUZZ_REQUIRE(reads_as(s.w, s.m));
  }
  return 0;
}

// Narrow editing and view splicing against a std::string model.
//
// Two strings and two views live through a sequence of operations chosen by
// the input: assignment (self-pointers included), appending, concatenation,
// comparison, pattern and character replacement, insertion, removal, search,
// trimming, case mapping in the C locale, alignment, and reads and splices
// through views that may have fallen behind a shortened string. After every
// step each string must read exactly as its model.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz_check.h"
#include "zString.h"
#include "zSubString.h"

namespace {

using zodode::fuzz::take_bytes;
using zodode::fuzz::up_to_nul;

struct Subject {
  zString s;
  std::string m;
};

// A view as the model sees it: which subject, start and length.
struct ViewModel {
  int subject = 0;
  unsigned start = 0;
  unsigned length = 0;
};

struct World {
  Subject subjects[2];
  std::optional<zSubString> views[2];
  ViewModel view_models[2];
};

bool reads_as(const zString& s, const std::string& m) {
  return s.data() != nullptr && s.length() == m.size() && std::string(s.data()) == m;
}

bool is_c_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Construction clip: start to the text, a range reaching the end to the end.
ViewModel make_view(int subject, unsigned size, unsigned start, unsigned length) {
  ViewModel v{subject, std::min(start, size), length};
  if (std::uint64_t{start} + length >= size) v.length = size - v.start;
  return v;
}

std::string view_reads(const ViewModel& v, const std::string& m) {
  if (v.start > m.size()) return {};
  return m.substr(v.start, v.length);
}

// Assignment through a view: prefix up to the start, the text, the part after
// the range when the range ends inside the text.
void view_assign(ViewModel& v, std::string& m, const std::string& text) {
  const std::string prefix = m.substr(0, std::min<std::size_t>(v.start, m.size()));
  const std::uint64_t end = std::uint64_t{v.start} + v.length;
  const std::string suffix = end < m.size() ? m.substr(end) : std::string();
  m = prefix + text + suffix;
  v.length = static_cast<unsigned>(text.size());
}

void step_assign(Subject& a, const Subject& b, FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 4)) {
    case 0: {
      const std::string t = take_bytes(in);
      a.s = t.c_str();
      a.m = up_to_nul(t);
      break;
    }
    case 1: {
      const std::string t = take_bytes(in);
      a.s = t;  // a std::string ends at its first NUL
      a.m = up_to_nul(t);
      break;
    }
    case 2: {
      const std::size_t k = in.ConsumeIntegralInRange<std::size_t>(0, a.m.size());
      a.s = a.s.data() + k;
      a.m = a.m.substr(k);
      break;
    }
    case 3:
      a.s = b.s;
      a.m = b.m;
      break;
    default:
      a.s = static_cast<const char*>(nullptr);
      a.m.clear();
  }
}

void step_append(Subject& a, const Subject& b, FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 4)) {
    case 0: {
      const std::string t = take_bytes(in);
      a.s += t.c_str();
      a.m += up_to_nul(t);
      break;
    }
    case 1: {
      const std::string t = take_bytes(in);
      a.s += t;
      a.m += up_to_nul(t);
      break;
    }
    case 2:
      a.s += a.s;
      a.m += a.m;
      break;
    case 3: {
      const std::size_t k = in.ConsumeIntegralInRange<std::size_t>(0, a.m.size());
      a.s += a.s.data() + k;
      a.m += a.m.substr(k);
      break;
    }
    default:
      a.s += b.s;
      a.m += b.m;
  }
}

void step_concatenate(const Subject& a, const Subject& b, FuzzedDataProvider& in) {
  const std::string t = take_bytes(in);
  FUZZ_REQUIRE(reads_as(a.s + t.c_str(), a.m + up_to_nul(t)));
  FUZZ_REQUIRE(reads_as(a.s + t, a.m + up_to_nul(t)));
  FUZZ_REQUIRE(reads_as(a.s + b.s, a.m + b.m));
  FUZZ_REQUIRE(reads_as(a.s + a.s, a.m + a.m));
  const zString copy(a.s);
  FUZZ_REQUIRE(reads_as(copy, a.m));
}

void step_compare(const Subject& a, const Subject& b, FuzzedDataProvider& in) {
  const std::string t = take_bytes(in, 8);
  const std::string tm = up_to_nul(t);
  // char_traits<char> orders bytes as unsigned char, as the library must.
  FUZZ_REQUIRE((a.s == t.c_str()) == (a.m == tm));
  FUZZ_REQUIRE((a.s != t.c_str()) == (a.m != tm));
  FUZZ_REQUIRE((a.s < t.c_str()) == (a.m < tm));
  FUZZ_REQUIRE((a.s < t) == (a.m < tm));
  FUZZ_REQUIRE((a.s < b.s) == (a.m < b.m));
}

void step_replace(Subject& a, const Subject& b, FuzzedDataProvider& in) {
  if (in.ConsumeBool()) {
    const char from = in.ConsumeIntegral<char>();
    const char to = in.ConsumeIntegral<char>();
    const char* before = a.s.data();
    a.s.Replace(from, to);
    FUZZ_REQUIRE(a.s.data() == before);  // in place
    if (from != '\0') std::replace(a.m.begin(), a.m.end(), from, to);
    a.m = up_to_nul(a.m);
    return;
  }
  const bool self_as_to = in.ConsumeBool();
  const zString from(up_to_nul(take_bytes(in, 4)).c_str());
  const std::string fm = from.data();
  const std::string tm = self_as_to ? a.m : b.m;
  a.s.Replace(from, self_as_to ? a.s : b.s);
  const std::size_t p = a.m.find(fm);
  if (p != std::string::npos) a.m = a.m.substr(0, p) + tm + a.m.substr(p + fm.size());
}

void step_insert(Subject& a, const Subject& b, FuzzedDataProvider& in) {
  const int pos = in.ConsumeBool() ? in.ConsumeIntegral<int>() : in.ConsumeIntegralInRange(-2, 80);
  const bool self = in.ConsumeBool();
  const std::string tm = self ? a.m : b.m;
  a.s.Insert(self ? a.s : b.s, pos);
  if (pos < 0) return;
  const std::size_t p = std::min<std::size_t>(static_cast<unsigned>(pos), a.m.size());
  a.m.insert(p, tm);
}

void step_search(const Subject& a, FuzzedDataProvider& in) {
  const char c = in.ConsumeIntegral<char>();
  const std::size_t pc = c == '\0' ? a.m.size() : a.m.find(c);
  FUZZ_REQUIRE(a.s.Index(c) == (pc == std::string::npos ? -1 : static_cast<int>(pc)));
  const std::string t = up_to_nul(take_bytes(in, 6));
  const std::size_t pt = a.m.find(t);
  FUZZ_REQUIRE(a.s.Index(t.c_str()) == (pt == std::string::npos ? -1 : static_cast<int>(pt)));
}

unsigned take_position(FuzzedDataProvider& in) {
  return in.ConsumeBool() ? in.ConsumeIntegral<unsigned>() : in.ConsumeIntegralInRange(0u, 80u);
}

void step_remove(Subject& a, FuzzedDataProvider& in) {
  const unsigned pos = take_position(in);
  const bool applies = !a.m.empty() && pos <= a.m.size();
  if (in.ConsumeBool()) {
    FUZZ_REQUIRE(&a.s.Remove(pos) == &a.s);
    if (applies) a.m.resize(pos);
    return;
  }
  const unsigned count = take_position(in);
  FUZZ_REQUIRE(&a.s.Remove(pos, count) == &a.s);
  if (applies) a.m.erase(pos, count);
}

void trim_left_model(std::string& m, char c, bool spaces) {
  std::size_t i = 0;
  while (i < m.size() && (spaces ? is_c_space(m[i]) : m[i] == c)) ++i;
  m.erase(0, i);
}

// The first byte is never examined, so a text of spaces keeps one.
void trim_right_model(std::string& m, char c, bool spaces) {
  std::size_t q = m.size();
  while (q > 1 && (spaces ? is_c_space(m[q - 1]) : m[q - 1] == c)) --q;
  m.resize(q);
}

void step_trim(Subject& a, FuzzedDataProvider& in) {
  const char* before = a.s.data();
  switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
      FUZZ_REQUIRE(&a.s.TrimSpaceLeft() == &a.s);
      trim_left_model(a.m, ' ', true);
      break;
    case 1:
      FUZZ_REQUIRE(&a.s.TrimSpaceRight() == &a.s);
      trim_right_model(a.m, ' ', true);
      break;
    case 2:
      FUZZ_REQUIRE(&a.s.TrimSpace() == &a.s);
      trim_left_model(a.m, ' ', true);
      trim_right_model(a.m, ' ', true);
      break;
    default: {
      const char c = in.ConsumeIntegral<char>();
      FUZZ_REQUIRE(&a.s.Trim(c) == &a.s);
      if (c == '\0') break;
      trim_left_model(a.m, c, false);
      trim_right_model(a.m, c, false);
    }
  }
  FUZZ_REQUIRE(a.s.data() == before);  // trimming never reallocates
}

// The C locale maps the ASCII letters only.
std::string upper_model(std::string m, bool upper) {
  for (char& c : m) {
    if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return m;
}

void step_case(Subject& a, FuzzedDataProvider& in) {
  const bool upper = in.ConsumeBool();
  const zString& ca = a.s;
  const zString copy = upper ? ca.ToUpper() : ca.ToLower();
  FUZZ_REQUIRE(reads_as(copy, upper_model(a.m, upper)));
  FUZZ_REQUIRE(reads_as(a.s, a.m));
  if (in.ConsumeBool()) return;
  const char* before = a.s.data();
  if (upper)
    a.s.ToUpper();
  else
    a.s.ToLower();
  FUZZ_REQUIRE(a.s.data() == before);
  a.m = upper_model(a.m, upper);
}

void step_align(Subject& a, FuzzedDataProvider& in) {
  const int width = in.ConsumeBool() ? in.ConsumeIntegralInRange(-3, 200)
                                     : in.ConsumeIntegralInRange(-0x7fffffff - 1, -1);
  FUZZ_REQUIRE(&a.s.AlignLeftWithSize(width) == &a.s);
  if (width > 0 && a.m.size() < static_cast<unsigned>(width)) a.m.resize(width, ' ');
}

void step_make_view(World& w, int i, FuzzedDataProvider& in) {
  const int subject = in.ConsumeIntegralInRange(0, 1);
  const int start = in.ConsumeBool() ? in.ConsumeIntegral<int>() : in.ConsumeIntegralInRange(0, 40);
  const int length =
      in.ConsumeBool() ? in.ConsumeIntegral<int>() : in.ConsumeIntegralInRange(0, 40);
  Subject& sub = w.subjects[subject];
  w.views[i].emplace(sub.s(start, length));
  w.view_models[i] = make_view(subject, static_cast<unsigned>(sub.m.size()),
                               static_cast<unsigned>(start), static_cast<unsigned>(length));
}

void step_use_view(World& w, int i, FuzzedDataProvider& in) {
  zSubString& v = *w.views[i];
  ViewModel& vm = w.view_models[i];
  std::string& m = w.subjects[vm.subject].m;
  switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0: {
      const std::string t = take_bytes(in, 8);
      const std::string expected = view_reads(vm, m);
      FUZZ_REQUIRE(reads_as(v.data(), expected));
      FUZZ_REQUIRE(reads_as(static_cast<zString>(v), expected));
      FUZZ_REQUIRE((v == t.c_str()) == (expected == up_to_nul(t) ? 1 : 0));
      FUZZ_REQUIRE((v != t.c_str()) == (expected == up_to_nul(t) ? 0 : 1));
      break;
    }
    case 1: {
      const std::string t = take_bytes(in, 16);
      FUZZ_REQUIRE(&(v = t.c_str()) == &v);
      view_assign(vm, m, up_to_nul(t));
      break;
    }
    default: {
      const int j = 1 - i;
      if (!w.views[j]) break;
      v = *w.views[j];
      const ViewModel& other = w.view_models[j];
      m = w.subjects[other.subject].m;
      vm.start = other.start;
      vm.length = other.length;
    }
  }
}

// Self-appends and self-inserts double a text; keep texts small so that runs stay fast.
constexpr std::size_t kLongText = 2048;

void step(World& w, FuzzedDataProvider& in) {
  const int i = in.ConsumeIntegralInRange(0, 1);
  Subject& a = w.subjects[i];
  const Subject& b = w.subjects[1 - i];
  if (a.m.size() > kLongText) {
    a.s.Remove(kLongText / 4);
    a.m.resize(kLongText / 4);
  }
  switch (in.ConsumeIntegralInRange(0, 15)) {
    case 0:
      step_assign(a, b, in);
      break;
    case 1:
      step_append(a, b, in);
      break;
    case 2:
      step_concatenate(a, b, in);
      break;
    case 3:
      step_compare(a, b, in);
      break;
    case 4:
      step_replace(a, b, in);
      break;
    case 5:
      step_insert(a, b, in);
      break;
    case 6:
      step_search(a, in);
      break;
    case 7:
      step_remove(a, in);
      break;
    case 8:
      step_trim(a, in);
      break;
    case 9:
      step_case(a, in);
      break;
    case 10:
      step_align(a, in);
      break;
    case 11:
      step_make_view(w, i, in);
      break;
    default:
      if (w.views[i])
        step_use_view(w, i, in);
      else
        step_make_view(w, i, in);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  World w;
  for (int n = 0; n < 64 && in.remaining_bytes() > 0; ++n) {
    step(w, in);
    for (const Subject& sub : w.subjects) FUZZ_REQUIRE(reads_as(sub.s, sub.m));
  }
  return 0;
}

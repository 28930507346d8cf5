// Narrow editing and view splicing against a std::string model: two strings and
// two views (which may fall behind a shortened string) go through operations
// chosen by the input; after every step each string must read as its model.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz_input.h"
#include "zString.h"
#include "zSubString.h"

namespace {

using namespace zodode::fuzz;

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
  using Op = void (*)(World&, Subject&, Subject&, In&);
  Subject subjects[2];
  std::optional<zSubString> views[2];
  ViewModel view_models[2];
  static void settle(Subject& sub);
};

bool reads_as(const zString& s, const std::string& m) {
  return s.data() != nullptr && s.length() == m.size() && std::string(s.data()) == m;
}

bool is_c_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Trims bytes equal to c (or C spaces) from the left, the right or both. The
// first byte is never examined from the right, so a text of spaces keeps one.
void trim_model(std::string& m, char c, bool spaces, bool left, bool right) {
  const auto drops = [&](char x) { return spaces ? is_c_space(x) : x == c; };
  std::size_t i = 0;
  while (left && i < m.size() && drops(m[i])) ++i;
  m.erase(0, i);
  std::size_t q = m.size();
  while (right && q > 1 && drops(m[q - 1])) --q;
  m.resize(q);
}

// Assignment or appending from a source picked by the input.
void step_set(World&, Subject& a, Subject& b, In& in) {
  const bool append = in.ConsumeBool();
  const std::string t = take_bytes(in);
  const std::size_t k = in.ConsumeIntegralInRange<std::size_t>(0, a.m.size());
  const auto apply = [&](const auto& source, const std::string& model) {
    if (append)
      a.s += source;
    else
      a.s = source;
    a.m = append ? a.m + model : model;
  };
  switch (in.ConsumeIntegralInRange(0, 4)) {
    case 0:
      return apply(t.c_str(), up_to_nul(t));
    case 1:
      return apply(t, up_to_nul(t));  // a std::string ends at its first NUL
    case 2:
      return apply(a.s.data() + k, a.m.substr(k));
    case 3:
      return apply(b.s, b.m);
  }
  if (append) return apply(a.s, a.m);
  a.s = static_cast<const char*>(nullptr);
  a.m.clear();
}

void step_read(World&, Subject& a, Subject& b, In& in) {
  const std::string t = take_bytes(in, 8);
  const std::string tm = up_to_nul(t);
  FUZZ_REQUIRE(reads_as(a.s + t.c_str(), a.m + tm));
  FUZZ_REQUIRE(reads_as(a.s + t, a.m + tm));
  FUZZ_REQUIRE(reads_as(a.s + b.s, a.m + b.m));
  FUZZ_REQUIRE(reads_as(a.s + a.s, a.m + a.m));
  FUZZ_REQUIRE(reads_as(zString(a.s), a.m));
  // char_traits<char> orders bytes as unsigned char, as the library must.
  FUZZ_REQUIRE((a.s == t.c_str()) == (a.m == tm));
  FUZZ_REQUIRE((a.s != t.c_str()) == (a.m != tm));
  FUZZ_REQUIRE((a.s < t.c_str()) == (a.m < tm));
  FUZZ_REQUIRE((a.s < t) == (a.m < tm));
  FUZZ_REQUIRE((a.s < b.s) == (a.m < b.m));
  const char c = in.ConsumeIntegral<char>();
  const std::size_t pc = c == '\0' ? a.m.size() : a.m.find(c);
  FUZZ_REQUIRE(a.s.Index(c) == (pc == std::string::npos ? -1 : static_cast<int>(pc)));
  const std::size_t pt = a.m.find(tm);
  FUZZ_REQUIRE(a.s.Index(tm.c_str()) == (pt == std::string::npos ? -1 : static_cast<int>(pt)));
}

void step_replace(World&, Subject& a, Subject& b, In& in) {
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
  const bool self = in.ConsumeBool();
  const zString from(up_to_nul(take_bytes(in, 4)).c_str());
  const std::string fm = from.data();
  const std::string with = self ? a.m : b.m;
  a.s.Replace(from, self ? a.s : b.s);
  const std::size_t p = a.m.find(fm);
  if (p != std::string::npos) a.m.replace(p, fm.size(), with);
}

void step_insert(World&, Subject& a, Subject& b, In& in) {
  const int pos = near_or_any(in, -2, 80);
  const bool self = in.ConsumeBool();
  const std::string with = self ? a.m : b.m;
  a.s.Insert(self ? a.s : b.s, pos);
  if (pos >= 0) a.m.insert(std::min<std::size_t>(static_cast<unsigned>(pos), a.m.size()), with);
}

void step_remove(World&, Subject& a, Subject&, In& in) {
  const unsigned pos = near_or_any(in, 0u, 80u);
  const bool applies = !a.m.empty() && pos <= a.m.size();
  if (in.ConsumeBool()) {
    FUZZ_REQUIRE(&a.s.Remove(pos) == &a.s);
    if (applies) a.m.resize(pos);
    return;
  }
  const unsigned count = near_or_any(in, 0u, 80u);
  FUZZ_REQUIRE(&a.s.Remove(pos, count) == &a.s);
  if (applies) a.m.erase(pos, count);
}

// Trimming, case mapping and alignment; all but alignment keep the buffer.
void step_shape(World&, Subject& a, Subject&, In& in) {
  const char* before = a.s.data();
  const int kind = in.ConsumeIntegralInRange(0, 6);
  const char c = in.ConsumeIntegral<char>();
  const bool upper = in.ConsumeBool();
  const zString& ca = a.s;
  const zString& (zString::*const trims[])() = {&zString::TrimSpaceLeft, &zString::TrimSpaceRight,
                                                &zString::TrimSpace};
  if (kind < 4) {
    FUZZ_REQUIRE(&(kind == 3 ? a.s.Trim(c) : (a.s.*trims[kind])()) == &a.s);
    if (kind != 3 || c != '\0') trim_model(a.m, c, kind != 3, kind != 1, kind != 0);
  } else if (kind == 4) {
    FUZZ_REQUIRE(reads_as(upper ? ca.ToUpper() : ca.ToLower(), ascii_case(a.m, upper)));
  } else if (kind == 5) {
    FUZZ_REQUIRE(&(upper ? a.s.ToUpper() : a.s.ToLower()) == &a.s);
    a.m = ascii_case(a.m, upper);
  } else {
    const int width = in.ConsumeBool() ? in.ConsumeIntegralInRange(-3, 200)
                                       : in.ConsumeIntegralInRange(-0x7fffffff - 1, -1);
    FUZZ_REQUIRE(&a.s.AlignLeftWithSize(width) == &a.s);
    if (width > 0 && a.m.size() < static_cast<unsigned>(width)) a.m.resize(width, ' ');
    return;
  }
  FUZZ_REQUIRE(a.s.data() == before);
}

// Construction clips the start to the text and a range reaching the end to the end.
void make_view(World& w, int i, In& in) {
  const int subject = in.ConsumeIntegralInRange(0, 1);
  const int start = near_or_any(in, 0, 40);
  const int length = near_or_any(in, 0, 40);
  const auto size = static_cast<unsigned>(w.subjects[subject].m.size());
  w.views[i].emplace(w.subjects[subject].s(start, length));
  ViewModel v{subject, std::min<unsigned>(start, size), static_cast<unsigned>(length)};
  if (std::uint64_t{static_cast<unsigned>(start)} + v.length >= size) v.length = size - v.start;
  w.view_models[i] = v;
}

// Reading, assigning through, or copying the other view into the view of subject i.
void step_view(World& w, Subject& a, Subject&, In& in) {
  const int i = &a == w.subjects ? 0 : 1;
  if (!w.views[i] || in.ConsumeIntegralInRange(0, 3) == 0) return make_view(w, i, in);
  zSubString& v = *w.views[i];
  ViewModel& vm = w.view_models[i];
  std::string& m = w.subjects[vm.subject].m;
  const std::string t = take_bytes(in, 16);
  const int kind = in.ConsumeIntegralInRange(0, 2);
  if (kind == 0) {
    const std::string expected = vm.start > m.size() ? "" : m.substr(vm.start, vm.length);
    FUZZ_REQUIRE(reads_as(v.data(), expected));
    FUZZ_REQUIRE(reads_as(static_cast<zString>(v), expected));
    FUZZ_REQUIRE((v == t.c_str()) == (expected == up_to_nul(t) ? 1 : 0));
    FUZZ_REQUIRE((v != t.c_str()) == (expected == up_to_nul(t) ? 0 : 1));
  } else if (kind == 1) {
    // Prefix up to the start, the text, the part after the range if it ends inside.
    FUZZ_REQUIRE(&(v = t.c_str()) == &v);
    const std::uint64_t end = std::uint64_t{vm.start} + vm.length;
    const std::string suffix = end < m.size() ? m.substr(end) : std::string();
    m = m.substr(0, std::min<std::size_t>(vm.start, m.size())) + up_to_nul(t) + suffix;
    vm.length = static_cast<unsigned>(up_to_nul(t).size());
  } else if (w.views[1 - i]) {
    v = *w.views[1 - i];
    const ViewModel& other = w.view_models[1 - i];
    m = w.subjects[other.subject].m;
    vm.start = other.start;
    vm.length = other.length;
  }
}

void World::settle(Subject& sub) {
  FUZZ_REQUIRE(reads_as(sub.s, sub.m));
  if (sub.m.size() > 2048) {  // self-appends double a text; keep texts small so runs stay fast
    sub.s.Remove(512);
    sub.m.resize(512);
  }
}

const World::Op kOps[] = {step_set,   step_read,  step_replace, step_insert, step_remove,
                          step_shape, step_shape, step_view,    step_view};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return run_steps<World>(data, size, kOps);
}

// zWString properties, no model: the length is the size of the held text and
// a NUL follows it; a position-checked edit either succeeds at a position
// within the text or throws and leaves the string as it was; an argument that
// is the string itself acts like a copy; a search result holds the pattern
// there; trims are idempotent; joining a split gives the text back; order is
// a strict total order that agrees with compare.
#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "zWString.h"

namespace {

using namespace zodode::fuzz;

constexpr unsigned kNpos = 4294967295u;

const wchar_t kAlphabet[] = {L'a', L'b', L',',   L' ',   L'\\',  L'x',
                             0,    0xE9, 0xFFE9, 0xD83D, 0xDE00, 0x10FFFF};

wchar_t take_unit(In& in) {
  if (in.ConsumeIntegralInRange(0, 7) != 0) return in.PickValueInArray(kAlphabet);
  return static_cast<wchar_t>(in.ConsumeIntegral<std::uint32_t>());
}

std::wstring take_text(In& in, std::size_t most = 12) {
  std::wstring t(in.ConsumeIntegralInRange<std::size_t>(0, most), L'\0');
  for (wchar_t& c : t) c = take_unit(in);
  return t;
}

// Runs edit(s, s) and edit(copy, copy of s): the results must agree.
template <typename Edit>
void self_as_copy(zWString& s, Edit edit) {
  zWString copy(s);
  const zWString arg(s);
  edit(s, s);
  edit(copy, arg);
  FUZZ_REQUIRE(s == copy);
}

// A position-checked edit: it throws "invalid string position" exactly when
// pos lies past the end, and then leaves s as it was.
template <typename Edit>
void checked(zWString& s, unsigned pos, Edit edit) {
  const zWString before(s);
  try {
    edit(s);
  } catch (const std::out_of_range& e) {
    FUZZ_REQUIRE(pos > before.size() && std::string(e.what()) == "invalid string position");
    FUZZ_REQUIRE(s == before);
    return;
  }
  FUZZ_REQUIRE(pos <= before.size());
}

void check_search(const zWString& s, const std::wstring& t, unsigned pos) {
  const zWString pattern(t);
  const unsigned found = s.find(pattern, pos), last = s.rfind(t, pos);
  FUZZ_REQUIRE(s.Index(pattern, pos) == static_cast<int>(found));
  FUZZ_REQUIRE(found == kNpos || (found >= pos && s.substr(found, t.size()) == t));
  FUZZ_REQUIRE(last == kNpos || (last <= pos && s.substr(last, t.size()) == t));
  FUZZ_REQUIRE((found == kNpos) == (s.rfind(t) == kNpos || s.rfind(t) < pos));
  const std::wstring text = s.getWStringData(), first_units = t.c_str();
  FUZZ_REQUIRE(s.find(first_units.c_str(), pos) == s.find(zWString(first_units), pos));
  FUZZ_REQUIRE(s.containsAt(first_units.c_str(), pos) == (s.find(first_units.c_str(), pos) == pos));
  const unsigned any = s.find_first_of(first_units.c_str(), pos),
                 end = s.find_last_of(first_units.c_str(), pos);
  FUZZ_REQUIRE(any == kNpos || (any >= pos && first_units.find(text[any]) != std::wstring::npos));
  FUZZ_REQUIRE(end == kNpos || (end <= pos && first_units.find(text[end]) != std::wstring::npos));
}

void step(zWString& s, zWString& t, In& in) {
  const unsigned pos = near_or_any(in, 0u, 16u), n = near_or_any(in, 0u, 16u);
  const unsigned k = pos % (s.size() + 1);
  const std::wstring u = take_text(in, 4);
  const wchar_t c = take_unit(in);
  switch (in.ConsumeIntegralInRange(0, 13)) {
    case 0:
      return checked(s, pos, [&](zWString& x) { x.erase(pos, n); });
    case 1:
      return checked(s, pos, [&](zWString& x) { x.replace(pos, n, t); });
    case 2:
      return checked(s, pos, [&](zWString& x) { x.Insert(t, static_cast<int>(pos)); });
    case 3:
      return checked(s, pos,
                     [&](zWString& x) { in.ConsumeBool() ? x.Remove(pos) : x.Remove(pos, n); });
    case 4:
      return checked(s, pos, [&](zWString& x) {
        FUZZ_REQUIRE(x.substr(pos, n) == x(int(pos), int(n)).getWStringData());
      });
    case 5:
      return self_as_copy(s, [](zWString& a, const zWString& b) { a += b; });
    case 6:
      return self_as_copy(s, [k](zWString& a, const zWString& b) { a = b.c_str() + k; });
    case 7:
      if (in.ConsumeBool())
        return self_as_copy(s, [k](zWString& a, const zWString& b) { a.Insert(b, int(k)); });
      return self_as_copy(s,
                          [k, n](zWString& a, const zWString& b) { a.ReplaceSubString(k, n, b); });
    case 8:
      if (in.ConsumeBool())
        return self_as_copy(s, [&t](zWString& a, const zWString& b) { a.Replace(t, b); });
      return self_as_copy(s,
                          [k](zWString& a, const zWString& b) { a.replace(0, 1, b.c_str() + k); });
    case 9:
      if (s.size() > 1)
        self_as_copy(s, [k](zWString& a, const zWString& b) { a.ReplaceWChar(b[k / 2], b[k]); });
      return check_search(s, u, pos);
    case 10: {
      wchar_t set[] = {c, u.empty() ? L'a' : u[0], 0};
      const zWString once = zWString(s).Trim(c);
      FUZZ_REQUIRE(zWString(once).Trim(c) == once && s.Trim(c) == once && s == once);
      FUZZ_REQUIRE(s.stripString(set) == zWString(s).stripString(set) &&
                   zWString(s).stripString(set) == s);
      const zWString right = zWString(t).TrimRight(c);
      return FUZZ_REQUIRE(right.empty() || right[right.size() - 1] != c);
    }
    case 11: {  // for a separator other than NUL the join of a split is the text
      const std::vector<zWString> kept = s.ToStringList(c, true),
                                  dropped = s.ToStringList(c, false);
      if (c != L'\0') FUZZ_REQUIRE(zWString(kept, c) == s);
      for (const zWString& field : dropped)
        FUZZ_REQUIRE(!field.empty() && field.find(zWString(c)) == kNpos);
      return FUZZ_REQUIRE(
          kept.size() == 1 + static_cast<unsigned>(std::count(s.c_str(), s.c_str() + s.size(), c)));
    }
    case 12:
      return void(s.AlignLeftWithSize(in.ConsumeBool() ? in.ConsumeIntegralInRange(-3, 40)
                                                       : -in.ConsumeIntegral<std::uint16_t>()));
  }
  const int order = s.compare(t.getWStringData());
  FUZZ_REQUIRE(order == -t.compare(s.getWStringData()) && (order == 0) == (s == t));
  FUZZ_REQUIRE((s < t) == (order < 0) && (t < s) == (order > 0) && (s != t) == (order != 0));
  FUZZ_REQUIRE((s + t).getWStringData() == s.getWStringData() + t.getWStringData());
  t = zWString(u) + s(0, static_cast<int>(n));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  In in(data, size);
  zWString s(take_text(in)), t(take_text(in, 4));
  for (int n = 0; n < 32 && in.remaining_bytes() > 0; ++n) {
    step(s, t, in);
    FUZZ_REQUIRE(s.length() == s.getWStringData().size() && s.c_str()[s.size()] == 0);
    if (s.size() > 512) s.resize(128);  // self-appends double a text
  }
  return 0;
}

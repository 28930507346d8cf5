// zWString properties, no model: the length is the held text's and a NUL
// follows it; a position-checked edit throws exactly when the position lies
// past the end, and then changes nothing; an argument that is the string
// itself acts like a copy; a search result holds the pattern there; trims are
// idempotent; the join of a split is the text; order agrees with compare.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "zWString.h"

namespace {

using namespace zodode::fuzz;
using Edit = std::function<void(zWString&, const zWString&)>;

constexpr unsigned kNpos = 4294967295u;
const wchar_t kUnits[] = {L'a', L',', L' ', L'x', 0, 0xE9, 0xFFE9, 0xD83D, 0xDE00, 0x10FFFF};

std::wstring take_text(In& in, std::size_t most) {
  std::wstring t(in.ConsumeIntegralInRange<std::size_t>(0, most), L'\0');
  for (wchar_t& c : t) {
    c = in.ConsumeBool() ? in.PickValueInArray(kUnits)
                         : wchar_t(in.ConsumeIntegral<std::uint32_t>());
  }
  return t;
}

void step(zWString& s, zWString& t, In& in) {
  const unsigned pos = near_or_any(in, 0u, 16u), n = near_or_any(in, 0u, 16u);
  const unsigned k = pos % (s.size() + 1);
  const std::wstring u = take_text(in, 4);
  const wchar_t c = u.empty() ? L',' : u[0];
  const int kind = in.ConsumeIntegralInRange(0, 6);
  if (kind == 0) {  // the argument is t; pos may lie past the end
    const zWString before(s);
    const Edit edits[] = {[&](zWString& a, const zWString&) { a.erase(pos, n); },
                          [&](zWString& a, const zWString& b) { a.replace(pos, n, b); },
                          [&](zWString& a, const zWString& b) { a.Insert(b, int(pos)); },
                          [&](zWString& a, const zWString&) { a.Remove(pos, n); },
                          [&](zWString& a, const zWString&) { a.Remove(pos); },
                          [&](zWString& a, const zWString&) {
                            FUZZ_REQUIRE(a.substr(pos, n) == a(int(pos), int(n)).getWStringData());
                          }};
    try {
      in.PickValueInArray(edits)(s, t);
    } catch (const std::out_of_range& e) {
      return FUZZ_REQUIRE(pos > s.size() && s == before &&
                          std::string(e.what()) == "invalid string position");
    }
    return FUZZ_REQUIRE(pos <= before.size());
  }
  if (kind == 1) {  // the argument is s itself, or a copy of it
    const Edit edits[] = {[](zWString& a, const zWString& b) { a += b; },
                          [k](zWString& a, const zWString& b) { a = b.c_str() + k; },
                          [k](zWString& a, const zWString& b) { a.Insert(b, int(k)); },
                          [k, n](zWString& a, const zWString& b) { a.ReplaceSubString(k, n, b); },
                          [&t](zWString& a, const zWString& b) { a.Replace(t, b); },
                          [k](zWString& a, const zWString& b) { a.replace(0, 1, b.c_str() + k); },
                          [k](zWString& a, const zWString& b) { a.ReplaceWChar(b[k / 2], b[k]); }};
    const Edit& edit = in.PickValueInArray(edits);
    zWString copy(s);
    edit(copy, zWString(s));
    edit(s, s);
    return FUZZ_REQUIRE(s == copy);
  }
  if (kind == 2) {  // a search result holds the pattern, at or after (before) pos
    const unsigned found = s.find(zWString(u), pos), last = s.rfind(u, pos);
    FUZZ_REQUIRE(found == kNpos || (found >= pos && s.substr(found, u.size()) == u));
    FUZZ_REQUIRE(last == kNpos || (last <= pos && s.substr(last, u.size()) == u));
    FUZZ_REQUIRE(s.Index(zWString(u), pos) == int(found) &&
                 s.find(u.c_str(), pos) == s.find(zWString(u.c_str()), pos));
    FUZZ_REQUIRE(s.containsAt(u.c_str(), pos) == (s.find(u.c_str(), pos) == pos));
    const unsigned any = s.find_first_of(u.c_str(), pos), end = s.find_last_of(u.c_str(), pos);
    FUZZ_REQUIRE(any == kNpos || (any >= pos && u.find(s[any]) < std::wcslen(u.c_str())));
    return FUZZ_REQUIRE(end == kNpos || (end <= pos && u.find(s[end]) < std::wcslen(u.c_str())));
  }
  if (kind == 3) {  // trims are idempotent and leave no trimmed unit at an end
    wchar_t set[] = {c, L'a', 0};
    const zWString once = zWString(s).Trim(c), right = zWString(t).TrimRight(c);
    FUZZ_REQUIRE(zWString(once).Trim(c) == once && s.Trim(c) == once && s == once);
    FUZZ_REQUIRE(s.stripString(set) == zWString(s).stripString(set) &&
                 zWString(s).stripString(set) == s);
    return FUZZ_REQUIRE(right.empty() || right[right.size() - 1] != c);
  }
  if (kind == 4) {  // one field more than separators; the join of the split is the text
    const std::vector<zWString> kept = s.ToStringList(c, true), dropped = s.ToStringList(c, false);
    FUZZ_REQUIRE(kept.size() == 1 + unsigned(std::count(s.c_str(), s.c_str() + s.size(), c)));
    for (const zWString& field : dropped)
      FUZZ_REQUIRE(!field.empty() && field.find(zWString(c)) == kNpos);
    return FUZZ_REQUIRE(c == L'\0' || zWString(kept, c) == s);
  }
  if (kind == 5) return void(s.AlignLeftWithSize(in.ConsumeIntegralInRange(-3, 40)));
  const int order = s.compare(t.getWStringData());
  FUZZ_REQUIRE(order == -t.compare(s.getWStringData()) && (order == 0) == (s == t));
  FUZZ_REQUIRE((s < t) == (order < 0) && (t < s) == (order > 0) && (s != t) == (order != 0));
  FUZZ_REQUIRE((s + t).getWStringData() == s.getWStringData() + t.getWStringData());
  t = zWString(u) + s(0, static_cast<int>(n));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  In in(data, size);
  zWString s(take_text(in, 12)), t(take_text(in, 4));
  for (int n = 0; n < 32 && in.remaining_bytes() > 0; ++n) {
    step(s, t, in);
    FUZZ_REQUIRE(s.length() == s.getWStringData().size() && s.c_str()[s.size()] == 0);
    if (s.size() > 512) s.resize(128);  // self-appends double a text
  }
  return 0;
}

// zString and zSubString properties, no model: the length is strlen of the
// text; an argument that is the string itself acts like a copy; two ways to
// the same edit agree; trims are idempotent and leave no trimmed byte at an
// end; the join of a split is the text; order is consistent.
#include <cctype>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "zString.h"
#include "zSubString.h"

namespace {

using namespace zodode::fuzz;
using Edit = std::function<void(zString&, const zString&)>;

bool same(const zString& a, const zString& b) { return std::strcmp(a.data(), b.data()) == 0; }

void step(zString& s, zString& t, In& in) {
  const unsigned pos = near_or_any(in, 0u, 40u), n = near_or_any(in, 0u, 40u);
  const unsigned k = pos % (s.length() + 1);
  const char c = in.ConsumeIntegral<char>(), to = in.ConsumeIntegral<char>();
  const int kind = in.ConsumeIntegralInRange(0, 7);
  if (kind == 0) {  // the argument is s itself, or a copy of it
    const Edit edits[] = {
        [](zString& a, const zString& b) { a += b; },
        [k](zString& a, const zString& b) { a = b.data() + k; },
        [pos](zString& a, const zString& b) { a.Insert(b, int(pos)); },
        [&t](zString& a, const zString& b) { a.Replace(t, b); },
        [=](zString& a, const zString& b) { a(int(pos), int(n)) = b.data() + k; }};
    const Edit& edit = in.PickValueInArray(edits);
    zString copy(s);
    edit(copy, zString(s));
    edit(s, s);
    return FUZZ_REQUIRE(same(s, copy));
  }
  if (kind == 1) {  // Remove and an empty splice agree; a negative Insert does nothing
    zString viewed(s), inserted(s);
    viewed(int(pos), int(n)) = "";
    inserted.Insert(t, int(pos));
    FUZZ_REQUIRE(int(pos) >= 0 || same(inserted, s));
    FUZZ_REQUIRE(int(pos) < 0 || inserted(int(k), int(t.length())) == t.data() || k != pos);
    return FUZZ_REQUIRE(same(s.Remove(pos, n), viewed));
  }
  if (kind == 2) {
    const unsigned length = s.length();
    s.Replace(c, to);
    FUZZ_REQUIRE(c == '\0' || c == to || s.Index(c) == -1);
    return FUZZ_REQUIRE(to == '\0' || s.length() == length);
  }
  if (kind == 3) {  // trims are idempotent and leave no trimmed byte at an end
    const bool spaces = in.ConsumeBool();
    const auto trim = [&](zString& x) { spaces ? x.TrimSpace() : x.Trim(c); };
    const auto trimmed = [&](char b) {
      return spaces ? std::isspace(static_cast<unsigned char>(b)) != 0 : b == c;
    };
    trim(s);
    zString again(s);
    trim(again);
    FUZZ_REQUIRE(same(s, again));
    return FUZZ_REQUIRE(s.length() == 0 ||
                        (!trimmed(s.data()[0]) && !trimmed(s.data()[s.length() - 1])));
  }
  if (kind == 4) {
    const zString upper = static_cast<const zString&>(s).ToUpper();
    return FUZZ_REQUIRE(same(zString(s).ToUpper(), upper) && upper.length() == s.length());
  }
  if (kind == 5) {
    const unsigned length = s.length();
    const int width = in.ConsumeIntegralInRange(-3, 100);
    s.AlignLeftWithSize(width);
    return FUZZ_REQUIRE(s.length() == (width > int(length) ? unsigned(width) : length));
  }
  if (kind == 6) {  // the join of what a split kept is the text, bar a trailing separator
    const std::vector<zString> kept = s.ToStringList(c, true), dropped = s.ToStringList(c, false);
    zString cut(s);
    cut.Remove(s.length() - (c != '\0' && s.length() > 0 && s.data()[s.length() - 1] == c));
    FUZZ_REQUIRE(same(zString(kept, c), cut));
    for (const zString& field : dropped)
      FUZZ_REQUIRE(field.length() > 0 && (c == '\0' || field.Index(c) == -1));
    return;
  }
  // Exactly one of <, == and > holds.
  const bool less = s < t, greater = t < s, equal = s == t.data();
  FUZZ_REQUIRE(int(less) + int(greater) + int(equal) == 1 && equal == !(s != t.data()));
  FUZZ_REQUIRE(less == (s < std::string(t)) && same(s + t, zString(s) += t));
  t = s(int(k), int(n % 8));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  In in(data, size);
  zString s(in.ConsumeRandomLengthString(24).c_str()), t(in.ConsumeRandomLengthString(8).c_str());
  for (int n = 0; n < 32 && in.remaining_bytes() > 0; ++n) {
    step(s, t, in);
    FUZZ_REQUIRE(s.length() == std::strlen(s.data()));
    if (s.length() > 1024) s.Remove(256);  // self-appends double a text
  }
  return 0;
}

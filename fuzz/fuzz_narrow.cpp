// zString and zSubString properties, no model: after every step the length is
// strlen of the text; an argument that is the string itself acts like a copy;
// two ways to the same edit agree; trims are idempotent and leave no trimmed
// byte at the ends; joining a split gives the text back.
#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "zString.h"
#include "zSubString.h"

namespace {

using namespace zodode::fuzz;

zString take_text(In& in, std::size_t most = 24) {
  return zString(in.ConsumeRandomLengthString(most).c_str());
}

bool same(const zString& a, const zString& b) { return std::strcmp(a.data(), b.data()) == 0; }

// Runs edit(s, s) and edit(copy, copy of s): the results must agree.
template <typename Edit>
void self_as_copy(zString& s, Edit edit) {
  zString copy(s);
  const zString arg(s);
  edit(s, s);
  edit(copy, arg);
  FUZZ_REQUIRE(same(s, copy));
}

void step(zString& s, zString& t, In& in) {
  const unsigned pos = near_or_any(in, 0u, 40u), n = near_or_any(in, 0u, 40u);
  const unsigned k = s.length() == 0 ? 0 : pos % (s.length() + 1);
  const char c = in.ConsumeIntegral<char>(), to = in.ConsumeIntegral<char>();
  switch (in.ConsumeIntegralInRange(0, 12)) {
    case 0:
      return self_as_copy(s, [](zString& a, const zString& b) { a += b; });
    case 1:
      return self_as_copy(s, [k](zString& a, const zString& b) { a = b.data() + k; });
    case 2: {  // a negative position inserts nothing
      const zString before(s);
      self_as_copy(s, [pos](zString& a, const zString& b) { a.Insert(b, static_cast<int>(pos)); });
      return FUZZ_REQUIRE(static_cast<int>(pos) >= 0 || same(s, before));
    }
    case 3:
      return self_as_copy(s, [&t](zString& a, const zString& b) { a.Replace(t, b); });
    case 4:
      return self_as_copy(
          s, [=](zString& a, const zString& b) { a(int(pos), int(n)) = b.data() + k; });
    case 5: {  // Remove and an empty splice through a view are the same edit
      zString viewed(s);
      viewed(static_cast<int>(pos), static_cast<int>(n)) = "";
      return FUZZ_REQUIRE(same(s.Remove(pos, n), viewed));
    }
    case 6: {  // an insert is read back through a view at its place
      const unsigned at = s.length() == 0 ? 0 : pos % (s.length() + 1);
      s.Insert(t, static_cast<int>(at));
      return FUZZ_REQUIRE(s(static_cast<int>(at), static_cast<int>(t.length())) == t.data());
    }
    case 7: {
      const unsigned length = s.length();
      s.Replace(c, to);
      if (c != '\0' && c != to) FUZZ_REQUIRE(s.Index(c) == -1);
      return FUZZ_REQUIRE(to == '\0' || s.length() == length);
    }
    case 8: {
      const zString before(s);
      const bool spaces = in.ConsumeBool();
      const auto trim = [&](zString& x) { spaces ? x.TrimSpace() : x.Trim(c); };
      trim(s);
      const zString once(s);
      trim(s);
      FUZZ_REQUIRE(same(s, once) && s.length() <= before.length());
      if (s.length() == 0) return;
      const auto trimmed = [&](char b) {
        return spaces ? std::isspace(static_cast<unsigned char>(b)) != 0 : b == c;
      };
      return FUZZ_REQUIRE(!trimmed(s.data()[0]) && !trimmed(s.data()[s.length() - 1]));
    }
    case 9: {
      const zString& cs = s;
      const zString upper = cs.ToUpper(), lower = cs.ToLower();
      FUZZ_REQUIRE(same(zString(s).ToUpper(), upper) && same(zString(s).ToLower(), lower));
      return FUZZ_REQUIRE(upper.length() == s.length() && lower.length() == s.length());
    }
    case 10: {
      const unsigned length = s.length();
      const int width = in.ConsumeBool() ? in.ConsumeIntegralInRange(-3, 100)
                                         : -in.ConsumeIntegral<std::uint16_t>();
      s.AlignLeftWithSize(width);
      return FUZZ_REQUIRE(s.length() == (width > int(length) ? unsigned(width) : length));
    }
    case 11: {  // joining what a split kept gives the text back, bar a trailing separator
      const zString text(s);
      const std::vector<zString> kept = s.ToStringList(c, true), dropped = s.ToStringList(c, false);
      const unsigned trailing =
          c != '\0' && text.length() > 0 && text.data()[text.length() - 1] == c;
      zString joined(kept, c), cut(text);
      cut.Remove(text.length() - trailing);
      FUZZ_REQUIRE(same(joined, cut));
      for (const zString& field : dropped)
        FUZZ_REQUIRE(field.length() > 0 && (c == '\0' || field.Index(c) == -1));
      return;
    }
  }
  // Order: exactly one of <, == and > holds, and a < b is b > a.
  const bool less = s < t, greater = t < s, equal = s == t.data();
  FUZZ_REQUIRE(int(less) + int(greater) + int(equal) == 1 && equal == !(s != t.data()));
  FUZZ_REQUIRE(less == (s < std::string(t)) && same(s + t, zString(s) += t));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  In in(data, size);
  zString s = take_text(in), t = take_text(in, 8);
  for (int n = 0; n < 32 && in.remaining_bytes() > 0; ++n) {
    step(s, t, in);
    FUZZ_REQUIRE(s.length() == std::strlen(s.data()));
    if (s.length() > 1024) s.Remove(256);  // self-appends double a text
  }
  return 0;
}

// String properties, no model. zString and zSubString: the length is strlen
// of the text; an argument that is the string itself acts like a copy; two
// ways to the same edit agree; trims are idempotent and leave no trimmed byte
// at an end; the join of a split is the text; Base64 decodes back, in its
// lines. zWString: the length is the held text's and a NUL follows it; a
// position-checked edit throws exactly when the position lies past the end,
// and then changes nothing; the string itself as argument acts like a copy;
// trims are idempotent; the join of a split is the text.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "zString.h"
#include "zSubString.h"
#include "zWString.h"

namespace {

using namespace zodode::fuzz;

using Edit = std::function<void(zString&, const zString&)>;

bool same(const zString& a, const zString& b) { return std::strcmp(a.data(), b.data()) == 0; }

// The bytes of Base64 text whose lines are 76 characters, each followed by a
// line feed but for a shorter last one; the inverse of the encoding, not a
// second encoder. A foreign character, a misplaced '=' or line fails.
std::vector<unsigned char> decode_base64(const std::string& text) {
  static const std::string kDigits =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=";
  std::vector<unsigned char> out;
  for (std::size_t i = 0, group = 0; i < text.size(); i += 4, ++group) {
    if (group % 19 == 0 && group > 0) FUZZ_REQUIRE(text[i++] == '\n');
    if (i == text.size()) break;
    FUZZ_REQUIRE(i + 4 <= text.size());
    std::uint32_t bits = 0, pad = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      const std::size_t digit = kDigits.find(text[i + k]);
      FUZZ_REQUIRE(digit < 64
                       ? pad == 0
                       : digit == 64 && k >= 2 && i + 4 == text.size() - (text.back() == '\n'));
      pad += digit == 64;
      bits = bits << 6 | (digit & 63);
    }
    for (std::uint32_t k = 0; k < 3 - pad; ++k)
      out.push_back(static_cast<unsigned char>(bits >> (16 - 8 * k)));
  }
  const std::size_t groups = (out.size() + 2) / 3;  // a line feed after every 19th
  FUZZ_REQUIRE(text.size() == groups * 4 + groups / 19);
  return out;
}

void narrow_step(zString& s, zString& t, In& in) {
  const unsigned pos = near_or_any(in, 0u, 40u), n = near_or_any(in, 0u, 40u);
  const unsigned k = pos % (s.length() + 1);
  const char c = in.ConsumeIntegral<char>(), to = in.ConsumeIntegral<char>();
  const int kind = in.ConsumeIntegralInRange(0, 6);
  if (kind == 0) {  // the argument is s itself, or a copy of it
    const Edit edits[] = {
        [](zString& a, const zString& b) { a += b; },
        [k](zString& a, const zString& b) { a = b.data() + k; },
        [pos](zString& a, const zString& b) { a.Insert(b, int(pos)); },
        [&t](zString& a, const zString& b) { a.Replace(t, b); },
        [=](zString& a, const zString& b) { a(int(pos), int(n)) = b.data() + k; },
        [](zString& a, const zString& b) { a.base64((unsigned char*)b.data(), long(b.length())); }};
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
  if (kind == 4) {  // the join of what a split kept is the text, bar a trailing separator
    const std::vector<zString> kept = s.ToStringList(c, true), dropped = s.ToStringList(c, false);
    zString cut(s);
    cut.Remove(s.length() - (c != '\0' && s.length() > 0 && s.data()[s.length() - 1] == c));
    FUZZ_REQUIRE(same(zString(kept, c), cut));
    for (const zString& field : dropped)
      FUZZ_REQUIRE(field.length() > 0 && (c == '\0' || field.Index(c) == -1));
    return;
  }
  if (kind == 5) {  // Base64 of any bytes decodes back; a length of 0 or less gives ""
    std::vector<unsigned char> bytes =
        in.ConsumeBytes<unsigned char>(in.ConsumeIntegralInRange(0, 400));
    const long length = in.ConsumeBool() ? long(bytes.size()) : -long(bytes.size());
    const zString result = s.base64(bytes.data(), length);
    FUZZ_REQUIRE(same(result, s) &&
                 (length > 0 ? decode_base64(s.data()) == bytes : s.length() == 0));
    return void(s.Remove(64));
  }
  FUZZ_REQUIRE(same(s + t, zString(s) += t));
  t = s(int(k), int(n % 8));
}

using WideEdit = std::function<void(zWString&, const zWString&)>;

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

void wide_step(zWString& s, zWString& t, In& in) {
  const unsigned pos = near_or_any(in, 0u, 16u), n = near_or_any(in, 0u, 16u);
  const unsigned k = pos % (s.size() + 1);
  const std::wstring u = take_text(in, 4);
  const wchar_t c = u.empty() ? L',' : u[0];
  const int kind = in.ConsumeIntegralInRange(0, 4);
  if (kind == 0) {  // the argument is t; pos may lie past the end
    const zWString before(s);
    const WideEdit edits[] = {
        [&](zWString& a, const zWString&) { a.erase(pos, n); },
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
    const WideEdit edits[] = {
        [](zWString& a, const zWString& b) { a += b; },
        [k](zWString& a, const zWString& b) { a = b.c_str() + k; },
        [k](zWString& a, const zWString& b) { a.Insert(b, int(k)); },
        [k, n](zWString& a, const zWString& b) { a.ReplaceSubString(k, n, b); },
        [&t](zWString& a, const zWString& b) { a.Replace(t, b); },
        [k](zWString& a, const zWString& b) { a.replace(0, 1, b.c_str() + k); },
        [k](zWString& a, const zWString& b) { a.ReplaceWChar(b[k / 2], b[k]); }};
    const WideEdit& edit = in.PickValueInArray(edits);
    zWString copy(s);
    edit(copy, zWString(s));
    edit(s, s);
    return FUZZ_REQUIRE(s == copy);
  }
  if (kind == 2) {  // trims are idempotent and leave no trimmed unit at an end
    wchar_t set[] = {c, L'a', 0};
    const zWString once = zWString(s).Trim(c), right = zWString(t).TrimRight(c);
    FUZZ_REQUIRE(zWString(once).Trim(c) == once && s.Trim(c) == once && s == once);
    FUZZ_REQUIRE(s.stripString(set) == zWString(s).stripString(set) &&
                 zWString(s).stripString(set) == s);
    return FUZZ_REQUIRE(right.empty() || right[right.size() - 1] != c);
  }
  if (kind == 3) {  // one field more than separators; the join of the split is the text
    const std::vector<zWString> kept = s.ToStringList(c, true), dropped = s.ToStringList(c, false);
    FUZZ_REQUIRE(kept.size() == 1 + unsigned(std::count(s.c_str(), s.c_str() + s.size(), c)));
    for (const zWString& field : dropped)
      FUZZ_REQUIRE(!field.empty() && field.find(zWString(c)) == kNpos);
    return FUZZ_REQUIRE(c == L'\0' || zWString(kept, c) == s);
  }
  FUZZ_REQUIRE((s + t).getWStringData() == s.getWStringData() + t.getWStringData());
  t = zWString(u) + s(0, static_cast<int>(n));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  In in(data, size);
  if (in.ConsumeBool()) {
    zString s(in.ConsumeRandomLengthString(24).c_str()), t(in.ConsumeRandomLengthString(8).c_str());
    for (int n = 0; n < 32 && in.remaining_bytes() > 0; ++n) {
      narrow_step(s, t, in);
      FUZZ_REQUIRE(s.length() == std::strlen(s.data()));
      if (s.length() > 1024) s.Remove(256);  // self-appends double a text
    }
    return 0;
  }
  zWString s(take_text(in, 12)), t(take_text(in, 4));
  for (int n = 0; n < 32 && in.remaining_bytes() > 0; ++n) {
    wide_step(s, t, in);
    FUZZ_REQUIRE(s.length() == s.getWStringData().size() && s.c_str()[s.size()] == 0);
    if (s.size() > 512) s.resize(128);
  }
  return 0;
}

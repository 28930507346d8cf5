// Every allocating operation of zString, zSubString, zWString and the
// encodings runs once per allocation it makes, that allocation refused. The
// refusal must reach the caller as std::bad_alloc, every string must keep its
// text (a narrow one its very buffer), and nothing may leak.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "alloc_harness.h"
#include "zString.h"
#include "zSubString.h"
#include "zWString.h"

namespace {

using zodode::testing::run_failure_rounds;

constexpr char kText[] = "Hello, World; one two three";
// Longer than any short-string buffer, so that copies allocate.
const wchar_t kWide[] = L"Hello, wide World; one two three";
const wchar_t kOther[] = L"wide World, and more than a few units";
const wchar_t kEncoded[] = L"Gr\x00fc\x00df Gott: \x20ac 100, \xfeff caf\x00e9 and some more text";
constexpr char kFormerOut[] = "former text of the output string";
const unsigned short kUtf16[] = {0x48, 0xD83D, 0xDE00, 0x69, 0x20, 0x77, 0x6F, 0x72, 0x6C,
                                 0x64, 0x21,   0x21,   0x21, 0x21, 0x21, 0x21, 0};
wchar_t kSet[] = L" ,;eo";
wchar_t kSemicolon[] = L";";

// The strings operated on or passed as arguments; `s` may start without buffer.
struct Subject {
  explicit Subject(bool empty) : text(empty ? "" : kText) {
    if (!empty) s = kText;
    buffer = s.data();
  }
  // What changed ("" when nothing did).
  std::string changes() const {
    if (s != text) return std::string("text became \"") + s.data() + "\"";
    if (s.data() != buffer) return "same text, but in a new buffer";
    if (other != "lo, X" || wother.getWStringData() != kOther) return "the argument changed";
    if (w.getWStringData() != kWide || enc.getWStringData() != kEncoded) return "wide text changed";
    if (out != kFormerOut) return std::string("the output became \"") + out.data() + "\"";
    return "";
  }
  const char* text;
  zString s, other{"lo, X"}, out{kFormerOut};
  const char* buffer = nullptr;
  zWString w{kWide}, wother{kOther}, enc{kEncoded};
};

struct Case {
  const char* name;
  void (*op)(Subject&);
};
// A table row named by its own code.
#define OP(...) (Case{#__VA_ARGS__, []([[maybe_unused]] Subject& x) { __VA_ARGS__; }})

void expect_failure_safe(std::initializer_list<Case> cases, bool empty = false) {
  for (const Case& c : cases) {
    long points = 0;
    const std::string problems = run_failure_rounds(
        [empty] { return Subject(empty); }, c.op,
        [](const Subject& x, bool threw) { return threw ? x.changes() : "no std::bad_alloc"; },
        &points);
    EXPECT_TRUE(empty || points > 0) << c.name << ": allocates nothing";
    EXPECT_EQ("", problems) << c.name;
  }
}

const std::initializer_list<Case> kNarrowEditors = {
    OP(x.s = x.other),
    OP(x.s = "replacement"),
    OP(x.s = x.s.data() + (x.s.length() > 3 ? 3 : 0)),
    OP(x.s = std::string(30, 'z')),
    OP(x.s = 42),
    OP(x.s = 0.75),
    OP(x.s += "more"),
    OP(x.s += std::string("more")),
    OP(x.s += x.other),
    OP(x.s += x.s),
    OP(x.s += -7),
    OP(x.s += 2.5),
    OP(x.s.Replace(x.other, "__")),
    OP(x.s.Replace(zString("World"), x.s)),
    OP(x.s.Insert(x.other, 4)),
    OP(x.s.Insert(x.s, 1)),
    OP(x.s.Insert(x.other, 1000)),
    OP(x.s.Remove(5)),
    OP(x.s.Remove(2, 4)),
    OP(x.s.AlignLeftWithSize(77)),
    OP(x.s(7, 5) = "There and"),
    OP(x.s(5, 0) = ","),
    OP(x.s(0, 2) = x.s.data() + x.s.length() / 2),
    OP(x.s(1, 2) = x.other(0, 2))};

TEST(NarrowAllocationFailure, BuildersLeaveTheSubjectAndLeakNothing) {
  expect_failure_safe(
      {OP(zString c(x.s)), OP(zString c("abc")), OP(zString c(std::string(40, 'x'))),
       OP(zString c(-123)), OP(zString c(4294967295ul)),
       OP(zString c(static_cast<__int64>(-4611686018427387904LL))), OP(zString c(1.0 / 3, true)),
       OP(std::string c = x.s), OP(zString c = x.s + "tail"),
       OP(zString c = x.s + std::string(20, 'y')), OP(zString c = x.s + x.other),
       OP(zString c = x.s + x.s), OP(zString c = static_cast<const zString&>(x.s).ToUpper()),
       OP(zString c = static_cast<const zString&>(x.s).ToLower()),
       OP(auto l = x.s.ToStringList(' ', true)), OP(auto l = x.s.ToStringList('o', false)),
       OP(zString c(std::vector<zString>{x.s, x.other, "x"}, ';')),
       OP(zString c = x.s(3, 6).data())});
}

TEST(NarrowAllocationFailure, EditorsKeepTheTextAndItsBuffer) {
  expect_failure_safe(kNarrowEditors);
}

TEST(NarrowAllocationFailure, EditorsOnAStringWithoutBufferKeepItEmpty) {
  expect_failure_safe(kNarrowEditors, true);
}

// The working storage of the encoding is the one allocation whose failure the
// caller does not see: the string and the result are then empty. Any other
// refusal reaches the caller as std::bad_alloc with the string as it was.
TEST(NarrowAllocationFailure, Base64WithoutWorkingStorageGivesEmptyTexts) {
  unsigned char bytes[100];
  for (int i = 0; i < 100; ++i) bytes[i] = static_cast<unsigned char>(i * 7);
  for (long length : {-1L, 0L, 1L, 57L, 100L}) {
    bool result_empty = true;
    long points = 0;
    const std::string problems = run_failure_rounds(
        [] { return Subject(false); },
        [&](Subject& x) { result_empty = x.s.base64(bytes, length).length() == 0; },
        [&](const Subject& x, bool threw) -> std::string {
          if (threw) return x.changes();
          return x.s == "" && result_empty ? "" : "no std::bad_alloc, yet a non-empty text";
        },
        &points);
    EXPECT_GT(points, 0) << length;
    EXPECT_EQ("", problems) << "length " << length;
  }
}

TEST(WideAllocationFailure, BuildersLeaveTheSubjectAndLeakNothing) {
  expect_failure_safe({OP(zWString c(x.w)),
                       OP(zWString c(std::wstring(40, L'x'))),
                       OP(zWString c(kOther)),
                       OP(zWString c(kUtf16)),
                       OP(zWString c(-1234567890L)),
                       OP(zWString c(static_cast<__int64>(-1234567890123456789LL))),
                       OP(zWString c(1.0 / 3, true)),
                       OP(zWString c(1e20, 'f', 30)),
                       OP(std::wstring c = x.w.getWStringData()),
                       OP(std::wstring c = x.w.substr(2, 20)),
                       OP(zWString c = x.w(1, 25)),
                       OP(zWString c = x.w + L"tail"),
                       OP(zWString c = x.w + x.wother),
                       OP(zWString c = x.w + 0.5),
                       OP(zWString c = L"head" + x.w),
                       OP(zWString c = x.w.TrimRight(L'e')),
                       OP(zWString c = x.w.lowerCase()),
                       OP(zWString c = x.w.upperCase()),
                       OP(auto l = x.w.ToStringList(L' ', true)),
                       OP(auto l = x.w.ToStringList(L'o', false)),
                       OP(zWString c(std::vector<zWString>{x.w, x.wother, x.w}, L';'))});
}

TEST(WideAllocationFailure, EditorsKeepTheText) {
  expect_failure_safe(
      {OP(x.w = x.wother), OP(x.w = kOther), OP(x.w = kUtf16), OP(x.w += x.wother), OP(x.w += x.w),
       OP(x.w += L'x'), OP(x.w += 0.25), OP(x.w << L"streamed text"), OP(x.w << false),
       OP(x.w.append(30, L'y')), OP(x.w.assign(50, 'z')), OP(x.w.resize(100)),
       OP(x.w.replace(3, 2, x.wother)), OP(x.w.replace(3, 2, kOther)),
       OP(x.w.replace(3, 2, std::wstring(kOther))), OP(x.w.Insert(x.wother, 4)),
       OP(x.w.Insert(x.w, 1)), OP(x.w.Replace(zWString(L"wide"), x.wother)),
       OP(x.w.Replace(zWString(L"World"), x.w)), OP(x.w.ReplaceSubString(2, 5, x.wother)),
       OP(x.w.ReplaceSubString(2, 5, x.w)), OP(x.w.AlignLeftWithSize(77)),
       // These shorten the string and return a copy; the copy comes first.
       OP(zWString c = x.w.Trim(L'H')), OP(zWString c = x.w.TrimSpace()),
       OP(zWString c = x.w.stripString(kSet)), OP(zWString c = x.w.NextToken(kSemicolon))});
}

TEST(EncodingAllocationFailure, ConversionsKeepTheirSubjectsAndLeakNothing) {
  expect_failure_safe(
      {OP(zString c = x.enc.toUtf8()), OP(zString c = x.enc.toLatin1()),
       OP(zWString c = zWString::fromUtf8(zString("caf\xc3\xa9 \xe2\x82\xac and more"))),
       OP(zWString c = zWString::fromLatin1(zString("caf\xe9 \x80 and more text"))),
       OP(x.enc.toASCII(x.enc.size(), x.out)), OP(zWString c = x.enc.toRTFW()),
       OP(zString c = x.enc.toRTF())});
}

}  // namespace

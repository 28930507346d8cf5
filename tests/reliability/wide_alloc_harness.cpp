// zWString under allocation failure: every allocating member is run once per
// allocation it makes, that allocation refused. std::bad_alloc must reach the
// caller, nothing may leak, and the string operated on must keep its text.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "failure_rounds.h"
#include "zString.h"
#include "zWString.h"

namespace {

using zodode::testing::run_failure_rounds;

// Longer than any short-string buffer, so that copies allocate.
const wchar_t kText[] = L"Hello, wide World; one two three";
const wchar_t kOther[] = L"wide World, and more than a few units";

struct Wide {
  Wide() : w(kText), other(kOther) {}
  zWString w;
  zWString other;
};

struct WideCase {
  const char* name;
  std::function<void(Wide&)> op;
};

std::string wide_judge(const Wide& s, bool threw) {
  if (!threw) return "no std::bad_alloc";
  if (s.w.getWStringData() != kText) return "the text changed";
  if (s.other.getWStringData() != kOther) return "the argument changed";
  return "";
}

void expect_failure_safe(const WideCase& c) {
  const auto rounds = run_failure_rounds([] { return Wide(); }, c.op, wide_judge);
  EXPECT_GT(rounds.failure_points, 0) << c.name << ": allocates nothing";
  EXPECT_EQ("", rounds.problems) << c.name;
}

wchar_t kSet[] = L" ,;eo";

const unsigned short kUtf16[] = {0x48, 0xD83D, 0xDE00, 0x69, 0x20, 0x77, 0x6F, 0x72, 0x6C,
                                 0x64, 0x21,   0x21,   0x21, 0x21, 0x21, 0x21, 0};

// Operations that build new objects and leave the subject alone.
const WideCase kBuilders[] = {
    {"copy construction", [](Wide& s) { zWString c(s.w); }},
    {"construction from std::wstring", [](Wide&) { zWString c(std::wstring(40, L'x')); }},
    {"construction from const wchar_t*", [](Wide&) { zWString c(kOther); }},
    {"construction from UTF-16", [](Wide&) { zWString c(kUtf16); }},
    {"construction from long", [](Wide&) { zWString c(-1234567890L); }},
    {"construction from __int64",
     [](Wide&) { zWString c(static_cast<__int64>(-1234567890123456789LL)); }},
    {"construction from double", [](Wide&) { zWString c(1.0 / 3, true); }},
    {"construction from double by format", [](Wide&) { zWString c(1e20, 'f', 30); }},
    {"getWStringData", [](Wide& s) { std::wstring c = s.w.getWStringData(); }},
    {"substr", [](Wide& s) { std::wstring c = s.w.substr(2, 20); }},
    {"operator()", [](Wide& s) { zWString c = s.w(1, 25); }},
    {"operator+ const wchar_t*", [](Wide& s) { zWString c = s.w + L"tail"; }},
    {"operator+ zWString", [](Wide& s) { zWString c = s.w + s.other; }},
    {"operator+ double", [](Wide& s) { zWString c = s.w + 0.5; }},
    {"free operator+", [](Wide& s) { zWString c = L"head" + s.w; }},
    {"TrimRight", [](Wide& s) { zWString c = s.w.TrimRight(L'e'); }},
    {"lowerCase", [](Wide& s) { zWString c = s.w.lowerCase(); }},
    {"upperCase", [](Wide& s) { zWString c = s.w.upperCase(); }},
    {"ToStringList keeping empty", [](Wide& s) { auto l = s.w.ToStringList(L' ', true); }},
    {"ToStringList dropping empty", [](Wide& s) { auto l = s.w.ToStringList(L'o', false); }},
    {"join",
     [](Wide& s) {
       zWString c(std::vector<zWString>{s.w, s.other, s.w}, L';');
     }},
};

// Operations that change the subject.
wchar_t kSemicolon[] = L";";

const WideCase kEditors[] = {
    {"operator= zWString", [](Wide& s) { s.w = s.other; }},
    {"operator= const wchar_t*", [](Wide& s) { s.w = kOther; }},
    {"operator= UTF-16", [](Wide& s) { s.w = kUtf16; }},
    {"operator+= zWString", [](Wide& s) { s.w += s.other; }},
    {"operator+= itself", [](Wide& s) { s.w += s.w; }},
    {"operator+= unit", [](Wide& s) { s.w += L'x'; }},
    {"operator+= double", [](Wide& s) { s.w += 0.25; }},
    {"operator<< text", [](Wide& s) { s.w << L"streamed text"; }},
    {"operator<< bool", [](Wide& s) { s.w << false; }},
    {"append", [](Wide& s) { s.w.append(30, L'y'); }},
    {"assign", [](Wide& s) { s.w.assign(50, 'z'); }},
    {"resize", [](Wide& s) { s.w.resize(100); }},
    {"replace zWString", [](Wide& s) { s.w.replace(3, 2, s.other); }},
    {"replace const wchar_t*", [](Wide& s) { s.w.replace(3, 2, kOther); }},
    {"replace std::wstring", [](Wide& s) { s.w.replace(3, 2, std::wstring(kOther)); }},
    {"Insert", [](Wide& s) { s.w.Insert(s.other, 4); }},
    {"Insert itself", [](Wide& s) { s.w.Insert(s.w, 1); }},
    {"Replace", [](Wide& s) { s.w.Replace(zWString(L"wide"), s.other); }},
    {"Replace by itself", [](Wide& s) { s.w.Replace(zWString(L"World"), s.w); }},
    {"ReplaceSubString", [](Wide& s) { s.w.ReplaceSubString(2, 5, s.other); }},
    {"ReplaceSubString by itself", [](Wide& s) { s.w.ReplaceSubString(2, 5, s.w); }},
    {"AlignLeftWithSize", [](Wide& s) { s.w.AlignLeftWithSize(77); }},
    // These shorten the string and return a copy; the copy comes first.
    {"Trim", [](Wide& s) { zWString c = s.w.Trim(L'H'); }},
    {"TrimSpace", [](Wide& s) { zWString c = s.w.TrimSpace(); }},
    {"stripString", [](Wide& s) { zWString c = s.w.stripString(kSet); }},
    {"NextToken", [](Wide& s) { zWString c = s.w.NextToken(kSemicolon); }},
};

TEST(WideAllocationFailure, BuildersLeaveTheSubjectAndLeakNothing) {
  for (const WideCase& c : kBuilders) expect_failure_safe(c);
}

TEST(WideAllocationFailure, EditorsKeepTheText) {
  for (const WideCase& c : kEditors) expect_failure_safe(c);
}

}  // namespace

// zString and zSubString under allocation failure: every allocating operation
// is run once per allocation it makes, that allocation refused. The refusal
// must reach the caller as std::bad_alloc, the string operated on must keep
// its text in its very buffer, and nothing may leak.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "failure_rounds.h"
#include "zString.h"
#include "zSubString.h"

namespace {

using zodode::testing::run_failure_rounds;

constexpr char kText[] = "Hello, World; one two three";

// The string operated on, a second string to pass as an argument, and the
// buffer the first one held before the operation.
struct Narrow {
  Narrow() : other("lo, X"), buffer(s.data()) {}
  explicit Narrow(const char* text) : s(text), other("lo, X"), buffer(s.data()) {}
  zString s;
  zString other;
  const char* buffer;
};

struct NarrowCase {
  const char* name;
  std::function<void(Narrow&)> op;
};

std::string narrow_judge(const Narrow& n, bool threw, const char* text) {
  if (!threw) return "no std::bad_alloc";
  if (n.s != text) return std::string("text became \"") + n.s.data() + "\"";
  if (n.s.data() != n.buffer) return "same text, but in a new buffer";
  if (n.other != "lo, X") return "the argument changed";
  return "";
}

void expect_failure_safe(const NarrowCase& c, const char* text = kText) {
  const auto rounds = run_failure_rounds(
      [text] { return Narrow(text); }, c.op,
      [text](const Narrow& n, bool threw) { return narrow_judge(n, threw, text); });
  EXPECT_GT(rounds.failure_points, 0) << c.name << ": allocates nothing";
  EXPECT_EQ("", rounds.problems) << c.name;
}

// Operations that build a new object and leave the subject alone.
const NarrowCase kBuilders[] = {
    {"copy construction", [](Narrow& n) { zString c(n.s); }},
    {"construction from const char*", [](Narrow&) { zString c("abc"); }},
    {"construction from std::string", [](Narrow&) { zString c(std::string(40, 'x')); }},
    {"construction from int", [](Narrow&) { zString c(-123); }},
    {"construction from unsigned long", [](Narrow&) { zString c(4294967295ul); }},
    {"construction from __int64",
     [](Narrow&) { zString c(static_cast<__int64>(-4611686018427387904LL)); }},
    {"construction from double", [](Narrow&) { zString c(1.0 / 3, true); }},
    {"operator std::string", [](Narrow& n) { std::string c = n.s; }},
    {"operator+ const char*", [](Narrow& n) { zString c = n.s + "tail"; }},
    {"operator+ std::string", [](Narrow& n) { zString c = n.s + std::string(20, 'y'); }},
    {"operator+ zString", [](Narrow& n) { zString c = n.s + n.other; }},
    {"operator+ itself", [](Narrow& n) { zString c = n.s + n.s; }},
    {"ToUpper const", [](Narrow& n) { zString c = static_cast<const zString&>(n.s).ToUpper(); }},
    {"ToLower const", [](Narrow& n) { zString c = static_cast<const zString&>(n.s).ToLower(); }},
    {"ToStringList keeping empty", [](Narrow& n) { auto l = n.s.ToStringList(' ', true); }},
    {"ToStringList dropping empty", [](Narrow& n) { auto l = n.s.ToStringList('o', false); }},
    {"join",
     [](Narrow& n) {
       zString c(std::vector<zString>{n.s, n.other, "x"}, ';');
     }},
    {"view data", [](Narrow& n) { zString c = n.s(3, 6).data(); }},
};

// Operations that change the subject.
const NarrowCase kEditors[] = {
    {"operator= zString", [](Narrow& n) { n.s = n.other; }},
    {"operator= const char*", [](Narrow& n) { n.s = "replacement"; }},
    {"operator= own tail", [](Narrow& n) { n.s = n.s.data() + (n.s.length() > 3 ? 3 : 0); }},
    {"operator= std::string", [](Narrow& n) { n.s = std::string(30, 'z'); }},
    {"operator= int", [](Narrow& n) { n.s = 42; }},
    {"operator= double", [](Narrow& n) { n.s = 0.75; }},
    {"operator+= const char*", [](Narrow& n) { n.s += "more"; }},
    {"operator+= std::string", [](Narrow& n) { n.s += std::string("more"); }},
    {"operator+= zString", [](Narrow& n) { n.s += n.other; }},
    {"operator+= itself", [](Narrow& n) { n.s += n.s; }},
    {"operator+= int", [](Narrow& n) { n.s += -7; }},
    {"operator+= double", [](Narrow& n) { n.s += 2.5; }},
    {"Replace text", [](Narrow& n) { n.s.Replace(n.other, "__"); }},
    {"Replace by itself", [](Narrow& n) { n.s.Replace(zString("World"), n.s); }},
    {"Insert", [](Narrow& n) { n.s.Insert(n.other, 4); }},
    {"Insert itself", [](Narrow& n) { n.s.Insert(n.s, 1); }},
    {"Insert past the end", [](Narrow& n) { n.s.Insert(n.other, 1000); }},
    {"Remove tail", [](Narrow& n) { n.s.Remove(5); }},
    {"Remove range", [](Narrow& n) { n.s.Remove(2, 4); }},
    {"AlignLeftWithSize", [](Narrow& n) { n.s.AlignLeftWithSize(77); }},
    {"view assignment of text", [](Narrow& n) { n.s(7, 5) = "There"; }},
    {"view insertion", [](Narrow& n) { n.s(5, 0) = ","; }},
    {"view assignment of own text", [](Narrow& n) { n.s(0, 2) = n.s.data() + n.s.length() / 2; }},
    {"view assignment of a view", [](Narrow& n) { n.s(1, 2) = n.other(0, 2); }},
};

TEST(NarrowAllocationFailure, BuildersLeaveTheSubjectAndLeakNothing) {
  for (const NarrowCase& c : kBuilders) expect_failure_safe(c);
}

TEST(NarrowAllocationFailure, EditorsKeepTheTextAndItsBuffer) {
  for (const NarrowCase& c : kEditors) expect_failure_safe(c);
}

TEST(NarrowAllocationFailure, EditorsOnAStringWithoutBufferKeepItEmpty) {
  for (const NarrowCase& c : kEditors) {
    const auto rounds =
        run_failure_rounds([] { return Narrow(); }, c.op,
                           [](const Narrow& n, bool threw) { return narrow_judge(n, threw, ""); });
    EXPECT_EQ("", rounds.problems) << c.name;
  }
}

// The working storage of the encoding is the one allocation whose failure the
// caller does not see: the string and the result are then empty. The copy
// returned is made once the string holds the encoded text, and how a refusal
// of that copy leaves the string is left open by the class's contract (the
// heap's refusals of the buffer copies); either the former text or the
// encoded one is accepted there.
TEST(NarrowAllocationFailure, Base64WithoutWorkingStorageGivesEmptyTexts) {
  unsigned char bytes[100];
  for (int i = 0; i < 100; ++i) bytes[i] = static_cast<unsigned char>(i * 7);
  for (long length : {-1L, 0L, 1L, 57L, 100L}) {
    const zString encoded = zString().base64(bytes, length);
    bool result_empty = true;
    const auto rounds = run_failure_rounds([] { return Narrow(kText); },
                                           [&](Narrow& n) {
                                             const zString result = n.s.base64(bytes, length);
                                             result_empty = result.length() == 0;
                                           },
                                           [&](const Narrow& n, bool threw) -> std::string {
                                             if (threw && n.s == encoded) return "";
                                             if (threw) return narrow_judge(n, threw, kText);
                                             if (n.s != "" || !result_empty)
                                               return "no std::bad_alloc, yet a non-empty text";
                                             return "";
                                           });
    EXPECT_GT(rounds.failure_points, 0) << length;
    EXPECT_EQ("", rounds.problems) << "length " << length;
  }
}

}  // namespace

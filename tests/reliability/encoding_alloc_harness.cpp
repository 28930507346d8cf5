// The encodings under allocation failure: conversions to and from UTF-8 and
// Latin1, toASCII and RTF escaping each run once per allocation they make,
// that allocation refused. std::bad_alloc reaches the caller, the wide string
// and toASCII's output keep their texts, and nothing leaks.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "failure_rounds.h"
#include "zString.h"
#include "zWString.h"

namespace {

using zodode::testing::run_failure_rounds;

const wchar_t kText[] = L"Gr\x00fc\x00df Gott: \x20ac 100, \xfeff caf\x00e9 and some more text";
constexpr char kFormerOut[] = "former text of the output string";

struct Encoding {
  Encoding() : w(kText), out(kFormerOut) {}
  zWString w;
  zString out;
};

struct EncodingCase {
  const char* name;
  std::function<void(Encoding&)> op;
};

std::string encoding_judge(const Encoding& e, bool threw) {
  if (!threw) return "no std::bad_alloc";
  if (e.w.getWStringData() != kText) return "the wide text changed";
  if (e.out != kFormerOut) return std::string("the output became \"") + e.out.data() + "\"";
  return "";
}

const EncodingCase kCases[] = {
    {"toUtf8", [](Encoding& e) { zString c = e.w.toUtf8(); }},
    {"toLatin1", [](Encoding& e) { zString c = e.w.toLatin1(); }},
    {"fromUtf8",
     [](Encoding&) {
       zWString c = zWString::fromUtf8(zString("caf\xc3\xa9 \xe2\x82\xac and more"));
     }},
    {"fromLatin1",
     [](Encoding&) { zWString c = zWString::fromLatin1(zString("caf\xe9 \x80 and more text")); }},
    {"toASCII", [](Encoding& e) { e.w.toASCII(e.w.size(), e.out); }},
    {"toRTFW", [](Encoding& e) { zWString c = e.w.toRTFW(); }},
    {"toRTF", [](Encoding& e) { zString c = e.w.toRTF(); }},
};

TEST(EncodingAllocationFailure, ConversionsKeepTheirSubjectsAndLeakNothing) {
  for (const EncodingCase& c : kCases) {
    const auto rounds = run_failure_rounds([] { return Encoding(); }, c.op, encoding_judge);
    EXPECT_GT(rounds.failure_points, 0) << c.name << ": allocates nothing";
    EXPECT_EQ("", rounds.problems) << c.name;
  }
}

}  // namespace

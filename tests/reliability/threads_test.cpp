// Several threads at once: each works on objects of its own while all of them
// read shared const objects. The results must equal those computed on one
// thread beforehand; under ThreadSanitizer (preset tsan) the run must also be
// free of reports, which would point at hidden shared state in the library.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "zString.h"
#include "zSubString.h"
#include "zWString.h"

namespace {

constexpr int kThreads = 4;
constexpr int kRounds = 200;

// Runs work(thread index) on kThreads threads started together; the number of
// rounds in which a thread saw a result differ from the expected one.
int run_together(const std::function<bool(int)>& work) {
  std::atomic<int> ready{0};
  std::atomic<int> mismatches{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      ++ready;
      while (ready.load() < kThreads) std::this_thread::yield();
      for (int r = 0; r < kRounds; ++r) {
        if (!work(t)) ++mismatches;
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  return mismatches.load();
}

// The const reads of one narrow string, gathered into one text.
std::string narrow_reads(const zString& s) {
  std::string out = s.data();
  out += std::to_string(s.length()) + (s == "a,b" ? "=" : "!") + (s < "m" ? "<" : ">");
  out += std::to_string(s.Index(',')) + std::to_string(s.Index("beta"));
  out += (s + "+tail").data();
  out += s.ToUpper().data();
  for (const zString& field : s.ToStringList(',', true)) out += std::string("[") + field.data();
  out += s(2, 5).data().data();
  return out;
}

// Edits of a thread's own narrow string, seeded by the thread index.
std::string narrow_edits(int seed) {
  zString s(seed);
  s += ",alpha,beta";
  s.Replace(zString("alpha"), zString("gamma"));
  s.Insert(zString("<>"), 1);
  s(0, 1) = "x";
  s.Remove(3, 2);
  s.AlignLeftWithSize(20);
  s.TrimSpace();
  s.ToLower();
  const zString joined(s.ToStringList(',', false), ';');
  return joined.data();
}

// The const reads of one wide string, gathered into one text.
std::wstring wide_reads(const zWString& w) {
  std::wstring out = w.c_str();
  out += std::to_wstring(w.size()) + std::to_wstring(w.find(L"beta")) +
         std::to_wstring(w.rfind(L"a")) + std::to_wstring(w.find_first_of(L",;")) +
         std::to_wstring(w.compare(L"alpha")) + std::to_wstring(w.Index('g')) +
         (w.containsAt(L"beta", 6) ? L"+" : L"-");
  out += w.substr(1, 7) + w(2, 4).c_str() + (w + L"!").c_str();
  out += w.lowerCase().c_str();
  out += w.upperCase().c_str();
  for (const zWString& field : w.ToStringList(L',', true)) out += L"[" + field.getWStringData();
  return out;
}

// Edits and number texts of a thread's own wide string, seeded by the thread index.
std::wstring wide_edits(int seed) {
  zWString w(seed);
  w += zWString(L" alpha, beta ;gamma");
  w += 0.1 * seed;
  w << true << L"|";
  w.Insert(zWString(1.0 / 3, true), 2);
  w.Replace(zWString(L"beta"), zWString(L"BETA"));
  w.ReplaceSubString(0, 1, zWString(2.5e-7, 'e', 3));
  w.TrimSpace();
  wchar_t semicolon[] = L";";
  const zWString token = w.NextToken(semicolon);
  w.AlignLeftWithSize(60);
  return token.getWStringData() + L"#" + w.getWStringData() +
         zWString(w.ToStringList(L',', false), L'/').getWStringData();
}

TEST(Threads, ConstWideReadsOfASharedStringAgree) {
  const zWString shared(L"alpha,beta;gamma,,Delta \x00e9");
  const std::wstring expected = wide_reads(shared);
  EXPECT_EQ(0, run_together([&](int) { return wide_reads(shared) == expected; }));
}

TEST(Threads, WideEditsAndNumberTextsOfOwnStringsAgree) {
  std::vector<std::wstring> expected;
  for (int t = 0; t < kThreads; ++t) expected.push_back(wide_edits(t));
  EXPECT_EQ(0, run_together([&](int t) { return wide_edits(t) == expected[t]; }));
}

// Conversions of one shared wide string and one shared narrow string, and
// the Base64 text of shared bytes into a string of the thread's own.
std::string encodings(const zWString& w, const zString& utf8, unsigned char* bytes) {
  zWString copy(w);  // toRTF and toASCII are non-const members
  zString ascii;
  copy.toASCII(copy.size(), ascii);
  zString base64;
  base64.base64(bytes, 100);
  return std::string(w.toUtf8().data()) + w.toLatin1().data() + ascii.data() + copy.toRTF().data() +
         zWString::fromUtf8(utf8).toUtf8().data() + zWString::fromLatin1(utf8).toUtf8().data() +
         base64.data();
}

TEST(Threads, EncodingsOfSharedStringsAgree) {
  const zWString wide(L"Gr\x00fc\x00df Gott \x20ac \xfeff caf\x00e9");
  const zString utf8("caf\xc3\xa9 \xe2\x82\xac \xed\xa0\x80 \xff");
  unsigned char bytes[100];
  for (int i = 0; i < 100; ++i) bytes[i] = static_cast<unsigned char>(i * 13);
  const std::string expected = encodings(wide, utf8, bytes);
  EXPECT_EQ(0, run_together([&](int) { return encodings(wide, utf8, bytes) == expected; }));
}

TEST(Threads, ConstNarrowReadsOfASharedStringAgree) {
  const zString shared("alpha,beta,,gamma delta");
  const std::string expected = narrow_reads(shared);
  EXPECT_EQ(0, run_together([&](int) { return narrow_reads(shared) == expected; }));
}

TEST(Threads, NarrowEditsOfOwnStringsAgree) {
  std::vector<std::string> expected;
  for (int t = 0; t < kThreads; ++t) expected.push_back(narrow_edits(t));
  EXPECT_EQ(0, run_together([&](int t) { return narrow_edits(t) == expected[t]; }));
}

}  // namespace

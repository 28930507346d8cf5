// Several threads at once: each works on objects of its own while all of them
// read shared const objects. The results must equal those computed on one
// thread beforehand; under ThreadSanitizer (preset tsan) the run must also be
// free of reports, which would point at hidden shared state in the library.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "zString.h"
#include "zSubString.h"
#include "zWString.h"

namespace {

const zString kNarrow("alpha,beta,,gamma delta");
const zWString kWide(L"alpha,beta;gamma,,Delta \x00e9");
const zWString kEncoded(L"Gr\x00fc\x00df Gott \x20ac \xfeff caf\x00e9");
const zString kUtf8("caf\xc3\xa9 \xe2\x82\xac \xed\xa0\x80 \xff");
unsigned char shared_bytes[100];  // filled before the threads start

// The const reads of the shared strings, the conversions of them (into
// strings of the thread's own) and edits of strings of the thread's own,
// seeded by the thread's index, gathered into one text.
std::pair<std::string, std::wstring> work(int seed) {
  const zString& s = kNarrow;
  std::string out = std::string(s.data()) + std::to_string(s.length()) + (s == "a,b" ? "=" : "!") +
                    (s < "m" ? "<" : ">") + std::to_string(s.Index(',')) +
                    std::to_string(s.Index("beta")) + (s + "+tail").data() + s.ToUpper().data() +
                    s(2, 5).data().data();
  for (const zString& field : s.ToStringList(',', true)) out += std::string("[") + field.data();

  const zWString& w = kWide;
  std::wstring wide = w.c_str() + std::to_wstring(w.size()) + std::to_wstring(w.find(L"beta")) +
                      std::to_wstring(w.rfind(L"a")) + std::to_wstring(w.find_first_of(L",;")) +
                      std::to_wstring(w.compare(L"alpha")) + std::to_wstring(w.Index('g')) +
                      (w.containsAt(L"beta", 6) ? L"+" : L"-") + w.substr(1, 7) + w(2, 4).c_str() +
                      (w + L"!").c_str() + w.lowerCase().c_str() + w.upperCase().c_str();
  for (const zWString& field : w.ToStringList(L',', true)) wide += L"[" + field.getWStringData();

  zWString copy(kEncoded);  // toRTF and toASCII are non-const members
  zString ascii, base64;
  copy.toASCII(copy.size(), ascii);
  base64.base64(shared_bytes, 100);
  out += std::string(kEncoded.toUtf8().data()) + kEncoded.toLatin1().data() + ascii.data() +
         copy.toRTF().data() + zWString::fromUtf8(kUtf8).toUtf8().data() +
         zWString::fromLatin1(kUtf8).toUtf8().data() + base64.data();

  zString own(seed);
  own += ",alpha,beta";
  own.Replace(zString("alpha"), zString("gamma"));
  own.Insert(zString("<>"), 1);
  own(0, 1) = "x";
  own.Remove(3, 2);
  own.AlignLeftWithSize(20);
  own.TrimSpace();
  own.ToLower();
  out += zString(own.ToStringList(',', false), ';').data();

  zWString mine(seed);
  mine += zWString(L" alpha, beta ;gamma");
  mine += 0.1 * seed;
  mine << true << L"|";
  mine.Insert(zWString(1.0 / 3, true), 2);
  mine.Replace(zWString(L"beta"), zWString(L"BETA"));
  mine.ReplaceSubString(0, 1, zWString(2.5e-7, 'e', 3));
  mine.TrimSpace();
  wchar_t semicolon[] = L";";
  wide += mine.NextToken(semicolon).getWStringData() + L"#";
  mine.AlignLeftWithSize(60);
  wide += mine.getWStringData() + zWString(mine.ToStringList(L',', false), L'/').getWStringData();
  return {out, wide};
}

TEST(Threads, SharedReadsConversionsAndOwnEditsAgreeWithOneThread) {
  constexpr int kThreads = 4;
  for (int i = 0; i < 100; ++i) shared_bytes[i] = static_cast<unsigned char>(i * 13);
  std::vector<std::pair<std::string, std::wstring>> expected;
  for (int t = 0; t < kThreads; ++t) expected.push_back(work(t));
  std::atomic<int> ready{0}, mismatches{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (++ready; ready.load() < kThreads;) std::this_thread::yield();
      for (int round = 0; round < 200; ++round) mismatches += work(t) != expected[t];
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(0, mismatches.load());
}

}  // namespace

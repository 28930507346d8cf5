// Threads at once read shared const strings, convert them and edit strings of
// their own. Each must get the single-threaded results; under ThreadSanitizer
// (preset tsan) any hidden shared state in the library shows as a report.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "zString.h"
#include "zSubString.h"
#include "zWString.h"

namespace {

const zString kNarrow("alpha,beta,,gamma delta");
const zWString kWide(L"Gr\x00fc\x00df Gott,\x20ac \xfeff caf\x00e9;\xD83D\xDE00");
const zString kUtf8("caf\xc3\xa9 \xe2\x82\xac \xed\xa0\x80 \xff");

std::wstring work(int seed) {
  zString own(seed), base64;
  own += kNarrow + zString(1.0 / (seed + 1), true);
  own.Replace(zString("beta"), own(0, 2));
  own.TrimSpace();
  base64.base64(reinterpret_cast<unsigned char*>(const_cast<char*>(kNarrow.data())), 23);
  zWString mine(kWide);
  mine += zWString(seed) + zWString(2.5e-7, 'e', 3);
  mine.Insert(kWide.upperCase(), 2);
  zString ascii;
  mine.toASCII(mine.size(), ascii);
  const std::vector<zString> fields = own.ToStringList(',', false);
  return mine.getWStringData() + mine.toRTFW().getWStringData() +
         zWString::fromUtf8(kWide.toUtf8() + kUtf8 + zString(fields, ';')).getWStringData() +
         zWString::fromLatin1(kWide.toLatin1() + ascii + base64).getWStringData();
}

TEST(Threads, SharedReadsAndOwnEditsAgreeWithOneThread) {
  constexpr int kThreads = 4;
  std::vector<std::wstring> expected;
  for (int t = 0; t < kThreads; ++t) expected.push_back(work(t));
  std::vector<int> mismatches(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 50; ++round) mismatches[t] += work(t) != expected[t];
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(std::vector<int>(kThreads), mismatches);
}

}  // namespace

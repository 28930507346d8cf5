// Threads at once read shared const strings, convert them and edit strings of
// their own; each must get the single-threaded result. Under ThreadSanitizer
// (preset tsan) any hidden shared state in the library shows as a report.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "zString.h"
#include "zWString.h"

namespace {

const zString kNarrow("alpha,beta,,gamma delta \xc3\xa9 \xed\xa0\x80");
const zWString kWide(L"Gr\x00fc\x00df Gott,\x20ac \xfeff caf\x00e9;\xD83D\xDE00");

std::wstring work(int seed) {
  zString own(kNarrow + zString(1.0 / (seed + 1), true)), base64;
  own.Replace(zString("beta"), own(0, 2));
  base64.base64(reinterpret_cast<unsigned char*>(const_cast<char*>(kNarrow.data())), 23);
  zWString mine(kWide + zWString(seed) + zWString(2.5e-7, 'e', 3));
  mine.Insert(kWide.upperCase(), 2);
  zString ascii;
  mine.toASCII(mine.size(), ascii);
  return mine.toRTFW().getWStringData() +
         zWString::fromUtf8(kWide.toUtf8() + own + zString(own.ToStringList(',', false), ';'))
             .c_str() +
         zWString::fromLatin1(kWide.toLatin1() + ascii + base64).c_str();
}

TEST(Threads, SharedReadsAndOwnEditsAgreeWithOneThread) {
  std::vector<std::wstring> expected;
  for (int t = 0; t < 4; ++t) expected.push_back(work(t));
  std::vector<int> mismatches(4);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 50; ++round) mismatches[t] += work(t) != expected[t];
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(std::vector<int>(4), mismatches);
}

}  // namespace

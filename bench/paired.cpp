// zodode_paired: this build of the library against another build of the same
// ABI (an earlier commit's libzodode32.so), call by call in one process.
//
//   zodode_paired path/to/other/libzodode32.so [calls] [filter]
//
// With a filter, only the rows whose "job/input" contains it are run.
//
// The two libraries take turns on the same inputs, the order swapped at each
// call, so both meet the same moments of a shared machine, and the ratio of
// each pair of calls is taken before the median. Drift that moves whole runs
// by 10-30% on a virtual machine cancels out of such a ratio; it does not out
// of two separate runs. Linux only: the other build is opened with
// RTLD_DEEPBIND so that its calls stay inside it, and its members are called
// through their mangled names, `this` first.
#include <dlfcn.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "corpus.h"
#include "zString.h"
#include "zWString.h"

namespace {

using from_narrow = zWString (*)(const zString&);
using to_narrow = zString (*)(zWString*);
using to_wide = zWString (*)(zWString*);

// One library's conversions.
struct conversions {
  from_narrow from_utf8;
  from_narrow from_latin1;
  to_narrow to_utf8;
  to_narrow to_latin1;
  to_narrow to_rtf;
  to_wide to_rtfw;
};

template <typename F>
F member(void* library, const char* name) {
  void* address = dlsym(library, name);
  if (address == nullptr) {
    std::fprintf(stderr, "zodode_paired: %s lacks %s\n", "the other library", name);
    std::exit(2);
  }
  F f;
  std::memcpy(&f, &address, sizeof f);
  return f;
}

conversions conversions_of(void* library) {
  return {member<from_narrow>(library, "_ZN8zWString8fromUtf8ERK7zString"),
          member<from_narrow>(library, "_ZN8zWString10fromLatin1ERK7zString"),
          member<to_narrow>(library, "_ZNK8zWString6toUtf8Ev"),
          member<to_narrow>(library, "_ZNK8zWString8toLatin1Ev"),
          member<to_narrow>(library, "_ZN8zWString5toRTFEv"),
          member<to_wide>(library, "_ZN8zWString6toRTFWEv")};
}

// This build's own conversions, taken the same way so that both sides pay
// the same indirect call.
conversions own_conversions() {
  return {&zWString::fromUtf8,
          &zWString::fromLatin1,
          [](zWString* w) { return w->toUtf8(); },
          [](zWString* w) { return w->toLatin1(); },
          [](zWString* w) { return w->toRTF(); },
          [](zWString* w) { return w->toRTFW(); }};
}

struct inputs {
  zString utf8;
  zString cp1252;
  zWString wide;
};

const char* const kJobs[] = {"fromUtf8", "toUtf8", "fromLatin1", "toLatin1", "toRTF", "toRTFW"};

// Runs job `job` of c on in `batch` times; returns a length so that nothing
// is optimised away.
std::size_t run(const conversions& c, int job, inputs& in, int batch) {
  std::size_t sink = 0;
  for (int i = 0; i < batch; ++i) {
    switch (job) {
      case 0:
        sink += c.from_utf8(in.utf8).length();
        break;
      case 1:
        sink += c.to_utf8(&in.wide).length();
        break;
      case 2:
        sink += c.from_latin1(in.cp1252).length();
        break;
      case 3:
        sink += c.to_latin1(&in.wide).length();
        break;
      case 4:
        sink += c.to_rtf(&in.wide).length();
        break;
      default:
        sink += c.to_rtfw(&in.wide).length();
        break;
    }
  }
  return sink;
}

double median(std::vector<double> v) {
  std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
  return v[v.size() / 2];
}

// One table row per job: the medians of this build and the other (per call;
// milliseconds for the corpora, nanoseconds for the short texts), and the
// median of other/this over pairs of calls.
void compare(const char* name, inputs& in, int calls, int batch, const conversions (&sides)[2],
             const char* filter) {
  const double unit = batch == 1 ? 1.0 : 1e6 / batch;
  for (int job = 0; job < 6; ++job) {
    const std::string row = std::string(kJobs[job]) + "/" + name;
    if (row.find(filter) == std::string::npos) continue;
    std::vector<double> times[2], ratios;
    std::size_t sink = 0;
    for (int call = 0; call < calls + 2; ++call) {
      double took[2];
      for (int turn = 0; turn < 2; ++turn) {
        const int side = (call + turn) % 2;
        const auto start = std::chrono::steady_clock::now();
        sink += run(sides[side], job, in, batch);
        const auto end = std::chrono::steady_clock::now();
        took[side] = std::chrono::duration<double, std::milli>(end - start).count() * unit;
      }
      if (call < 2) continue;  // warming up
      times[0].push_back(took[0]);
      times[1].push_back(took[1]);
      ratios.push_back(took[1] / took[0]);
    }
    std::printf("| %s | %s | %.4g | %.4g | %.2f |\n", kJobs[job], name, median(times[0]),
                median(times[1]), median(ratios));
    if (sink == 0) std::printf("(nothing converted)\n");
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: zodode_paired path/to/other/libzodode32.so [calls] [filter]\n");
    return 2;
  }
  mallopt(M_MMAP_MAX, 0);  // as zodode_bench: results from the heap, not fresh pages
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  void* other = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL | RTLD_DEEPBIND);
  if (other == nullptr) {
    std::fprintf(stderr, "zodode_paired: %s\n", dlerror());
    return 2;
  }
  const int calls = argc > 2 ? std::max(1, std::atoi(argv[2])) : 40;
  const char* filter = argc > 3 ? argv[3] : "";
  const conversions sides[2] = {own_conversions(), conversions_of(other)};
  std::printf("| job | input | this | other | other/this |\n|---|---|---:|---:|---:|\n");
  for (bench::corpus_kind kind : bench::kAllCorpora) {
    const bench::corpus& c = bench::get_corpus(kind);
    inputs in{zString(c.utf8), zString(c.cp1252), zWString(c.wide)};
    compare(bench::corpus_name(kind), in, calls, 1, sides, filter);
  }
  struct short_text {
    const char* name;
    const wchar_t* text;
  };
  const short_text shorts[] = {
      {"short_english", L"The quick brown fox jumps over the lazy dog, and again."},
      {"short_french_german",
       L"Der B\u00e4r l\u00e4uft \u00fcber die Stra\u00dfe, tr\u00e8s "
       L"\u00e9l\u00e9gant fa\u00e7ade."}};
  for (const short_text& s : shorts) {
    inputs in{zString(bench::encode_utf8(s.text)), zString(bench::encode_cp1252(s.text)),
              zWString(s.text)};
    compare(s.name, in, 10 * calls, 2000, sides, filter);
  }
  return 0;
}

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
#include <new>
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
    std::fprintf(stderr, "zodode_paired: a library lacks %s\n", name);
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

// One table row: the medians of this build (side 0) and the other (side 1)
// per call (milliseconds for the corpora, nanoseconds for the short texts),
// and the median of other/this over pairs of calls. run(side, batch) makes
// `batch` calls and returns a length, so that nothing is optimised away.
template <typename Run>
void compare_row(const char* job, const char* input, int calls, int batch, const char* filter,
                 Run run) {
  const std::string row = std::string(job) + "/" + input;
  if (row.find(filter) == std::string::npos) return;
  const double unit = batch == 1 ? 1.0 : 1e6 / batch;
  std::vector<double> times[2], ratios;
  std::size_t sink = 0;
  for (int call = 0; call < calls + 2; ++call) {
    double took[2];
    for (int turn = 0; turn < 2; ++turn) {
      const int side = (call + turn) % 2;
      const auto start = std::chrono::steady_clock::now();
      sink += run(side, batch);
      const auto end = std::chrono::steady_clock::now();
      took[side] = std::chrono::duration<double, std::milli>(end - start).count() * unit;
    }
    if (call < 2) continue;  // warming up
    times[0].push_back(took[0]);
    times[1].push_back(took[1]);
    ratios.push_back(took[1] / took[0]);
  }
  std::printf("| %s | %s | %.4g | %.4g | %.2f |\n", job, input, median(times[0]), median(times[1]),
              median(ratios));
  if (sink == 0) std::printf("(nothing done)\n");
}

void compare(const char* name, inputs& in, int calls, int batch, const conversions (&sides)[2],
             const char* filter) {
  for (int job = 0; job < 6; ++job) {
    compare_row(kJobs[job], name, calls, batch, filter,
                [&](int side, int n) { return run(sides[side], job, in, n); });
  }
}

// The narrow edits of the small-string benchmarks, each on a fresh copy of
// a 51-byte text. A side's strings are built and freed by its own members,
// called with `this` first; the arguments are this build's (one pointer each).
struct edits {
  void (*copy)(void*, const zString&);
  void (*destroy)(void*);
  void (*from_int)(void*, int);
  void (*append)(void*, const zString&);
  void (*replace)(void*, const zString&, const zString&);
  void (*insert)(void*, const zString&, int);
  void (*remove_range)(void*, unsigned, unsigned);
  void (*remove_tail)(void*, unsigned);
  int (*index)(const void*, const char*);
};

edits edits_of(void* library) {
  return {member<void (*)(void*, const zString&)>(library, "_ZN7zStringC1ERKS_"),
          member<void (*)(void*)>(library, "_ZN7zStringD1Ev"),
          member<void (*)(void*, int)>(library, "_ZN7zStringC1Ei"),
          member<void (*)(void*, const zString&)>(library, "_ZN7zStringpLERKS_"),
          member<void (*)(void*, const zString&, const zString&)>(library,
                                                                  "_ZN7zString7ReplaceERKS_S1_"),
          member<void (*)(void*, const zString&, int)>(library, "_ZN7zString6InsertERKS_i"),
          member<void (*)(void*, unsigned, unsigned)>(library, "_ZN7zString6RemoveEjj"),
          member<void (*)(void*, unsigned)>(library, "_ZN7zString6RemoveEj"),
          member<int (*)(const void*, const char*)>(library, "_ZNK7zString5IndexEPKc")};
}

zString& as_string(void* p) { return *static_cast<zString*>(p); }

void compare_edits(int calls, const edits (&sides)[2], const char* filter) {
  const zString text("The quick brown fox jumps over the lazy dog, twice!"), tail(" And again."),
      from("fox"), to("grey wolf"), piece("very ");
  // Each edit on a copy made, measured and freed by the same side.
  const auto edit = [&](const char* job, auto change) {
    compare_row(job, "short", 10 * calls, 2000, filter, [&](int side, int n) {
      const edits& e = sides[side];
      std::size_t sink = 0;
      for (int i = 0; i < n; ++i) {
        alignas(zString) unsigned char s[sizeof(zString)];
        e.copy(s, text);
        change(e, s);
        sink += as_string(s).length();
        e.destroy(s);
      }
      return sink;
    });
  };
  edit("copy", [](const edits&, void*) {});
  edit("append", [&](const edits& e, void* s) { e.append(s, tail); });
  edit("Replace", [&](const edits& e, void* s) { e.replace(s, from, to); });
  edit("Insert", [&](const edits& e, void* s) { e.insert(s, piece, 10); });
  edit("RemoveRange", [](const edits& e, void* s) { e.remove_range(s, 10, 6); });
  edit("RemoveTail", [](const edits& e, void* s) { e.remove_tail(s, 40); });
  compare_row("Index", "short", 10 * calls, 2000, filter, [&](int side, int n) {
    std::size_t sink = 0;
    for (int i = 0; i < n; ++i) sink += static_cast<std::size_t>(sides[side].index(&text, "lazy"));
    return sink;
  });
  compare_row("zString(int)", "short", 10 * calls, 2000, filter, [&](int side, int n) {
    std::size_t sink = 0;
    for (int i = 0; i < n; ++i) {
      alignas(zString) unsigned char s[sizeof(zString)];
      sides[side].from_int(s, 1234567 + i);
      sink += as_string(s).length();
      sides[side].destroy(s);
    }
    return sink;
  });
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
  // This build's library, its members taken the same way as the other's, so
  // that both sides pay the same call.
  Dl_info own_info;
  void* own = nullptr;
  if (dladdr(reinterpret_cast<void*>(&zWString::fromUtf8), &own_info) != 0) {
    own = dlopen(own_info.dli_fname, RTLD_NOW | RTLD_NOLOAD);
  }
  if (own == nullptr) {
    std::fprintf(stderr, "zodode_paired: this build's library is not found\n");
    return 2;
  }
  const conversions sides[2] = {conversions_of(own), conversions_of(other)};
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
  const edits edit_sides[2] = {edits_of(own), edits_of(other)};
  compare_edits(calls, edit_sides, filter);
  return 0;
}

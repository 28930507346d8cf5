// The choice of the kernel set (kernels.h) and the table of the set this
// build runs on any processor of its target.
#include "encoding/kernels.h"
#include "encoding/kernel_entries_of.h"

namespace zodode::detail {

// The compiler's processor check also asks the operating system whether it
// saves the AVX registers.
bool avx2_usable() {
#if defined(ZODODE_FORCE_AVX2)
  return true;
#elif defined(ZODODE_KERNELS_AVX2)
  static const bool usable = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
  }();
  return usable;
#else
  return false;
#endif
}

namespace {

constexpr kernel_entries kNativeEntries = entries_of<native_kernels>();

}  // namespace

const kernel_entries& chosen_entries() {
#if defined(ZODODE_KERNELS_AVX2)
  static const kernel_entries& chosen = avx2_usable() ? avx2_entries() : kNativeEntries;
  return chosen;
#else
  return kNativeEntries;
#endif
}

}  // namespace zodode::detail

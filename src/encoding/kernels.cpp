// The run-time choice of the AVX2 kernel set (kernels.h).
#include "encoding/kernels.h"

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

}  // namespace zodode::detail

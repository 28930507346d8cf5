// Control of the allocation-failure harness. The harness executable replaces
// malloc, calloc, realloc, free and the global operator new / delete; since an
// executable's definitions take precedence over libc's and libstdc++'s for
// every module of the process, the shared library's buffers go through them too.
#ifndef ZODODE_TESTS_RELIABILITY_ALLOC_CONTROL_H
#define ZODODE_TESTS_RELIABILITY_ALLOC_CONTROL_H

#include <cstddef>

namespace zodode::testing {

// Starts recording the allocations that stay live: from now on every block
// allocated is remembered until it is freed.
void begin_tracking();
// From now on the fail_at-th allocation (1-based, counting malloc, calloc,
// realloc and operator new alike) fails: malloc returns null, operator new
// throws std::bad_alloc. Only that one fails; later ones succeed.
void fail_allocation(long fail_at);
// Stops failing. True when the armed allocation was reached (and failed).
bool stop_failing();
// While paused, new blocks are not recorded (frees still are): the harness's
// own bookkeeping in the middle of a round does not count as the subject's.
void pause_tracking(bool paused);
// From now on every allocation of more than `most` bytes fails.
void cap_allocation_size(std::size_t most);
// Lifts the cap; the largest size refused under it (0 when none was).
std::size_t uncap_allocation_size();
// Stops recording; the number of blocks allocated since begin_tracking() that
// are still live.
long end_tracking();

}  // namespace zodode::testing

#endif  // ZODODE_TESTS_RELIABILITY_ALLOC_CONTROL_H

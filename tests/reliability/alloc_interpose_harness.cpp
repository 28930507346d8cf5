// The harness's replacements of the C heap and of the global operator new /
// delete. They forward to glibc's own allocator (__libc_malloc and friends),
// count allocations while a failure is armed, and remember live blocks while
// tracking. Only the single-threaded gtest runner uses them, so plain globals do.
#include <cerrno>
#include <cstddef>
#include <new>

#include "alloc_control.h"

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* block);
}

namespace {

constexpr std::size_t kMaxLive = 1 << 14;

bool tracking = false;
bool paused = false;
bool armed = false;
bool fired = false;
long counted = 0;
long fail_at = 0;
std::size_t size_cap = static_cast<std::size_t>(-1);
std::size_t oversized = 0;
std::size_t live_count = 0;
void* live[kMaxLive];

// True when this allocation is the one to fail, or larger than the cap.
bool refuse(std::size_t size) {
  if (size > size_cap) {
    if (size > oversized) oversized = size;
    return true;
  }
  if (!armed) return false;
  if (++counted != fail_at) return false;
  fired = true;
  return true;
}

void note_allocated(void* block) {
  if (!tracking || paused || block == nullptr) return;
  if (live_count == kMaxLive) __builtin_trap();  // a round allocating this much is a bug
  live[live_count++] = block;
}

void note_freed(void* block) {
  if (!tracking || block == nullptr) return;
  for (std::size_t i = live_count; i-- > 0;) {
    if (live[i] == block) {
      live[i] = live[--live_count];
      return;
    }
  }
}

void* allocate(std::size_t size) {
  if (refuse(size)) return nullptr;
  void* block = __libc_malloc(size);
  note_allocated(block);
  return block;
}

void* allocate_aligned(std::size_t size, std::align_val_t alignment) {
  if (refuse(size)) return nullptr;
  void* block = __libc_memalign(static_cast<std::size_t>(alignment), size);
  note_allocated(block);
  return block;
}

void release(void* block) noexcept {
  note_freed(block);
  __libc_free(block);
}

void* allocate_or_throw(std::size_t size) {
  void* block = allocate(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

void* allocate_aligned_or_throw(std::size_t size, std::align_val_t alignment) {
  void* block = allocate_aligned(size == 0 ? 1 : size, alignment);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

}  // namespace

namespace zodode::testing {

void begin_tracking() {
  live_count = 0;
  paused = false;
  tracking = true;
}

void pause_tracking(bool pause) { paused = pause; }

void fail_allocation(long at) {
  counted = 0;
  fail_at = at;
  fired = false;
  armed = true;
}

bool stop_failing() {
  armed = false;
  return fired;
}

void cap_allocation_size(std::size_t most) {
  size_cap = most;
  oversized = 0;
}

std::size_t uncap_allocation_size() {
  size_cap = static_cast<std::size_t>(-1);
  return oversized;
}

long end_tracking() {
  tracking = false;
  return static_cast<long>(live_count);
}

}  // namespace zodode::testing

extern "C" {

void* malloc(std::size_t size) {
  void* block = allocate(size);
  if (block == nullptr) errno = ENOMEM;
  return block;
}

void* calloc(std::size_t count, std::size_t size) {
  if (refuse(count * size)) {
    errno = ENOMEM;
    return nullptr;
  }
  void* block = __libc_calloc(count, size);
  note_allocated(block);
  return block;
}

// A refused realloc leaves the old block as it was, as the C library's does.
void* realloc(void* block, std::size_t size) {
  if (block == nullptr) return malloc(size);
  if (refuse(size)) {
    errno = ENOMEM;
    return nullptr;
  }
  void* moved = __libc_realloc(block, size);
  if (moved == nullptr) return nullptr;
  note_freed(block);
  note_allocated(moved);
  return moved;
}

void free(void* block) { release(block); }

}  // extern "C"

void* operator new(std::size_t size) { return allocate_or_throw(size); }
void* operator new[](std::size_t size) { return allocate_or_throw(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return allocate(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return allocate(size ? size : 1);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
  return allocate_aligned_or_throw(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return allocate_aligned_or_throw(size, alignment);
}
void operator delete(void* block) noexcept { release(block); }
void operator delete[](void* block) noexcept { release(block); }
void operator delete(void* block, std::size_t) noexcept { release(block); }
void operator delete[](void* block, std::size_t) noexcept { release(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { release(block); }
void operator delete(void* block, std::align_val_t) noexcept { release(block); }
void operator delete[](void* block, std::align_val_t) noexcept { release(block); }
void operator delete(void* block, std::size_t, std::align_val_t) noexcept { release(block); }
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept { release(block); }

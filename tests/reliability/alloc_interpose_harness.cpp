// The harness's replacements of the C heap and of the global operator new /
// delete. They forward to glibc's own allocator (__libc_malloc and friends),
// count allocations while a failure is armed, and remember live blocks while
// tracking.
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <new>

#include "alloc_harness.h"

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* block);
}

namespace {

using zodode::testing::heap;

constexpr std::size_t kMaxLive = 1 << 14;
void* live[kMaxLive];

// True (errno ENOMEM) when this allocation is the one to fail, or larger than the cap.
bool refuse(std::size_t size) {
  if (size > heap.cap) {
    if (size > heap.oversized) heap.oversized = size;
  } else if (heap.fail_at == 0 || ++heap.counted != heap.fail_at) {
    return false;
  } else {
    heap.fired = true;
  }
  errno = ENOMEM;
  return true;
}

void note_allocated(void* block) {
  if (!heap.tracking || heap.paused || block == nullptr) return;
  if (heap.live == kMaxLive) __builtin_trap();  // a round allocating this much is a bug
  live[heap.live++] = block;
}

void note_freed(void* block) {
  if (!heap.tracking || block == nullptr) return;
  for (std::size_t i = heap.live; i-- > 0;) {
    if (live[i] == block) {
      live[i] = live[--heap.live];
      return;
    }
  }
}

// alignment 0: malloc's own.
void* allocate(std::size_t size, std::size_t alignment = 0) {
  if (refuse(size)) return nullptr;
  void* block = alignment ? __libc_memalign(alignment, size) : __libc_malloc(size);
  note_allocated(block);
  return block;
}

void* allocate_or_throw(std::size_t size, std::align_val_t alignment = std::align_val_t{0}) {
  void* block = allocate(size == 0 ? 1 : size, static_cast<std::size_t>(alignment));
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

void release(void* block) noexcept {
  note_freed(block);
  __libc_free(block);
}

}  // namespace

zodode::testing::Heap zodode::testing::heap = {
    false, false, 0, 0, false, static_cast<std::size_t>(-1), 0, 0};

extern "C" {

void* malloc(std::size_t size) { return allocate(size); }
void free(void* block) { release(block); }

void* calloc(std::size_t count, std::size_t size) {
  std::size_t bytes = 0;
  if (__builtin_mul_overflow(count, size, &bytes)) bytes = static_cast<std::size_t>(-1);
  void* block = allocate(bytes);
  if (block != nullptr) std::memset(block, 0, bytes);
  return block;
}

// A refused realloc leaves the old block as it was, as the C library's does.
void* realloc(void* block, std::size_t size) {
  if (block == nullptr) return malloc(size);
  if (refuse(size)) return nullptr;
  void* moved = __libc_realloc(block, size);
  if (moved == nullptr) return nullptr;
  note_freed(block);
  note_allocated(moved);
  return moved;
}

}  // extern "C"

// libstdc++'s own array, nothrow and aligned sized forms call these, and its
// aligned delete calls free.
void* operator new(std::size_t n) { return allocate_or_throw(n); }
void* operator new(std::size_t n, std::align_val_t a) { return allocate_or_throw(n, a); }
void operator delete(void* block) noexcept { release(block); }
void operator delete(void* block, std::size_t) noexcept { release(block); }

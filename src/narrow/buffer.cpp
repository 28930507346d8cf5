#include "narrow/buffer.h"

#include <cstdint>
#include <cstdlib>

#include "frame/errors.h"

namespace zodode::detail {
namespace {

// True when text lies in the n + 1 bytes of block (compared as addresses, as
// the two may be unrelated objects).
bool lies_in(std::string_view text, const char* block, std::size_t n) {
  const auto at = reinterpret_cast<std::uintptr_t>(text.data());
  const auto start = reinterpret_cast<std::uintptr_t>(block);
  return at >= start && at <= start + n;
}

// block resized to n bytes plus the NUL; a refusal leaves it as it was.
char* resized(char* block, std::size_t n) {
  void* p = n == static_cast<std::size_t>(-1) ? nullptr : std::realloc(block, n + 1);
  if (p == nullptr) throw_bad_alloc();
  return static_cast<char*>(p);
}

// The heap hands out blocks in steps of 16 bytes: a block that would shrink by
// less gives nothing back, while the call costs as much as the rest of a short
// edit, so such a block is kept.
constexpr std::size_t kHeapStep = 16;

// A text that grows to fewer bytes than this is joined into a new block: the
// heap's per-thread cache hands out and takes back such blocks quicker than
// realloc grows one (append of 11 bytes to 51: 35 against 38 ns), and the
// copy is short. A longer text grows in its own block, which saves the copy
// where the heap can extend it.
constexpr std::size_t kJoinBelow = 1024;

}  // namespace

const char kEmptyText[1] = {'\0'};

char* join_texts(std::string_view a, std::string_view b, std::string_view c) {
  const std::size_t n = a.size() + b.size() + c.size();
  if (n < a.size()) throw_bad_alloc();
  char* p = allocate_text(n);
  if (!a.empty()) std::memcpy(p, a.data(), a.size());
  if (!b.empty()) std::memcpy(p + a.size(), b.data(), b.size());
  if (!c.empty()) std::memcpy(p + a.size() + b.size(), c.data(), c.size());
  return p;
}

// The text grows in its own block where the heap can extend it, and moves
// with one copy otherwise; either way a refusal leaves the block as it was.
// A tail inside the text itself would move with it, so it is joined into a
// new buffer instead.
void append_text(char*& buffer, std::string_view tail) {
  if (tail.empty()) return;
  const std::size_t n = buffer ? std::strlen(buffer) : 0;
  if (buffer == nullptr || n + tail.size() < kJoinBelow || lies_in(tail, buffer, n)) {
    replace_buffer(buffer, join_texts(std::string_view(text_or_empty(buffer), n), tail));
    return;
  }
  if (tail.size() > static_cast<std::size_t>(-1) - 1 - n) throw_bad_alloc();
  char* grown = resized(buffer, n + tail.size());
  std::memcpy(grown + n, tail.data(), tail.size());
  grown[n + tail.size()] = '\0';
  buffer = grown;
}

// A text that grows does so in its own block, the heap extending it or moving
// it with one copy, and one of the same size is written over; a text that
// shrinks, or an insert from the text itself, is joined into a new buffer.
void splice_text(char*& buffer, std::size_t size, std::size_t pos, std::size_t count,
                 std::string_view insert) {
  const std::size_t after = size - pos - count;
  const char* text = text_or_empty(buffer);
  if (buffer == nullptr || insert.size() < count || size + insert.size() < kJoinBelow ||
      lies_in(insert, buffer, size)) {
    replace_buffer(buffer, join_texts(std::string_view(text, pos), insert,
                                      std::string_view(text + pos + count, after)));
    return;
  }
  if (insert.size() > count) {
    if (insert.size() - count > static_cast<std::size_t>(-1) - 1 - size) throw_bad_alloc();
    buffer = resized(buffer, size - count + insert.size());
    std::memmove(buffer + pos + insert.size(), buffer + pos + count, after + 1);
  }
  if (!insert.empty()) std::memcpy(buffer + pos, insert.data(), insert.size());
}

void truncate_text(char*& buffer, std::size_t size, std::size_t n) {
  if (size - n >= kHeapStep) buffer = resized(buffer, n);
  buffer[n] = '\0';
}

// The tail moves down in place and the block shrinks (unless by less than the
// heap's step). The heap may refuse even that; the removed bytes, kept aside,
// then go back. A range too long to keep aside is cut into a new buffer instead.
void cut_text(char*& buffer, std::size_t size, std::size_t pos, std::size_t count) {
  constexpr std::size_t kKeptAside = 256;
  const std::size_t after = size - pos - count;  // the tail's bytes, NUL included: after + 1
  if (count > kKeptAside) {
    replace_buffer(buffer, join_texts(std::string_view(buffer, pos),
                                      std::string_view(buffer + pos + count, after)));
    return;
  }
  if (count < kHeapStep) {
    std::memmove(buffer + pos, buffer + pos + count, after + 1);
    return;
  }
  char removed[kKeptAside];
  std::memcpy(removed, buffer + pos, count);
  std::memmove(buffer + pos, buffer + pos + count, after + 1);
  void* p = std::realloc(buffer, size - count + 1);
  if (p == nullptr) {
    std::memmove(buffer + pos + count, buffer + pos, after + 1);
    std::memcpy(buffer + pos, removed, count);
    throw_bad_alloc();
  }
  buffer = static_cast<char*>(p);
}

}  // namespace zodode::detail

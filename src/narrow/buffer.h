// Buffer primitives of zString. A buffer is one malloc'd NUL-terminated text
// of exactly its size, or null, which reads as the shared empty text. Every
// narrow operation builds on these, so the null-reads-as-empty rule and the
// copy-then-free order live here only. The common ones are inline: a short
// text costs little more than its allocation, and a call layer per step
// would be a good part of that.
#ifndef ZODODE_NARROW_BUFFER_H
#define ZODODE_NARROW_BUFFER_H

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "frame/errors.h"

namespace zodode::detail {

// The read-only empty text a null buffer reads as; never written, never freed.
extern const char kEmptyText[1];

// p, or the shared empty text when p is null.
inline const char* text_or_empty(const char* p) { return p ? p : kEmptyText; }

// The bytes of p up to its NUL; a null p is the empty text.
inline std::string_view view_of(const char* p) {
  return p ? std::string_view(p, std::strlen(p)) : std::string_view();
}

// A new buffer of n bytes plus room for the NUL, which the caller writes.
// Throws std::bad_alloc when the heap refuses.
inline char* allocate_unterminated(std::size_t n) {
  char* p = n == static_cast<std::size_t>(-1) ? nullptr : static_cast<char*>(std::malloc(n + 1));
  if (p == nullptr) throw_bad_alloc();
  return p;
}

// A new buffer of n bytes plus the NUL, the NUL already written.
inline char* allocate_text(std::size_t n) {
  char* p = allocate_unterminated(n);
  p[n] = '\0';
  return p;
}

// A new exact-size buffer holding a copy of text.
inline char* copy_text(std::string_view text) {
  char* p = allocate_unterminated(text.size());
  // memcpy with a null source is undefined even for zero bytes.
  if (!text.empty()) std::memcpy(p, text.data(), text.size());
  p[text.size()] = '\0';
  return p;
}

// A new exact-size buffer holding a copy of the text at p (a null p gives the
// empty text): one scan for the NUL, which is then copied with the text.
inline char* copy_text(const char* p) {
  if (p == nullptr) return allocate_text(0);
  const std::size_t n = std::strlen(p) + 1;
  char* copy = allocate_unterminated(n - 1);
  std::memcpy(copy, p, n);
  return copy;
}

// A new exact-size buffer holding the concatenation of the pieces.
char* join_texts(std::string_view a, std::string_view b = {}, std::string_view c = {});

// Frees buffer's old text and stores fresh in its place.
inline void replace_buffer(char*& buffer, char* fresh) noexcept {
  std::free(buffer);
  buffer = fresh;
}

// The assignment rule: a null p gives a fresh empty buffer; p equal to the
// buffer itself changes nothing; anything else is copied before the old buffer
// is freed, so p may point into the buffer.
inline void assign_text(char*& buffer, const char* p) {
  if (p != nullptr && p == buffer) return;
  replace_buffer(buffer, copy_text(p));
}

// Appends tail to buffer's text, the result in one exact-size buffer. An empty
// tail leaves buffer (even a null one) untouched. tail may point into buffer:
// the old text is freed only after the joined text exists.
void append_text(char*& buffer, std::string_view tail);

// Replaces the count bytes at pos of buffer's text (of length size) by
// insert, pos + count <= size. The result is in one exact-size buffer; insert
// may point into the text. On std::bad_alloc nothing changed.
void splice_text(char*& buffer, std::size_t size, std::size_t pos, std::size_t count,
                 std::string_view insert);

// Cuts buffer's text (of length size, buffer not null) to its first n bytes,
// n < size, the allocation shrunk to fit unless that would give back less than
// the heap's step. On std::bad_alloc nothing changed.
void truncate_text(char*& buffer, std::size_t size, std::size_t n);

// Removes count bytes at pos from buffer's text of length size, where pos +
// count < size, the allocation shrunk as truncate_text's. On std::bad_alloc
// nothing changed.
void cut_text(char*& buffer, std::size_t size, std::size_t pos, std::size_t count);

}  // namespace zodode::detail

#endif  // ZODODE_NARROW_BUFFER_H

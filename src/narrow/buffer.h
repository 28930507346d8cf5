// Buffer primitives of zString. A buffer is one malloc'd NUL-terminated text
// of exactly its size, or null, which reads as the shared empty text. Every
// narrow operation builds on these, so the null-reads-as-empty rule and the
// copy-then-free order live here only.
#ifndef ZODODE_NARROW_BUFFER_H
#define ZODODE_NARROW_BUFFER_H

#include <cstddef>
#include <cstring>
#include <string_view>

namespace zodode::detail {

// The read-only empty text a null buffer reads as; never written, never freed.
extern const char kEmptyText[1];

// p, or the shared empty text when p is null.
inline const char* text_or_empty(const char* p) { return p ? p : kEmptyText; }

// The bytes of p up to its NUL; a null p is the empty text.
inline std::string_view view_of(const char* p) {
  return p ? std::string_view(p, std::strlen(p)) : std::string_view();
}

// A new buffer of n bytes plus the NUL, the NUL already written. Throws
// std::bad_alloc when the heap refuses.
char* allocate_text(std::size_t n);

// A new exact-size buffer holding the concatenation of the pieces.
char* join_texts(std::string_view a, std::string_view b = {}, std::string_view c = {});

// Frees buffer's old text and stores fresh in its place.
void replace_buffer(char*& buffer, char* fresh) noexcept;

// The assignment rule: a null p gives a fresh empty buffer; p equal to the
// buffer itself changes nothing; anything else is copied before the old buffer
// is freed, so p may point into the buffer.
void assign_text(char*& buffer, const char* p);

// Appends tail to buffer's text through one new exact-size buffer. An empty
// tail leaves buffer (even a null one) untouched. tail may point into buffer:
// the old text is freed only after the joined text exists.
void append_text(char*& buffer, std::string_view tail);

}  // namespace zodode::detail

#endif  // ZODODE_NARROW_BUFFER_H

// zString editing and search: replacing a byte in place, replacing the first
// occurrence of a text, inserting, removing and finding. Every edit that
// changes the length leaves the text in one exact-size buffer (buffer.h), an
// argument may be this very string, and a refused allocation leaves the text
// as it was.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "narrow/buffer.h"
#include "zString.h"

using zodode::detail::cut_text;
using zodode::detail::splice_text;
using zodode::detail::text_or_empty;
using zodode::detail::truncate_text;
using zodode::detail::view_of;

namespace {

// Position of found in text as an int, or -1 for a null result of a search.
int position_or_minus_one(const char* text, const char* found) {
  return found ? static_cast<int>(found - text) : -1;
}

}  // namespace

// The length is taken once, so a NUL written for `to` still lets the later
// bytes be visited; they are no longer part of the text either way.
void zString::Replace(char from, char to) {
  if (buffer_ == nullptr) return;
  const std::size_t n = std::strlen(buffer_);
  std::replace(buffer_, buffer_ + n, from, to);
}

// The splice of a view assignment: before, to's text, after. to may be this
// string; its text is read before the old buffer goes. The search is strstr's
// (an empty from occurs at 0) on texts whose lengths are known.
void zString::Replace(const zString& from, const zString& to) {
  const std::string_view whole = view_of(buffer_);
  const std::string_view pattern = view_of(from.buffer_);
  const std::size_t at = whole.find(pattern);
  if (at == std::string_view::npos) return;
  splice_text(buffer_, whole.size(), at, pattern.size(), view_of(to.buffer_));
}

// The text the two view assignments produce (the text written over the range
// at pos, then the kept tail after it) equals head + text + tail, built here
// in one step so no exception can leave a half-inserted state.
void zString::Insert(const zString& text, int pos) {
  if (pos < 0) return;
  const std::size_t size = view_of(buffer_).size();
  const std::size_t cut = std::min<std::size_t>(static_cast<unsigned int>(pos), size);
  const std::string_view piece = view_of(text.buffer_);
  if (piece.empty()) return;
  splice_text(buffer_, size, cut, 0, piece);
}

// strchr finds the terminating NUL too, so Index('\0') is the length.
int zString::Index(char c) const {
  const char* text = text_or_empty(buffer_);
  return position_or_minus_one(text, std::strchr(text, c));
}

// A null text reads as the empty text and so occurs at 0.
int zString::Index(const char* text) const {
  const char* self = text_or_empty(buffer_);
  return position_or_minus_one(self, std::strstr(self, text_or_empty(text)));
}

// Removing nothing (pos at the end, or a count of 0) leaves the text as it
// was, so the buffer is kept.
zString& zString::Remove(unsigned int pos) {
  const std::size_t size = view_of(buffer_).size();
  if (pos < size) truncate_text(buffer_, size, pos);
  return *this;
}

zString& zString::Remove(unsigned int pos, unsigned int count) {
  const std::size_t size = view_of(buffer_).size();
  if (pos >= size || count == 0) return *this;
  if (std::uint64_t{pos} + count >= size) {
    truncate_text(buffer_, size, pos);
  } else {
    cut_text(buffer_, size, pos, count);
  }
  return *this;
}

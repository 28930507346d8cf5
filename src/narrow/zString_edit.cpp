// zString editing and search: replacing a byte in place, replacing the first
// occurrence of a text, inserting, removing and finding. Every edit that
// changes the length builds the whole new text in one exact-size buffer before
// the old one is freed, so an argument may be this very string and a failed
// allocation leaves the text as it was.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "narrow/buffer.h"
#include "zString.h"

using zodode::detail::join_texts;
using zodode::detail::replace_buffer;
using zodode::detail::text_or_empty;
using zodode::detail::view_of;

namespace {

// Position of found in text as an int, or -1 for a null result of a search.
int position_or_minus_one(const char* text, const char* found) {
  return found ? static_cast<int>(found - text) : -1;
}

// The part of text from pos + count on, or nothing when that reaches the end
// (the sum taken in 64 bits, so it cannot wrap).
std::string_view tail_after(std::string_view text, unsigned int pos, unsigned int count) {
  const std::uint64_t end = std::uint64_t{pos} + count;
  return end < text.size() ? text.substr(static_cast<std::size_t>(end)) : std::string_view();
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
// string; its text is read before the old buffer goes.
void zString::Replace(const zString& from, const zString& to) {
  const char* text = text_or_empty(buffer_);
  const char* found = std::strstr(text, from.data());
  if (found == nullptr) return;
  zSubString(*this, static_cast<unsigned int>(found - text), from.length()) = to.data();
}

// The text the two view assignments produce (the text written over the range
// at pos, then the kept tail after it) equals head + text + tail, built here
// in one buffer so no exception can leave a half-inserted state.
void zString::Insert(const zString& text, int pos) {
  if (pos < 0) return;
  const std::string_view whole = view_of(buffer_);
  const std::size_t cut = std::min<std::size_t>(static_cast<unsigned int>(pos), whole.size());
  replace_buffer(buffer_,
                 join_texts(whole.substr(0, cut), view_of(text.buffer_), whole.substr(cut)));
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

zString& zString::Remove(unsigned int pos) {
  const std::string_view whole = view_of(buffer_);
  if (whole.empty() || pos > whole.size()) return *this;
  replace_buffer(buffer_, join_texts(whole.substr(0, pos)));
  return *this;
}

zString& zString::Remove(unsigned int pos, unsigned int count) {
  const std::string_view whole = view_of(buffer_);
  if (whole.empty() || pos > whole.size()) return *this;
  replace_buffer(buffer_, join_texts(whole.substr(0, pos), tail_after(whole, pos, count)));
  return *this;
}

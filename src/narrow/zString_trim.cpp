// zString trimming, case mapping and left alignment. Trimming and case mapping
// work in the buffer the string already has (a shorter text keeps its
// allocation); white space and case follow the process locale through
// isspace/toupper/tolower, each byte passed as an unsigned value.
#include <cctype>
#include <cstring>
#include <string_view>

#include "narrow/buffer.h"
#include "zString.h"

using zodode::detail::allocate_text;
using zodode::detail::replace_buffer;
using zodode::detail::view_of;

namespace {

bool is_space_byte(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// Moves the text after its leading run of matching bytes to the front.
template <typename Matches>
void trim_front(char* text, Matches matches) {
  const char* rest = text;
  while (*rest != '\0' && matches(*rest)) ++rest;
  if (rest != text) std::memmove(text, rest, std::strlen(rest) + 1);
}

// Writes NUL over the trailing run of matching bytes, never looking at the
// first byte: a text made only of matching bytes keeps its first one.
template <typename Matches>
void trim_back(char* text, Matches matches) {
  std::size_t q = std::strlen(text);
  if (q < 2) return;
  for (--q; q > 0 && matches(text[q]); --q) text[q] = '\0';
}

template <typename Mapping>
void map_bytes(char* text, Mapping mapping) {
  for (; *text != '\0'; ++text) {
    *text = static_cast<char>(mapping(static_cast<unsigned char>(*text)));
  }
}

int to_upper_byte(unsigned char c) { return std::toupper(c); }
int to_lower_byte(unsigned char c) { return std::tolower(c); }

}  // namespace

const zString& zString::TrimSpaceRight() {
  if (buffer_ != nullptr) trim_back(buffer_, is_space_byte);
  return *this;
}

const zString& zString::TrimSpaceLeft() {
  if (buffer_ != nullptr) trim_front(buffer_, is_space_byte);
  return *this;
}

// After the front is trimmed the first byte is not white space, so the back
// trim removes every trailing run and all-space text becomes "".
const zString& zString::TrimSpace() {
  if (buffer_ == nullptr) return *this;
  trim_front(buffer_, is_space_byte);
  trim_back(buffer_, is_space_byte);
  return *this;
}

const zString& zString::Trim(char c) {
  if (buffer_ == nullptr || c == '\0') return *this;
  const auto is_c = [c](char b) { return b == c; };
  trim_front(buffer_, is_c);
  trim_back(buffer_, is_c);
  return *this;
}

const zString& zString::ToUpper() {
  if (buffer_ != nullptr) map_bytes(buffer_, to_upper_byte);
  return *this;
}

// The copy always owns a buffer, so the in-place form maps it.
zString zString::ToUpper() const {
  zString copy(*this);
  copy.ToUpper();
  return copy;
}

const zString& zString::ToLower() {
  if (buffer_ != nullptr) map_bytes(buffer_, to_lower_byte);
  return *this;
}

zString zString::ToLower() const {
  zString copy(*this);
  copy.ToLower();
  return copy;
}

// Appending 10, 5 and 1 spaces until the width is reached ends at exactly
// width bytes, so one buffer of that size gives the same text. A negative
// width would ask for billions of spaces; it leaves the text unchanged.
const zString& zString::AlignLeftWithSize(int width) {
  const std::string_view text = view_of(buffer_);
  if (width < 0 || text.size() >= static_cast<unsigned int>(width)) return *this;
  const std::size_t size = static_cast<unsigned int>(width);
  char* padded = allocate_text(size);
  if (!text.empty()) std::memcpy(padded, text.data(), text.size());
  std::memset(padded + text.size(), ' ', size - text.size());
  replace_buffer(buffer_, padded);
  return *this;
}

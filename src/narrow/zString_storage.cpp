// zString construction, assignment, access, comparison and appending of text.
#include <cstdlib>
#include <cstring>

#include "narrow/buffer.h"
#include "zString.h"

using zodode::detail::append_text;
using zodode::detail::assign_text;
using zodode::detail::copy_text;
using zodode::detail::join_texts;
using zodode::detail::text_or_empty;
using zodode::detail::view_of;

zString::zString() : buffer_(nullptr) {}

zString::zString(const zString& other) : buffer_(copy_text(other.buffer_)) {}

zString::zString(const std::string& text) : buffer_(copy_text(text.c_str())) {}

zString::zString(const char* text) : buffer_(copy_text(text)) {}

zString::~zString() { std::free(buffer_); }

const zString& zString::operator=(const zString& other) {
  assign_text(buffer_, other.buffer_);
  return *this;
}

const zString& zString::operator=(const char* text) {
  assign_text(buffer_, text);
  return *this;
}

const zString& zString::operator=(const std::string& text) {
  assign_text(buffer_, text.c_str());
  return *this;
}

void zString::Set(const char* text) { assign_text(buffer_, text); }

const char* zString::data() const { return text_or_empty(buffer_); }

zString::operator const char*() const { return text_or_empty(buffer_); }

zString::operator std::string() const { return std::string(text_or_empty(buffer_)); }

unsigned int zString::length() const { return static_cast<unsigned int>(view_of(buffer_).size()); }

bool zString::operator==(const char* text) const {
  return std::strcmp(text_or_empty(buffer_), text_or_empty(text)) == 0;
}

bool zString::operator!=(const char* text) const { return !(*this == text); }

// strcmp compares bytes as unsigned char, so 0xE4 orders after every ASCII byte.
bool zString::operator<(const char* text) const {
  return std::strcmp(text_or_empty(buffer_), text_or_empty(text)) < 0;
}

bool zString::operator<(const zString& other) const { return *this < other.buffer_; }

bool zString::operator<(const std::string& other) const { return *this < other.c_str(); }

const zString& zString::operator+=(const char* text) {
  append_text(buffer_, view_of(text));
  return *this;
}

const zString& zString::operator+=(const std::string& text) { return *this += text.c_str(); }

const zString& zString::operator+=(const zString& other) { return *this += other.buffer_; }

// One exact-size allocation for copy-then-append; the result always owns a buffer.
zString zString::operator+(const char* text) const {
  zString result;
  result.buffer_ = join_texts(view_of(buffer_), view_of(text));
  return result;
}

zString zString::operator+(const std::string& text) const { return *this + text.c_str(); }

zString zString::operator+(const zString& other) const { return *this + other.buffer_; }

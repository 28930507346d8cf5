// zSubString: reads and splices a range of a zString. A view may outlive the
// length of its string (the string shrank since); every access clips against
// the string's current length.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "narrow/buffer.h"
#include "zSubString.h"

using zodode::detail::copy_text;
using zodode::detail::splice_text;
using zodode::detail::view_of;

namespace {

// The part of text that a view (start, length) covers now; empty when the view
// starts past the end.
std::string_view covered(std::string_view text, unsigned int start, unsigned int length) {
  if (start > text.size()) return {};
  return text.substr(start, length);
}

}  // namespace

// Clip at construction: the start to the text, and a range that reaches or
// passes the end to the end (the sum in 64 bits, so it cannot wrap).
zSubString::zSubString(zString& str, unsigned int start, unsigned int length)
    : str_(str), start_(0), length_(0) {
  const unsigned int size = str.length();
  start_ = std::min(start, size);
  const std::uint64_t end = std::uint64_t{start} + length;
  length_ = end >= size ? size - start_ : length;
}

zString zSubString::data() const {
  zString part;
  part.buffer_ = copy_text(covered(view_of(str_.data()), start_, length_));
  return part;
}

zSubString::operator zString() const { return data(); }

int zSubString::operator==(const char* text) const {
  return covered(view_of(str_.data()), start_, length_) == view_of(text) ? 1 : 0;
}

int zSubString::operator!=(const char* text) const { return (*this == text) ? 0 : 1; }

// The new text is prefix, text, suffix, with the range clipped to the text as
// it is now (a view past a shortened text appends); text may point into the
// string itself (splice_text).
const zSubString& zSubString::operator=(const char* text) {
  const std::size_t size = view_of(str_.buffer_).size();
  const std::string_view insert = view_of(text);
  const std::size_t pos = std::min<std::size_t>(start_, size);
  const std::uint64_t end = std::uint64_t{start_} + length_;
  const std::size_t count = end < size ? static_cast<std::size_t>(end) - pos : size - pos;
  splice_text(str_.buffer_, size, pos, count, insert);
  length_ = static_cast<unsigned int>(insert.size());
  return *this;
}

const zSubString& zSubString::operator=(const zSubString& other) {
  if (&other == this) return *this;
  str_ = other.str_;
  start_ = other.start_;
  length_ = other.length_;
  return *this;
}

zSubString zString::operator()(int start, int length) {
  return zSubString(*this, static_cast<unsigned int>(start), static_cast<unsigned int>(length));
}

const zSubString zString::operator()(int start, int length) const {
  return zSubString(const_cast<zString&>(*this), static_cast<unsigned int>(start),
                    static_cast<unsigned int>(length));
}

// zSubString: reads and splices a range of a zString. A view may outlive the
// length of its string (the string shrank since); every access clips against
// the string's current length.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "narrow/buffer.h"
#include "zSubString.h"

using zodode::detail::join_texts;
using zodode::detail::replace_buffer;
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
  const std::string_view part = covered(view_of(str_.data()), start_, length_);
  return zString(std::string(part));
}

zSubString::operator zString() const { return data(); }

int zSubString::operator==(const char* text) const {
  return covered(view_of(str_.data()), start_, length_) == view_of(text) ? 1 : 0;
}

int zSubString::operator!=(const char* text) const { return (*this == text) ? 0 : 1; }

// The new text is built in one buffer (prefix, text, suffix) before the old one
// is freed, so text may point into the string itself.
const zSubString& zSubString::operator=(const char* text) {
  const std::string_view whole = view_of(str_.data());
  const std::string_view insert = view_of(text);
  const std::string_view prefix = whole.substr(0, std::min<std::size_t>(start_, whole.size()));
  const std::uint64_t end = std::uint64_t{start_} + length_;
  const std::string_view suffix =
      end < whole.size() ? whole.substr(static_cast<std::size_t>(end)) : std::string_view();
  replace_buffer(str_.buffer_, join_texts(prefix, insert, suffix));
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

// zString split into a list of fields and join of a list. Both size their
// result first: the split reserves the exact field count (zString has no move
// constructor, so a growing vector would copy every element), and the join
// writes all texts into one buffer of the final size.
#include <cstring>
#include <string_view>
#include <vector>

#include "frame/errors.h"
#include "narrow/buffer.h"
#include "zString.h"

using zodode::detail::allocate_text;
using zodode::detail::copy_text;
using zodode::detail::view_of;

namespace {

// Calls emit(field) for each field of text in order, skipping empty ones
// unless keep_empty. A separator that ends the text closes the last field
// without opening an empty one; a NUL separator never matches.
template <typename Emit>
void for_each_field(std::string_view text, char separator, bool keep_empty, Emit emit) {
  const std::size_t none = std::string_view::npos;
  std::size_t p = 0;
  while (p < text.size()) {
    const std::size_t q = separator == '\0' ? none : text.find(separator, p);
    const std::string_view field = text.substr(p, q == none ? none : q - p);
    if (!field.empty() || keep_empty) emit(field);
    if (q == none) break;
    p = q + 1;
  }
}

// Length of the joined text: every element, plus a separator between each
// two neighbours unless it is NUL.
std::size_t joined_size(const std::vector<zString>& list, char separator) {
  std::size_t size = separator == '\0' ? 0 : list.size() - 1;
  for (const zString& element : list) size += element.length();
  return size;
}

}  // namespace

std::vector<zString> zString::ToStringList(char separator, bool keepEmpty) const {
  std::vector<zString> list;
  const std::string_view text = view_of(buffer_);
  std::size_t count = 0;
  for_each_field(text, separator, keepEmpty, [&count](std::string_view) { ++count; });
  if (count > list.max_size()) zodode::detail::throw_vector_too_long();
  list.reserve(count);
  // Each field is copied once, straight into the element built in place.
  for_each_field(text, separator, keepEmpty, [&list](std::string_view field) {
    list.emplace_back();
    list.back().buffer_ = copy_text(field);
  });
  return list;
}

// Empty pieces append nothing, so a join whose text is empty (an empty list,
// or lone empty elements with a NUL separator) leaves the string without a
// buffer, as appending "" to it would.
zString::zString(const std::vector<zString>& list, char separator) : buffer_(nullptr) {
  if (list.empty()) return;
  const std::size_t size = joined_size(list, separator);
  if (size == 0) return;
  char* out = allocate_text(size);
  buffer_ = out;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i != 0 && separator != '\0') *out++ = separator;
    const std::string_view piece = view_of(list[i].buffer_);
    if (!piece.empty()) std::memcpy(out, piece.data(), piece.size());
    out += piece.size();
  }
}

#include "narrow/buffer.h"

#include <cstdlib>

#include "frame/errors.h"

namespace zodode::detail {

const char kEmptyText[1] = {'\0'};

char* allocate_text(std::size_t n) {
  if (n == static_cast<std::size_t>(-1)) throw_bad_alloc();
  char* p = static_cast<char*>(std::malloc(n + 1));
  if (p == nullptr) throw_bad_alloc();
  p[n] = '\0';
  return p;
}

char* join_texts(std::string_view a, std::string_view b, std::string_view c) {
  const std::size_t n = a.size() + b.size() + c.size();
  if (n < a.size()) throw_bad_alloc();
  char* p = allocate_text(n);
  // memcpy with a null source is undefined even for zero bytes.
  if (!a.empty()) std::memcpy(p, a.data(), a.size());
  if (!b.empty()) std::memcpy(p + a.size(), b.data(), b.size());
  if (!c.empty()) std::memcpy(p + a.size() + b.size(), c.data(), c.size());
  return p;
}

void replace_buffer(char*& buffer, char* fresh) noexcept {
  std::free(buffer);
  buffer = fresh;
}

void assign_text(char*& buffer, const char* p) {
  if (p != nullptr && p == buffer) return;
  replace_buffer(buffer, join_texts(view_of(p)));
}

void append_text(char*& buffer, std::string_view tail) {
  if (tail.empty()) return;
  replace_buffer(buffer, join_texts(view_of(buffer), tail));
}

}  // namespace zodode::detail

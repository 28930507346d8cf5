#include "frame/errors.h"

#include <new>
#include <stdexcept>
#include <utility>

namespace zodode::detail {
namespace {

class message_error : public std::exception {
 public:
  explicit message_error(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

}  // namespace

void throw_invalid_position() { throw std::out_of_range(kInvalidPosition); }

void throw_string_too_long() { throw std::length_error(kStringTooLong); }

void throw_vector_too_long() { throw std::length_error(kVectorTooLong); }

void throw_bad_alloc() { throw std::bad_alloc(); }

void throw_message(std::string message) { throw message_error(std::move(message)); }

}  // namespace zodode::detail

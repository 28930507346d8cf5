// The library's fixed failure texts, and the one place they are thrown from.
#ifndef ZODODE_FRAME_ERRORS_H
#define ZODODE_FRAME_ERRORS_H

#include <exception>
#include <string>

namespace zodode::detail {

inline constexpr char kInvalidPosition[] = "invalid string position";
inline constexpr char kStringTooLong[] = "string too long";
inline constexpr char kVectorTooLong[] = "vector<T> too long";

// Code-page conversion failures, thrown through throw_message. The size-query
// failures of the narrow-to-wide routines append the source text (UTF-8: the
// converter's last-error code between head and tail, then the text).
inline constexpr char kToBytesSizeFailed[] = "Error in conversion.";
inline constexpr char kToBytesCountDiffers[] = "La falla!";
inline constexpr char kLatin1SizeFailed[] = "From Latin1 conversion error: ";
inline constexpr char kLatin1CountDiffers[] = "From Latin1: widesize error";
inline constexpr char kUtf8SizeFailedHead[] = "Error ";
inline constexpr char kUtf8SizeFailedTail[] = " in conversion of UTF8 string: \n";
inline constexpr char kUtf8CountDiffers[] = "From UTF-8: widesize error";

// Throws std::out_of_range("invalid string position").
[[noreturn]] void throw_invalid_position();
// Throws std::length_error("string too long").
[[noreturn]] void throw_string_too_long();
// Throws std::length_error("vector<T> too long").
[[noreturn]] void throw_vector_too_long();
// Throws std::bad_alloc.
[[noreturn]] void throw_bad_alloc();
// Throws a std::exception whose what() is message. (A small subclass carries
// the text, since the standard base does not on every platform.)
[[noreturn]] void throw_message(std::string message);

}  // namespace zodode::detail

#endif  // ZODODE_FRAME_ERRORS_H

// The conversion routines, written once over the code-page seam: ask the
// converter for the size, treat 0 as failure, convert into a zero-filled
// buffer of exactly that size, insist on the same count, keep the text up to
// its first NUL.
#include <cstddef>
#include <limits>
#include <string>

#include "encoding/code_page.h"
#include "frame/errors.h"

namespace zodode::detail {
namespace {

std::string latin1_size_failure(const code_page_api& /*api*/, std::string_view text) {
  return kLatin1SizeFailed + std::string(text);
}

// The last error is read first, right after the failed size query.
std::string utf8_size_failure(const code_page_api& api, std::string_view text) {
  const unsigned long code = api.last_error();
  return kUtf8SizeFailedHead + std::to_string(code) + kUtf8SizeFailedTail + std::string(text);
}

// A zero-filled working buffer of count units. A negative count is what the
// 32-bit build read as a size above 2^31, past the vector maximum.
template <typename Unit>
std::basic_string<Unit> zeroed_buffer(int count) {
  constexpr auto kMaxUnits =
      static_cast<std::size_t>(std::numeric_limits<std::ptrdiff_t>::max()) / sizeof(Unit);
  if (count < 0 || static_cast<std::size_t>(count) > kMaxUnits) throw_vector_too_long();
  return std::basic_string<Unit>(static_cast<std::size_t>(count), Unit());
}

// The one conversion body: size query, failure check, zero-filled working
// buffer, conversion, count check, text up to the first NUL. size_failed
// throws the size query's failure.
template <typename Source, typename Unit, typename SizeFailed>
std::basic_string<Unit> convert(int (*call)(unsigned, const Source*, Unit*, int),
                                unsigned code_page, const Source* text, SizeFailed size_failed,
                                const char* count_failure) {
  const int size = call(code_page, text, nullptr, 0);
  if (size == 0) size_failed();
  std::basic_string<Unit> buffer = zeroed_buffer<Unit>(size);
  if (call(code_page, text, &buffer[0], size) != size) throw_message(count_failure);
  buffer.resize(std::char_traits<Unit>::length(buffer.c_str()));
  return buffer;
}

}  // namespace

const to_wide_route kUtf8ToWide{kCodePageUtf8, utf8_size_failure, kUtf8CountDiffers};
const to_wide_route kLatin1ToWide{kCodePageAnsi, latin1_size_failure, kLatin1CountDiffers};

// The whole-text form, where the converter has one and the result surely
// fits; otherwise the two calls.
std::wstring code_page_to_wide(const code_page_api& api, const to_wide_route& route,
                               const std::string& text) {
  std::wstring out;
  if (api.to_wide_whole != nullptr && api.to_wide_whole(route.code_page, text.c_str(), out)) {
    return out;
  }
  const auto size_failed = [&] { throw_message(route.size_failure(api, text)); };
  return convert(api.to_wide, route.code_page, text.c_str(), size_failed, route.count_failure);
}

std::wstring code_page_to_wide(const code_page_api& api, const to_wide_route& route,
                               const char* text) {
  std::wstring out;
  if (api.to_wide_whole != nullptr && api.to_wide_whole(route.code_page, text, out)) return out;
  const auto size_failed = [&] { throw_message(route.size_failure(api, text)); };
  return convert(api.to_wide, route.code_page, text, size_failed, route.count_failure);
}

std::string wide_to_code_page(const code_page_api& api, unsigned code_page,
                              std::wstring_view text) {
  std::string out;
  if (api.to_bytes_whole != nullptr && api.to_bytes_whole(code_page, text, out)) return out;
  const auto size_failed = [] { throw_message(kToBytesSizeFailed); };
  return convert(api.to_bytes, code_page, text.data(), size_failed, kToBytesCountDiffers);
}

}  // namespace zodode::detail

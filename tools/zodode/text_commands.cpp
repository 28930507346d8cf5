// split, join, case, trim and align: per-line text operations of the library
// on a file or standard input, streamed line by line (case piece by piece).
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "commands.h"
#include "streams.h"
#include "zString.h"
#include "zWString.h"

namespace zodode::tool {
namespace {

// A split list holds one allocated zString per field, copied again whenever
// the vector grows (zString has no move), and a join needs its whole list at
// once. Handing the library at most this many fields (or bytes) at a time
// keeps memory to a few blocks on lines with millions of fields and on long
// inputs to join; the results put together equal those of a single call.
constexpr std::size_t kFieldsPerCall = 16;
constexpr std::size_t kJoinBytesPerCall = 64 * 1024;
constexpr long kMaxWidth = 1000000;

char parse_separator(const Invocation& call) {
  const std::string& text = call.args[0];
  if (text.size() != 1 || static_cast<unsigned char>(text[0]) > 0x7F) {
    throw UsageError(call.command + ": SEP must be one ASCII character, not '" + text +
                     "' (try 'zodode " + call.command + " --help')");
  }
  return text[0];
}

int parse_width(const Invocation& call) {
  const std::string& text = call.args[0];
  const bool digits = !text.empty() && text.size() <= 7 &&
                      text.find_first_not_of("0123456789") == std::string::npos;
  const long width = digits ? std::strtol(text.c_str(), nullptr, 10) : -1;
  if (width < 0 || width > kMaxWidth) {
    throw UsageError("align: WIDTH must be a whole number from 0 to 1000000, not '" + text +
                     "' (try 'zodode align --help')");
  }
  return static_cast<int>(width);
}

void write_line(const zString& text) {
  write_out(text.data(), text.length());
  write_out("\n");
}

// Calls each_line for every line of the input, checked for NUL bytes.
template <typename Function>
void for_each_line(Input& input, Function each_line) {
  std::string line;
  std::uint64_t start = input.offset();
  while (input.read_line(line)) {
    require_no_nul(line, start);
    each_line(line);
    start = input.offset();
  }
}

void write_fields(const std::string& text, char separator, bool keep_empty) {
  for (const zString& field : zString(text).ToStringList(separator, keep_empty)) {
    write_line(field);
  }
}

// A piece that ends with a separator splits into the fields before it, as
// the same fields would come out of the whole line.
void split_line(const std::string& line, char separator, bool keep_empty) {
  std::size_t start = 0;
  std::size_t fields = 0;
  for (std::size_t at = line.find(separator); at != std::string::npos;
       at = line.find(separator, at + 1)) {
    if (++fields == kFieldsPerCall) {
      write_fields(line.substr(start, at + 1 - start), separator, keep_empty);
      start = at + 1;
      fields = 0;
    }
  }
  write_fields(line.substr(start), separator, keep_empty);
}

// Joins the collected lines and writes them, after a separator when earlier
// lines were written.
void flush_join(std::vector<zString>& lines, char separator, bool& written) {
  if (written) {
    write_out(std::string(1, separator));
  }
  const zString joined(lines, separator);
  write_out(joined.data(), joined.length());
  lines.clear();
  written = true;
}

}  // namespace

void run_split(const Invocation& call) {
  const char separator = parse_separator(call);
  const bool keep_empty = call.has("--keep-empty");
  Input input(call.file);
  for_each_line(input, [&](const std::string& line) { split_line(line, separator, keep_empty); });
}

void run_join(const Invocation& call) {
  const char separator = parse_separator(call);
  Input input(call.file);
  std::vector<zString> lines;
  std::size_t bytes = 0;
  bool written = false;
  for_each_line(input, [&](const std::string& line) {
    lines.emplace_back(line);
    bytes += line.size();
    if (lines.size() == kFieldsPerCall || bytes >= kJoinBytesPerCall) {
      flush_join(lines, separator, written);
      bytes = 0;
    }
  });
  if (!lines.empty()) {
    flush_join(lines, separator, written);
  }
  if (written) {
    write_out("\n");
  }
}

// Case maps one character at a time, so the input streams in pieces; the
// wide class maps under the locale, so accented letters change too.
void run_case(const Invocation& call) {
  const bool upper = std::string(one_of(call, "--upper", "--lower")) == "--upper";
  Input input(call.file);
  for_each_piece(input, Cut::kUtf8Boundary, [upper](const std::string& piece) {
    const zWString text = from_utf8(piece);
    write_out(to_utf8(upper ? text.upperCase() : text.lowerCase()));
  });
}

// The narrow trim: it removes every white-space byte (the wide one only
// spaces). It classifies bytes under the locale, and a single-byte locale
// (Windows-1252, ISO 8859-1) calls 0xA0 white space, which would cut a UTF-8
// sequence such as U+00E0 (C3 A0) in half. In the C locale only the six
// ASCII white-space bytes are, and no byte of a UTF-8 sequence is one.
void run_trim(const Invocation& call) {
  std::setlocale(LC_CTYPE, "C");
  Input input(call.file);
  for_each_line(input, [](const std::string& line) {
    zString text(line);
    text.TrimSpace();
    write_line(text);
  });
}

// The wide alignment, so the width counts characters and not UTF-8 bytes.
void run_align(const Invocation& call) {
  const int width = parse_width(call);
  Input input(call.file);
  for_each_line(input, [width](const std::string& line) {
    zWString text = from_utf8(line);
    text.AlignLeftWithSize(width);
    write_out(to_utf8(text));
    write_out("\n");
  });
}

}  // namespace zodode::tool

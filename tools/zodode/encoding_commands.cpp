// base64, rtf and latin1: the encodings of the library on a file or standard
// input. All of them stream: base64 in whole lines of output, the others in
// pieces cut between characters.
#include <string>

#include "commands.h"
#include "streams.h"
#include "zString.h"
#include "zWString.h"

namespace zodode::tool {
namespace {

// 57 input bytes make one 76-character line, so encoding a multiple of 57
// bytes ends on a line feed and the pieces join up to the encoding of the
// whole input.
constexpr std::size_t kBase64Piece = 57 * 1024;

constexpr char kRtfHeader[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil Arial;}}\\f0\n";
constexpr char kRtfFooter[] = "}\n";

// Encodes the first size bytes of bytes and writes them; returns the text.
std::string write_base64(std::string& bytes, std::size_t size) {
  zString encoded;
  encoded.base64(reinterpret_cast<unsigned char*>(&bytes[0]), static_cast<long>(size));
  const std::string text = encoded;
  write_out(text);
  return text;
}

std::string rtf_body(const std::string& utf8) {
  zWString wide = from_utf8(utf8);
  return wide.toRTF();
}

// The library passes ASCII through unchanged, but in a document \, { and }
// are control characters and a tab is written as \tab.
std::string escape_rtf_controls(const std::string& line) {
  std::string out;
  out.reserve(line.size());
  for (const char c : line) {
    if (c == '\\' || c == '{' || c == '}') {
      out += '\\';
      out += c;
    } else if (c == '\t') {
      out += "\\tab ";
    } else {
      out += c;
    }
  }
  return out;
}

void write_rtf_document(Input& input) {
  write_out(kRtfHeader);
  std::string line;
  std::uint64_t line_start = input.offset();
  while (input.read_line(line)) {
    require_no_nul(line, line_start);
    write_out(rtf_body(escape_rtf_controls(line)));
    write_out("\\par\n");
    line_start = input.offset();
  }
  write_out(kRtfFooter);
}

}  // namespace

void run_base64(const Invocation& call) {
  Input input(call.file);
  std::string pending;
  std::string last;
  while (input.read_chunk(pending)) {
    if (pending.size() >= kBase64Piece) {
      const std::size_t whole = pending.size() - pending.size() % kBase64Piece;
      last = write_base64(pending, whole);
      pending.erase(0, whole);
    }
  }
  if (!pending.empty()) {
    last = write_base64(pending, pending.size());
  }
  // The library ends the text with a line feed only after a full line.
  if (!last.empty() && last.back() != '\n') {
    write_out("\n");
  }
}

void run_rtf(const Invocation& call) {
  Input input(call.file);
  if (call.has("--document")) {
    write_rtf_document(input);
    return;
  }
  for_each_piece(input, Cut::kUtf8Boundary,
                 [](const std::string& piece) { write_out(rtf_body(piece)); });
}

void run_latin1(const Invocation& call) {
  const bool to_latin1 = std::string(one_of(call, "--from", "--to")) == "--to";
  Input input(call.file);
  if (to_latin1) {
    for_each_piece(input, Cut::kUtf8Boundary, [](const std::string& piece) {
      write_out(std::string(from_utf8(piece).toLatin1()));
    });
  } else {
    for_each_piece(input, Cut::kAnywhere, [](const std::string& piece) {
      write_out(to_utf8(zWString::fromLatin1(zString(piece))));
    });
  }
}

}  // namespace zodode::tool

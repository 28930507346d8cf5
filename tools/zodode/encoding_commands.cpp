// base64, rtf and latin1: the encodings of the library on a file or standard
// input. All of them stream: base64 in whole lines of output, the others in
// pieces cut between characters.
#include <cstdio>
#include <string>

#include "commands.h"
#include "loss.h"
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

// The library passes ASCII through unchanged, but RTF reads \, { and } as
// its own, and a reader ignores a raw tab or control character. In a whole
// document a form feed is a page break and a vertical tab a line break
// within the paragraph; the other control characters are written as \'hh,
// the character of that code, which a reader keeps.
std::string escape_rtf_controls(const Piece& piece, bool document) {
  std::string out;
  out.reserve(piece.size);
  for (std::size_t i = 0; i < piece.size; ++i) {
    const char c = piece.data[i];
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\' || c == '{' || c == '}') {
      out += '\\';
      out += c;
    } else if (c == '\t') {
      out += "\\tab ";
    } else if (!document || byte >= 0x20) {
      out += c;
    } else if (c == '\f') {
      out += "\\page ";
    } else if (c == '\v') {
      out += "\\line ";
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\'%02x", byte);
      out += hex;
    }
  }
  return out;
}

std::string rtf_body(const Piece& piece, bool document, LossReport& loss) {
  zWString wide = from_utf8(escape_rtf_controls(piece, document));
  loss.count_ill_formed(piece, wide);
  return wide.toRTF();
}

}  // namespace

void run_base64(const Invocation& call) {
  Input input(call.file, Content::kBytes);
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
  LossReport loss(call);
  Input input(call.file, Content::kText);
  loss.skip_byte_order_mark(input);
  Piece piece;
  if (call.has("--document")) {
    write_out(kRtfHeader);
    while (input.next_line_piece(piece, Cut::kUtf8Boundary)) {
      write_out(rtf_body(piece, true, loss));
      write_out(piece.line_end ? "\\par\n" : "");
    }
    write_out(kRtfFooter);
  } else {
    while (input.next_piece(piece, Cut::kUtf8Boundary)) {
      write_out(rtf_body(piece, false, loss));
    }
  }
  loss.finish();
}

void run_latin1(const Invocation& call) {
  const bool to_latin1 = std::string(one_of(call, "--from", "--to")) == "--to";
  LossReport loss(call);
  Input input(call.file, Content::kText);
  Piece piece;
  if (to_latin1) {
    loss.skip_byte_order_mark(input);
    while (input.next_piece(piece, Cut::kUtf8Boundary)) {
      const zWString wide = from_utf8(piece.text());
      loss.count_not_in_latin1(piece, wide, loss.count_ill_formed(piece, wide));
      write_out(std::string(wide.toLatin1()));
    }
  } else {
    while (input.next_piece(piece, Cut::kAnywhere)) {
      write_out(to_utf8(zWString::fromLatin1(zString(piece.text()))));
    }
  }
  loss.finish();
}

}  // namespace zodode::tool

// Loss counting for the decoding commands. The library replaces ill-formed
// UTF-8 with U+FFFD and writes '?' for what Latin1 lacks without saying so;
// the tool counts both from the library's results and finds the first of
// each in the input bytes.
#include "loss.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "zString.h"

namespace zodode::tool {
namespace {

constexpr wchar_t kReplacement = 0xFFFD;
constexpr std::uint64_t kNone = ~std::uint64_t{0};

// The length of the well-formed UTF-8 sequence at text (Unicode's table of
// well-formed byte sequences), with its code point in code_point; 0 when the
// bytes there do not start one.
std::size_t well_formed_length(const unsigned char* text, std::size_t left,
                               std::uint32_t& code_point) {
  const unsigned lead = text[0];
  if (lead < 0x80) {
    code_point = lead;
    return 1;
  }
  std::size_t size = 0;
  unsigned low = 0x80;  // the range of the second byte
  unsigned high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    size = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    size = 3;
    low = lead == 0xE0 ? 0xA0 : low;    // no overlong forms
    high = lead == 0xED ? 0x9F : high;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    size = 4;
    low = lead == 0xF0 ? 0x90 : low;    // no overlong forms
    high = lead == 0xF4 ? 0x8F : high;  // nothing above U+10FFFF
  }
  if (size == 0 || left < size || text[1] < low || text[1] > high) {
    return 0;
  }
  code_point = lead & (0x7Fu >> size);
  for (std::size_t i = 1; i < size; ++i) {
    if ((text[i] & 0xC0) != 0x80) {
      return 0;
    }
    code_point = (code_point << 6) | (text[i] & 0x3Fu);
  }
  return size;
}

// Calls visit(offset_in_text, code_point) for each well-formed sequence and
// visit(offset_in_text, kNone) for each byte that starts none, until visit
// returns false.
template <typename Visit>
void scan_utf8(const Piece& piece, Visit visit) {
  const auto* text = reinterpret_cast<const unsigned char*>(piece.data);
  std::size_t at = 0;
  while (at < piece.size) {
    std::uint32_t code_point = 0;
    const std::size_t size = well_formed_length(text + at, piece.size - at, code_point);
    if (!visit(at, size == 0 ? kNone : code_point)) {
      return;
    }
    at += size == 0 ? 1 : size;
  }
}

// The characters the library's Latin1 (the ANSI code page on Windows) can
// hold: those its 255 non-NUL bytes decode to.
const std::vector<bool>& latin1_repertoire() {
  static const std::vector<bool> repertoire = [] {
    std::vector<bool> has(0x10000, false);
    for (int byte = 1; byte < 256; ++byte) {
      const char text[2] = {static_cast<char>(byte), '\0'};
      const zWString wide = zWString::fromLatin1(zString(text));
      for (unsigned int i = 0; i < wide.length(); ++i) {
        has[static_cast<std::uint32_t>(wide[i]) & 0xFFFF] = true;
      }
    }
    return has;
  }();
  return repertoire;
}

bool in_latin1(std::uint64_t code_point) {
  return code_point < 0x10000 && latin1_repertoire()[static_cast<std::size_t>(code_point)];
}

bool is_high_surrogate(std::uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

std::string plural(std::uint64_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

void print_line(const std::string& text) { std::fprintf(stderr, "zodode: %s\n", text.c_str()); }

}  // namespace

void LossReport::Tally::add(std::uint64_t more, std::uint64_t first_offset) {
  if (count == 0) {
    first = first_offset;
  }
  count += more;
}

LossReport::LossReport(const Invocation& call)
    : strict_(call.has("--strict")), quiet_(call.has("--quiet")) {}

void LossReport::skip_byte_order_mark(Input& input) {
  byte_order_mark_ = input.skip_byte_order_mark();
}

std::uint64_t LossReport::count_ill_formed(const Piece& piece, const zWString& wide) {
  const wchar_t* units = wide.c_str();
  const std::uint64_t replacements =
      static_cast<std::uint64_t>(std::count(units, units + wide.length(), kReplacement));
  if (replacements == 0) {
    return 0;
  }
  // Each U+FFFD the input spells out itself is no replacement.
  std::uint64_t spelled = 0;
  std::uint64_t first = kNone;
  scan_utf8(piece, [&](std::size_t at, std::uint64_t code_point) {
    first = code_point == kNone && first == kNone ? at : first;
    spelled += code_point == kReplacement ? 1 : 0;
    return true;
  });
  const std::uint64_t ill_formed = replacements - spelled;
  if (ill_formed != 0) {
    ill_formed_.add(ill_formed, piece.offset + first);
  }
  return ill_formed;
}

void LossReport::count_not_in_latin1(const Piece& piece, const zWString& wide,
                                     std::uint64_t ill_formed) {
  std::uint64_t missing = 0;
  const wchar_t* units = wide.c_str();
  const unsigned int length = wide.length();
  for (unsigned int i = 0; i < length; ++i) {
    const auto unit = static_cast<std::uint32_t>(units[i]);
    if (unit >= 0x80 && !in_latin1(unit)) {
      ++missing;
      // A UTF-16 surrogate pair (16-bit wchar_t) is one character.
      i += is_high_surrogate(unit) && i + 1 < length ? 1u : 0u;
    }
  }
  missing -= ill_formed;  // each became U+FFFD, which Latin1 lacks too
  if (missing == 0) {
    return;
  }
  std::uint64_t first = 0;
  if (not_in_latin1_.count == 0) {
    scan_utf8(piece, [&](std::size_t at, std::uint64_t code_point) {
      first = at;
      return code_point == kNone || in_latin1(code_point);
    });
  }
  not_in_latin1_.add(missing, piece.offset + first);
}

void LossReport::finish() {
  finish_output();
  const bool lost = ill_formed_.count != 0 || not_in_latin1_.count != 0;
  if (byte_order_mark_ && !quiet_) {
    print_line("skipped the byte-order mark at the start of the input");
  }
  if (quiet_ && !(strict_ && lost)) {
    return;
  }
  if (ill_formed_.count != 0) {
    print_line(
        plural(ill_formed_.count, "ill-formed UTF-8 sequence", "ill-formed UTF-8 sequences") +
        " replaced by U+FFFD, the first at offset " + std::to_string(ill_formed_.first) +
        " of the input");
  }
  if (not_in_latin1_.count != 0) {
    print_line(plural(not_in_latin1_.count, "character", "characters") +
               " that Latin1 lacks written as '?', the first at offset " +
               std::to_string(not_in_latin1_.first) + " of the input");
  }
  if (strict_ && lost) {
    throw Reported();
  }
}

}  // namespace zodode::tool

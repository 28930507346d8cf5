// split, join, case, trim and align: per-line text operations of the library
// on a file or standard input. Long lines go through in pieces, so memory
// stays a few blocks whatever the shape of the input.
#include <algorithm>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "commands.h"
#include "loss.h"
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
// White space that may end a line is held in memory up to this size, then in
// a temporary file.
constexpr std::size_t kHeldInMemory = 1024 * 1024;

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

void write_text(const zString& text) { write_out(text.data(), text.length()); }

// Writes the fields of each line as the library's ToStringList gives them
// for the whole line (every field between separators, empty ones only when
// kept, never the empty field after the last separator, so an empty line
// gives none), a piece at a time: a field is written as its bytes come, and
// its line end once the next field starts or the line ends.
class FieldWriter {
 public:
  FieldWriter(char separator, bool keep_empty) : separator_(separator), keep_empty_(keep_empty) {}

  void add(const Piece& piece) {
    eol_ = piece.eol;
    const char* text = piece.data;
    const char* end = text + piece.size;
    const char* first = std::find(text, end, separator_);
    if (first == end) {
      add_bytes(text, piece.size);
    } else {
      add_bytes(text, static_cast<std::size_t>(first - text));
      end_field();
      const char* last = end - 1;
      while (*last != separator_) {
        --last;
      }
      add_whole_fields(first + 1, last + 1);
      add_bytes(last + 1, static_cast<std::size_t>(end - last - 1));
    }
    if (piece.line_end) {
      end_line();
    }
  }

 private:
  void end_previous_field() {
    if (line_end_due_) {
      write_out(eol_);
      line_end_due_ = false;
    }
  }

  void add_bytes(const char* text, std::size_t size) {
    if (size == 0) {
      return;
    }
    if (!in_field_) {
      end_previous_field();
      in_field_ = true;
    }
    write_out(text, size);
  }

  // The current field meets a separator; an empty one is written only when
  // kept.
  void end_field() {
    if (!in_field_ && keep_empty_) {
      end_previous_field();
      in_field_ = true;
    }
    if (in_field_) {
      line_end_due_ = true;
      in_field_ = false;
    }
  }

  // Fields that each end with a separator, [begin, end), to the library in
  // parts of at most kFieldsPerCall fields.
  void add_whole_fields(const char* begin, const char* end) {
    std::size_t fields = 0;
    const char* start = begin;
    for (const char* at = begin; at != end; ++at) {
      if (*at == separator_ && (++fields == kFieldsPerCall || at + 1 == end)) {
        const zString part(std::string(start, at + 1));
        for (const zString& field : part.ToStringList(separator_, keep_empty_)) {
          end_previous_field();
          write_text(field);
          line_end_due_ = true;
        }
        start = at + 1;
        fields = 0;
      }
    }
  }

  void end_line() {
    line_end_due_ = line_end_due_ || in_field_;
    in_field_ = false;
    end_previous_field();
  }

  char separator_;
  bool keep_empty_;
  bool in_field_ = false;      // bytes of the current field were written
  bool line_end_due_ = false;  // a written field still lacks its line end
  const char* eol_ = "\n";
};

// A run of white space inside a line, held until the line goes on (then it
// is written) or ends (then it is trailing white space and goes). A run too
// long for memory goes on in a temporary file.
class HeldSpace {
 public:
  HeldSpace() = default;
  HeldSpace(const HeldSpace&) = delete;
  HeldSpace& operator=(const HeldSpace&) = delete;
  ~HeldSpace() { clear(); }

  void add(const char* text, std::size_t size) {
    if (memory_.size() + size <= kHeldInMemory) {
      memory_.append(text, size);
      return;
    }
    if (spill_ == nullptr && (spill_ = std::tmpfile()) == nullptr) {
      throw Failure("cannot hold a long run of white space: no temporary file");
    }
    if (std::fwrite(memory_.data(), 1, memory_.size(), spill_) != memory_.size() ||
        std::fwrite(text, 1, size, spill_) != size) {
      throw Failure("cannot hold a long run of white space: temporary file not written");
    }
    memory_.clear();
  }

  void write_and_clear() {
    if (spill_ != nullptr) {
      std::rewind(spill_);
      char block[16 * 1024];
      std::size_t got = 0;
      while ((got = std::fread(block, 1, sizeof block, spill_)) != 0) {
        write_out(block, got);
      }
    }
    write_out(memory_);
    clear();
  }

  void clear() {
    memory_.clear();
    if (spill_ != nullptr) {
      std::fclose(spill_);
      spill_ = nullptr;
    }
  }

 private:
  std::string memory_;
  std::FILE* spill_ = nullptr;
};

// Trims each line a piece at a time, the library telling white space from
// the rest: leading white space goes, inner runs are held until more text
// follows, and whatever is held when the line ends is trailing white space.
class LineTrimmer {
 public:
  void add(const Piece& piece) {
    if (!started_ && piece.line_end) {  // a whole line: one call
      zString line(piece.text());
      line.TrimSpace();
      write_text(line);
      write_out(piece.eol);
      return;
    }
    zString core(piece.text());
    const unsigned int size = core.length();
    core.TrimSpaceLeft();
    const unsigned int leading = size - core.length();
    core.TrimSpaceRight();  // core starts with a non-space byte, if any
    const unsigned int trailing = size - leading - core.length();
    if (core.length() == 0) {
      if (started_) {
        held_.add(piece.data, piece.size);
      }
    } else {
      if (started_) {
        held_.add(piece.data, leading);
        held_.write_and_clear();
      }
      write_text(core);
      held_.add(piece.data + size - trailing, trailing);
      started_ = true;
    }
    if (piece.line_end) {
      held_.clear();
      write_out(piece.eol);
      started_ = false;
    }
  }

 private:
  bool started_ = false;  // the line's first non-space byte was written
  HeldSpace held_;
};

// Joins the collected lines and writes them, after a separator when earlier
// lines were written.
void flush_join(std::vector<zString>& lines, char separator, bool& written) {
  if (lines.empty()) {
    return;
  }
  if (written) {
    write_out(std::string(1, separator));
  }
  write_text(zString(lines, separator));
  lines.clear();
  written = true;
}

zWString decode(const Piece& piece, LossReport& loss) {
  zWString wide = from_utf8(piece.text());
  loss.count_ill_formed(piece, wide);
  return wide;
}

}  // namespace

void run_split(const Invocation& call) {
  FieldWriter writer(parse_separator(call), call.has("--keep-empty"));
  Input input(call.file, Content::kText);
  Piece piece;
  while (input.next_line_piece(piece, Cut::kAnywhere)) {
    writer.add(piece);
  }
}

// Whole lines go to the library in lists; a line too long for one piece is
// written as its pieces come.
void run_join(const Invocation& call) {
  const char separator = parse_separator(call);
  Input input(call.file, Content::kText);
  std::vector<zString> lines;
  std::size_t bytes = 0;
  bool written = false;
  bool in_long_line = false;
  const char* eol = "\n";
  Piece piece;
  while (input.next_line_piece(piece, Cut::kAnywhere)) {
    eol = piece.eol;
    if (!in_long_line && piece.line_end) {
      lines.emplace_back(piece.text());
      bytes += piece.size;
      if (lines.size() == kFieldsPerCall || bytes >= kJoinBytesPerCall) {
        flush_join(lines, separator, written);
        bytes = 0;
      }
      continue;
    }
    if (!in_long_line) {
      flush_join(lines, separator, written);
      bytes = 0;
      write_out(written ? std::string(1, separator) : std::string());
      written = true;
    }
    write_out(piece.data, piece.size);
    in_long_line = !piece.line_end;
  }
  flush_join(lines, separator, written);
  if (written) {
    write_out(eol);
  }
}

// Case maps one character at a time, so the input streams in pieces; the
// wide class maps under the locale, so accented letters change too.
void run_case(const Invocation& call) {
  const bool upper = std::string(one_of(call, "--upper", "--lower")) == "--upper";
  LossReport loss(call);
  Input input(call.file, Content::kText);
  loss.skip_byte_order_mark(input);
  Piece piece;
  while (input.next_piece(piece, Cut::kUtf8Boundary)) {
    const zWString text = decode(piece, loss);
    write_out(to_utf8(upper ? text.upperCase() : text.lowerCase()));
  }
  loss.finish();
}

// The narrow trim: it removes every white-space byte (the wide one only
// spaces). It classifies bytes under the locale, and a single-byte locale
// (Windows-1252, ISO 8859-1) calls 0xA0 white space, which would cut a UTF-8
// sequence such as U+00E0 (C3 A0) in half. In the C locale only the six
// ASCII white-space bytes are, and no byte of a UTF-8 sequence is one.
void run_trim(const Invocation& call) {
  std::setlocale(LC_CTYPE, "C");
  Input input(call.file, Content::kText);
  LineTrimmer trimmer;
  Piece piece;
  while (input.next_line_piece(piece, Cut::kAnywhere)) {
    trimmer.add(piece);
  }
}

// The wide alignment, so the width counts characters and not UTF-8 bytes;
// the characters of a long line are counted piece by piece, and the last
// piece is padded to what the line still lacks.
void run_align(const Invocation& call) {
  const int width = parse_width(call);
  LossReport loss(call);
  Input input(call.file, Content::kText);
  loss.skip_byte_order_mark(input);
  int counted = 0;  // characters of the line so far, up to width
  Piece piece;
  while (input.next_line_piece(piece, Cut::kUtf8Boundary)) {
    zWString text = decode(piece, loss);
    if (piece.line_end) {
      text.AlignLeftWithSize(width - counted);
      counted = 0;
    } else {
      counted += static_cast<int>(
          std::min<unsigned int>(text.length(), static_cast<unsigned int>(width - counted)));
    }
    write_out(to_utf8(text));
    if (piece.line_end) {
      write_out(piece.eol);
    }
  }
  loss.finish();
}

}  // namespace zodode::tool

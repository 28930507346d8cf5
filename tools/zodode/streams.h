// Input and output of the zodode tool: a file or standard input read in
// bounded pieces, standard output written with every error checked, and the
// kinds of failure the tool reports.
#ifndef ZODODE_TOOL_STREAMS_H
#define ZODODE_TOOL_STREAMS_H

#include <cstddef>
#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>

namespace zodode::tool {

// A failure reported in one line with exit status 1 (bad file, read or write
// error, input the library cannot hold).
class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A failure whose lines are already on standard error: exit status 1.
class Reported : public std::exception {};

// A wrong command line, reported in one line with exit status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What the input may hold.
enum class Content {
  kBytes,  // anything (base64)
  kText,   // no NUL: zString texts end at the first one, so a NUL fails at once
};

// How a piece of input may be cut.
enum class Cut {
  kAnywhere,      // bytes stand alone (Latin1)
  kUtf8Boundary,  // never inside a UTF-8 sequence, valid or not
};

// A piece of input: at most a few blocks, so that no input, however long
// its lines, is ever held whole.
struct Piece {
  const char* data = nullptr;
  std::size_t size = 0;
  std::uint64_t offset = 0;  // input offset of data[0]
  // Line mode only: whether the line ends after this piece, and the line end
  // to write for it: "\r\n" or "\n" as the line had, or for a line not yet
  // ended (or ended by the end of the input) the end of the line before it
  // ("\n" when there was none).
  bool line_end = false;
  const char* eol = "\n";

  std::string text() const { return std::string(data, size); }
};

// A named file, or standard input for "" and "-".
class Input {
 public:
  Input(const std::string& path, Content content);
  ~Input();
  Input(const Input&) = delete;
  Input& operator=(const Input&) = delete;

  // Appends the next block of input to out; false at the end of the input.
  bool read_chunk(std::string& out);
  // The next piece of the input, lines disregarded, cut as cut allows;
  // false at the end of the input. With Cut::kUtf8Boundary every piece ends
  // before a byte that can start a sequence, so a decoder sees each sequence,
  // valid or ill-formed, whole, and converting piece by piece gives what
  // converting the whole input would.
  bool next_piece(Piece& piece, Cut cut);
  // The next piece of the current line, without its line end; a line long
  // enough to fill the buffer comes in several pieces. A line feed ends a
  // line, and a carriage return just before it belongs to the line end. A
  // last line without a line feed is still a line. False at the end.
  bool next_line_piece(Piece& piece, Cut cut);
  // Skips a UTF-8 byte-order mark (EF BB BF) at the very start of the input;
  // true when there was one. Call before reading anything else.
  bool skip_byte_order_mark();

 private:
  bool fill();
  Piece take(std::size_t size, std::size_t skip);

  int fd_;
  bool owned_;
  Content content_;
  std::string name_;
  std::string buffer_;  // unread bytes from pos_ on
  std::size_t pos_ = 0;
  std::uint64_t base_ = 0;  // input offset of buffer_[0]
  bool at_end_ = false;
  bool in_line_ = false;  // part of the current line has been handed out
  const char* last_eol_ = "\n";
};

// Standard output; every write is checked, so a full disk is an error and not
// a silently short result.
void write_out(const char* data, std::size_t size);
void write_out(const std::string& text);
void write_out(const char* text);
// Flushes standard output and reports a failed write.
void finish_output();

}  // namespace zodode::tool

#endif  // ZODODE_TOOL_STREAMS_H

// Input and output of the zodode tool: a file or standard input read in
// blocks or lines, standard output written with every error checked, and the
// two kinds of failure the tool reports.
#ifndef ZODODE_TOOL_STREAMS_H
#define ZODODE_TOOL_STREAMS_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>

namespace zodode::tool {

// A failure reported in one line with exit status 1 (bad file, read or write
// error, input the library cannot hold).
class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A wrong command line, reported in one line with exit status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A named file, or standard input for "" and "-", read in blocks.
class Input {
 public:
  explicit Input(const std::string& path);
  ~Input();
  Input(const Input&) = delete;
  Input& operator=(const Input&) = delete;

  // Appends the next block of input to out; false at the end of the input.
  bool read_chunk(std::string& out);
  // The next line, without its line feed; false at the end of the input. A
  // last line without a line feed still counts as a line.
  bool read_line(std::string& line);
  // Number of bytes handed out so far (for positions in messages).
  std::uint64_t offset() const { return offset_; }

 private:
  bool refill();

  std::FILE* file_;
  bool owned_;
  std::string name_;
  std::string block_;
  std::size_t pos_ = 0;
  std::uint64_t offset_ = 0;
};

// Standard output; every write is checked, so a full disk is an error and not
// a silently short result.
void write_out(const char* data, std::size_t size);
void write_out(const std::string& text);
void write_out(const char* text);
// Flushes standard output and reports a failed write.
void finish_output();

// Throws Failure when text holds a NUL byte: zString texts end at the first
// NUL, so text commands cannot carry one through. text starts at byte
// base_offset of the input (for the message).
void require_no_nul(const std::string& text, std::uint64_t base_offset);

// How for_each_piece may cut the input.
enum class Cut {
  kAnywhere,      // bytes stand alone (Latin1)
  kUtf8Boundary,  // never inside a UTF-8 sequence, valid or not
};

// Hands the whole input to piece in pieces of a few blocks at most, checked
// for NUL bytes. With Cut::kUtf8Boundary every piece ends just before a byte
// that is not a continuation byte, so a decoder sees each sequence, valid or
// ill-formed, whole, and converting piece by piece gives what converting the
// whole input at once would give.
void for_each_piece(Input& input, Cut cut, const std::function<void(const std::string&)>& piece);

}  // namespace zodode::tool

#endif  // ZODODE_TOOL_STREAMS_H

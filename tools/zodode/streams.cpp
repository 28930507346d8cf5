// Blocks and lines in, checked bytes out.
#include "streams.h"

#include <cerrno>
#include <cstring>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

namespace zodode::tool {
namespace {

// Large enough to keep system calls rare, small enough that streaming
// commands hold only a few blocks at any time.
constexpr std::size_t kBlockSize = 64 * 1024;

std::string quoted(const std::string& name) { return "'" + name + "'"; }

std::string reason(int error) { return std::strerror(error); }

std::FILE* open_input(const std::string& path) {
  if (path.empty() || path == "-") {
#if defined(_WIN32)
    _setmode(_fileno(stdin), _O_BINARY);  // bytes as they are, no CR-LF folding
#endif
    return stdin;
  }
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    throw Failure("cannot open " + quoted(path) + ": " + reason(errno));
  }
  return file;
}

}  // namespace

Input::Input(const std::string& path)
    : file_(open_input(path)),
      owned_(file_ != stdin),
      name_(owned_ ? quoted(path) : "standard input") {}

Input::~Input() {
  if (owned_) {
    std::fclose(file_);
  }
}

bool Input::refill() {
  block_.resize(kBlockSize);
  errno = 0;
  const std::size_t got = std::fread(&block_[0], 1, kBlockSize, file_);
  block_.resize(got);
  pos_ = 0;
  if (got == 0 && std::ferror(file_)) {
    throw Failure("cannot read " + name_ + ": " + reason(errno != 0 ? errno : EIO));
  }
  return got != 0;
}

bool Input::read_chunk(std::string& out) {
  if (pos_ == block_.size() && !refill()) {
    return false;
  }
  out.append(block_, pos_, std::string::npos);
  offset_ += block_.size() - pos_;
  pos_ = block_.size();
  return true;
}

bool Input::read_line(std::string& line) {
  line.clear();
  bool any = false;
  while (pos_ < block_.size() || refill()) {
    any = true;
    const char* begin = block_.data() + pos_;
    const std::size_t left = block_.size() - pos_;
    const void* feed = std::memchr(begin, '\n', left);
    const std::size_t take = feed != nullptr ? static_cast<const char*>(feed) - begin : left;
    line.append(begin, take);
    const std::size_t used = feed != nullptr ? take + 1 : take;
    pos_ += used;
    offset_ += used;
    if (feed != nullptr) {
      break;
    }
  }
  return any;
}

namespace {

void check_stdout() {
  if (std::ferror(stdout)) {
    throw Failure("cannot write standard output: " + reason(errno != 0 ? errno : EIO));
  }
}

struct BinaryStdout {
  BinaryStdout() {
#if defined(_WIN32)
    _setmode(_fileno(stdout), _O_BINARY);
#endif
  }
};

}  // namespace

void write_out(const char* data, std::size_t size) {
  static const BinaryStdout binary;
  (void)binary;
  errno = 0;
  if (size != 0 && std::fwrite(data, 1, size, stdout) != size) {
    check_stdout();
    throw Failure("cannot write standard output");
  }
}

void write_out(const std::string& text) { write_out(text.data(), text.size()); }

void write_out(const char* text) { write_out(text, std::strlen(text)); }

void finish_output() {
  errno = 0;
  if (std::fflush(stdout) != 0) {
    check_stdout();
    throw Failure("cannot write standard output: " + reason(errno != 0 ? errno : EIO));
  }
  check_stdout();
}

void require_no_nul(const std::string& text, std::uint64_t base_offset) {
  const void* nul = std::memchr(text.data(), '\0', text.size());
  if (nul != nullptr) {
    const std::uint64_t at = base_offset + (static_cast<const char*>(nul) - text.data());
    throw Failure("NUL byte at offset " + std::to_string(at) +
                  " of the input: library texts end at the first NUL, so text commands "
                  "refuse it (base64 takes any bytes)");
  }
}

namespace {

// Pieces stay well below the allocator's large-block threshold, so that the
// wide copies and results of one piece reuse the heap of the last one.
constexpr std::size_t kPieceSize = 16 * 1024;

bool is_continuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// Where a piece of the size bytes at text may end without cutting a UTF-8
// sequence: before the last byte that can start one. A lead byte takes at most
// three continuation bytes, so past a run of four or more of them every
// position is a boundary (the surplus ones each stand alone as ill-formed).
std::size_t utf8_boundary(const char* text, std::size_t size) {
  std::size_t start = size;
  while (start > 0 && is_continuation(text[start - 1])) {
    --start;
  }
  if (size - start >= 4) {
    return size;
  }
  return start == 0 ? 0 : start - 1;
}

// The length of the next piece of the size bytes at text; 0 when the piece
// needs bytes that have not been read yet.
std::size_t next_piece(const char* text, std::size_t size, Cut cut) {
  const std::size_t most = size < kPieceSize ? size : kPieceSize;
  return cut == Cut::kAnywhere ? most : utf8_boundary(text, most);
}

}  // namespace

void for_each_piece(Input& input, Cut cut, const std::function<void(const std::string&)>& piece) {
  std::string pending;
  std::uint64_t done = 0;
  std::string head;
  bool more = true;
  while (more) {
    more = input.read_chunk(pending);
    std::size_t start = 0;
    std::size_t length = 0;
    while ((length = next_piece(pending.data() + start, pending.size() - start, cut)) != 0 ||
           (!more && start < pending.size())) {
      length = length != 0 ? length : pending.size() - start;
      head.assign(pending, start, length);
      require_no_nul(head, done + start);
      piece(head);
      start += length;
    }
    pending.erase(0, start);
    done += start;
  }
}

}  // namespace zodode::tool

// Pieces and lines in, checked bytes out.
#include "streams.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace zodode::tool {
namespace {

// Large enough to keep system calls rare, small enough that streaming
// commands hold only a few blocks at any time.
constexpr std::size_t kBlockSize = 64 * 1024;

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

// zString texts end at the first NUL, so text commands cannot carry one
// through; the size bytes at text start at input offset base.
void require_no_nul(const char* text, std::size_t size, std::uint64_t base) {
  if (const void* nul = std::memchr(text, '\0', size)) {
    const std::uint64_t at =
        base + static_cast<std::uint64_t>(static_cast<const char*>(nul) - text);
    throw Failure("NUL byte at offset " + std::to_string(at) +
                  " of the input: library texts end at the first NUL, so text commands "
                  "refuse it (base64 takes any bytes)");
  }
}

std::string quoted(const std::string& name) { return "'" + name + "'"; }

std::string reason(int error) { return std::strerror(error); }

constexpr int kStandardInput = 0;

// Input is read with the system's read, not stdio, so that a read returns
// what has arrived: a NUL in a slow stream fails at once rather than after
// the stream has filled a block.
int open_input(const std::string& path) {
  if (path.empty() || path == "-") {
#if defined(_WIN32)
    _setmode(kStandardInput, _O_BINARY);  // bytes as they are, no CR-LF folding
#endif
    return kStandardInput;
  }
#if defined(_WIN32)
  const int fd = _open(path.c_str(), _O_RDONLY | _O_BINARY);
#else
  const int fd = ::open(path.c_str(), O_RDONLY);
#endif
  if (fd < 0) {
    throw Failure("cannot open " + quoted(path) + ": " + reason(errno));
  }
  return fd;
}

// Reads at most size bytes; the count read, 0 at the end, -1 on an error.
long read_some(int fd, char* out, std::size_t size) {
#if defined(_WIN32)
  return _read(fd, out, static_cast<unsigned int>(size));
#else
  ssize_t got = 0;
  do {
    got = ::read(fd, out, size);
  } while (got < 0 && errno == EINTR);
  return static_cast<long>(got);
#endif
}

void close_input(int fd) {
#if defined(_WIN32)
  _close(fd);
#else
  ::close(fd);
#endif
}

}  // namespace

Input::Input(const std::string& path, Content content)
    : fd_(open_input(path)),
      owned_(fd_ != kStandardInput),
      content_(content),
      name_(owned_ ? quoted(path) : "standard input") {}

Input::~Input() {
  if (owned_) {
    close_input(fd_);
  }
}

// Keeps the unread bytes and appends the next block after them. Text input
// is checked here, so a NUL fails as soon as it is read, before any line or
// piece around it has to be held whole.
bool Input::fill() {
  if (at_end_) {
    return false;
  }
  buffer_.erase(0, pos_);
  base_ += pos_;
  pos_ = 0;
  const std::size_t kept = buffer_.size();
  buffer_.resize(kept + kBlockSize);
  const long got = read_some(fd_, &buffer_[kept], kBlockSize);
  if (got < 0) {
    throw Failure("cannot read " + name_ + ": " + reason(errno));
  }
  buffer_.resize(kept + static_cast<std::size_t>(got));
  if (got == 0) {
    at_end_ = true;
    return false;
  }
  if (content_ == Content::kText) {
    require_no_nul(buffer_.data() + kept, static_cast<std::size_t>(got), base_ + kept);
  }
  return true;
}

Piece Input::take(std::size_t size, std::size_t skip) {
  Piece piece;
  piece.data = buffer_.data() + pos_;
  piece.size = size;
  piece.offset = base_ + pos_;
  pos_ += size + skip;
  return piece;
}

bool Input::read_chunk(std::string& out) {
  if (pos_ == buffer_.size() && !fill()) {
    return false;
  }
  out.append(buffer_, pos_, std::string::npos);
  pos_ = buffer_.size();
  return true;
}

bool Input::next_piece(Piece& piece, Cut cut) {
  for (;;) {
    const std::size_t left = buffer_.size() - pos_;
    if (left == 0 && at_end_) {
      return false;
    }
    std::size_t size = left < kPieceSize ? left : kPieceSize;
    if (cut == Cut::kUtf8Boundary && !(at_end_ && size == left)) {
      size = utf8_boundary(buffer_.data() + pos_, size);
    }
    if (size != 0) {
      piece = take(size, 0);
      return true;
    }
    fill();  // what has arrived is used at once; wait only for a whole character
  }
}

bool Input::next_line_piece(Piece& piece, Cut cut) {
  for (;;) {
    const char* begin = buffer_.data() + pos_;
    const std::size_t left = buffer_.size() - pos_;
    if (const void* feed = std::memchr(begin, '\n', left)) {
      const std::size_t size = static_cast<std::size_t>(static_cast<const char*>(feed) - begin);
      const std::size_t cr = size > 0 && begin[size - 1] == '\r' ? 1 : 0;
      piece = take(size - cr, cr + 1);
      last_eol_ = cr != 0 ? "\r\n" : "\n";
      piece.line_end = true;
      piece.eol = last_eol_;
      in_line_ = false;
      return true;
    }
    if (left < kBlockSize && fill()) {
      continue;
    }
    if (at_end_) {
      if (left == 0 && !in_line_) {
        return false;
      }
      piece = take(left, 0);
      piece.line_end = true;
      piece.eol = last_eol_;
      in_line_ = false;
      return true;
    }
    // A line longer than the buffer: hand out what may be cut off, keeping
    // back a carriage return that a line feed in the next block may follow.
    std::size_t size = cut == Cut::kAnywhere ? left : utf8_boundary(begin, left);
    size -= size > 0 && begin[size - 1] == '\r' ? 1 : 0;
    piece = take(size, 0);
    piece.line_end = false;
    piece.eol = last_eol_;
    in_line_ = true;
    return true;
  }
}

bool Input::skip_byte_order_mark() {
  while (buffer_.size() - pos_ < 3 && fill()) {
  }
  if (buffer_.compare(pos_, 3, "\xEF\xBB\xBF") != 0) {
    return false;
  }
  pos_ += 3;
  return true;
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

}  // namespace zodode::tool

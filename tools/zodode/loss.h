// What a conversion could not carry over: ill-formed UTF-8 that the library
// replaced, characters the target encoding lacks, and a skipped byte-order
// mark. Counted over the whole input and reported on standard error at the
// end, one line per kind, with the input offset of the first of each.
#ifndef ZODODE_TOOL_LOSS_H
#define ZODODE_TOOL_LOSS_H

#include <cstddef>
#include <cstdint>

#include "cli.h"
#include "streams.h"
#include "zWString.h"

namespace zodode::tool {

class LossReport {
 public:
  // Takes --strict (a loss fails the command) and --quiet (no notes) from call.
  explicit LossReport(const Invocation& call);

  // Skips a UTF-8 byte-order mark at the start of input, noting it.
  void skip_byte_order_mark(Input& input);
  // Counts the ill-formed sequences among the UTF-8 bytes of piece, which the
  // library decoded to wide; returns how many there were.
  std::uint64_t count_ill_formed(const Piece& piece, const zWString& wide);
  // Counts the characters of wide, decoded from piece with ill_formed
  // replacements among them, that Latin1 cannot hold.
  void count_not_in_latin1(const Piece& piece, const zWString& wide, std::uint64_t ill_formed);
  // Flushes the output and writes the report. Under --strict a loss is an
  // error: the same lines, then exit status 1 (Reported).
  void finish();

 private:
  struct Tally {
    std::uint64_t count = 0;
    std::uint64_t first = 0;  // input offset of the first one
    void add(std::uint64_t more, std::uint64_t first_offset);
  };

  bool strict_;
  bool quiet_;
  bool byte_order_mark_ = false;
  Tally ill_formed_;
  Tally not_in_latin1_;
};

}  // namespace zodode::tool

#endif  // ZODODE_TOOL_LOSS_H

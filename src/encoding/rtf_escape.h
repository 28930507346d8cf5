// RTF escaping of wide text, in two forms with the same result: in rounds
// straight into the result, ASCII through the block loops of path P
// (rounds.h, unit_runs.h), and the reference that counts first and then
// writes. The narrow result ends at the first NUL of the text.
#ifndef ZODODE_ENCODING_RTF_ESCAPE_H
#define ZODODE_ENCODING_RTF_ESCAPE_H

#include <string>
#include <string_view>

#include "encoding/unit_runs.h"

namespace zodode::detail {

template <typename Char, run_path P = kRunPath>
std::basic_string<Char> rtf_in_rounds(std::wstring_view text);

template <typename Char>
std::basic_string<Char> rtf_counted(std::wstring_view text);

}  // namespace zodode::detail

#endif  // ZODODE_ENCODING_RTF_ESCAPE_H

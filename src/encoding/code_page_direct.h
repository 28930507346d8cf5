// The portable converter's whole-text form: a text converted straight into
// the result's own storage, with exactly the results of the two-call form
// (size query, conversion into a zero-filled buffer, copy up to the NUL) but
// without its count pass, working buffer and copy. ASCII runs go through the
// run loops of path P (unit_runs.h), every other character through the same
// per-character rules as the two calls (code_page_rules.h).
#ifndef ZODODE_ENCODING_CODE_PAGE_DIRECT_H
#define ZODODE_ENCODING_CODE_PAGE_DIRECT_H

#include <string>
#include <string_view>

#include "encoding/unit_runs.h"

namespace zodode::detail {

// Narrow to wide: in holds no NUL and a NUL follows it. Wide to narrow: a NUL
// follows in, and the conversion ends at the first NUL of in or that one.
// Each returns false, leaving out unspecified, when the result might not fit
// the int count of the two calls (their one failure); the caller then takes
// the two calls, which decide.
template <run_path P = kRunPath>
bool utf8_to_wide_direct(std::string_view in, std::wstring& out);
template <run_path P = kRunPath>
bool latin1_to_wide_direct(std::string_view in, std::wstring& out);
template <run_path P = kRunPath>
bool wide_to_utf8_direct(std::wstring_view in, std::string& out);
template <run_path P = kRunPath>
bool wide_to_latin1_direct(std::wstring_view in, std::string& out);

}  // namespace zodode::detail

#endif  // ZODODE_ENCODING_CODE_PAGE_DIRECT_H

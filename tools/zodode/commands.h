// The subcommands of the zodode tool; each reads its input (a file or
// standard input) and writes standard output.
#ifndef ZODODE_TOOL_COMMANDS_H
#define ZODODE_TOOL_COMMANDS_H

#include <string>

#include "cli.h"
#include "zString.h"
#include "zWString.h"

namespace zodode::tool {

// UTF-8 bytes (without NUL) as wide text; ill-formed bytes become U+FFFD.
inline zWString from_utf8(const std::string& text) { return zWString::fromUtf8(zString(text)); }

// Wide text as UTF-8 bytes.
inline std::string to_utf8(const zWString& text) { return text.toUtf8(); }

void run_base64(const Invocation& call);
void run_rtf(const Invocation& call);
void run_latin1(const Invocation& call);
void run_split(const Invocation& call);
void run_join(const Invocation& call);
void run_case(const Invocation& call);
void run_trim(const Invocation& call);
void run_align(const Invocation& call);
void run_demo(const Invocation& call);

}  // namespace zodode::tool

#endif  // ZODODE_TOOL_COMMANDS_H

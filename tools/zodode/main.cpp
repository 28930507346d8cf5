// zodode: text tools on the zodode32 string library.
//
// Exit status 0 when done, 1 on a failure (bad file, write error, input the
// library cannot hold, an exception from the library, a loss under --strict),
// 2 on a wrong command line. Every failure is one line on standard error
// (a loss under --strict: one line for each kind).
#include <clocale>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "cli.h"
#include "streams.h"

namespace {

using zodode::tool::Command;

constexpr int kFailed = 1;
constexpr int kUsage = 2;
constexpr char kVersion[] = "zodode 1.0.0 (zodode32 1.0.0)\n";

// Case mapping and white space follow the locale, which the library never
// sets. The tool reads and writes UTF-8 whatever the locale says, so when the
// environment leaves the plain C locale (ASCII only) it takes C.UTF-8's
// character classes instead.
void choose_locale() {
  std::setlocale(LC_ALL, "");
  const char* ctype = std::setlocale(LC_CTYPE, nullptr);
  if (ctype == nullptr || std::strcmp(ctype, "C") == 0 || std::strcmp(ctype, "POSIX") == 0) {
    std::setlocale(LC_CTYPE, "C.UTF-8");
  }
}

// One line on standard error, whatever the message holds (the library's
// UTF-8 failure message carries a line feed and the source text).
int report(const std::string& message, int status) {
  std::string line = message.substr(0, 300);
  for (char& c : line) {
    c = (c == '\n' || c == '\r' || c == '\t') ? ' ' : c;
  }
  std::fprintf(stderr, "zodode: %s\n", line.c_str());
  return status;
}

int run_command(const Command& command, const std::vector<std::string>& words) {
  bool help = false;
  const zodode::tool::Invocation call = zodode::tool::parse_invocation(command, words, help);
  if (help) {
    zodode::tool::write_out(zodode::tool::command_help(command));
  } else {
    command.run(call);
  }
  zodode::tool::finish_output();
  return 0;
}

int dispatch(const std::vector<std::string>& words) {
  if (words.empty()) {
    throw zodode::tool::UsageError("missing command (try 'zodode --help')");
  }
  const std::string& name = words.front();
  const std::vector<std::string> rest(words.begin() + 1, words.end());
  if (name == "--help" || name == "-h" || name == "help") {
    zodode::tool::write_out(zodode::tool::overview_help());
  } else if (name == "--version") {
    zodode::tool::write_out(kVersion);
  } else if (const Command* command = zodode::tool::find_command(name)) {
    return run_command(*command, rest);
  } else if (name.size() > 1 && name[0] == '-') {
    throw zodode::tool::UsageError("unknown option '" + name + "' (try 'zodode --help')");
  } else {
    throw zodode::tool::UsageError("unknown command '" + name + "' (try 'zodode --help')");
  }
  zodode::tool::finish_output();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  choose_locale();
  try {
    return dispatch(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const zodode::tool::UsageError& error) {
    return report(error.what(), kUsage);
  } catch (const zodode::tool::Failure& error) {
    return report(error.what(), kFailed);
  } catch (const zodode::tool::Reported&) {
    return kFailed;
  } catch (const std::bad_alloc&) {
    return report("out of memory", kFailed);
  } catch (const std::exception& error) {
    return report(std::string("library error: ") + error.what(), kFailed);
  }
}

// The command line of the zodode tool: the table of subcommands and the
// parsing of their flags, arguments and input file.
#ifndef ZODODE_TOOL_CLI_H
#define ZODODE_TOOL_CLI_H

#include <string>
#include <vector>

namespace zodode::tool {

// One parsed call of a subcommand.
struct Invocation {
  std::string command;
  std::vector<std::string> flags;  // the flags given, e.g. "--upper"
  std::vector<std::string> args;   // the required arguments, e.g. SEP or WIDTH
  std::string file;                // "" for standard input

  bool has(const char* flag) const;
};

using Runner = void (*)(const Invocation&);

struct Command {
  const char* name;
  const char* usage;    // arguments after the name, e.g. "SEP [--keep-empty] [FILE]"
  const char* summary;  // one line for the overview
  const char* details;  // the rest of --help
  std::vector<const char*> flags;
  std::vector<const char*> arg_names;  // required arguments in order
  bool reads_input;
  Runner run;
};

// Every subcommand, in the order of the overview.
const std::vector<Command>& commands();

// The subcommand named name, or null.
const Command* find_command(const std::string& name);

// Parses the words after the subcommand's name. Throws UsageError on an
// unknown flag, a missing or surplus argument. Sets help when --help or -h is
// among the words (the rest is then not checked).
Invocation parse_invocation(const Command& command, const std::vector<std::string>& words,
                            bool& help);

// Exactly one of the two flags, or a UsageError naming them.
const char* one_of(const Invocation& call, const char* first, const char* second);

// The text of zodode --help and of zodode COMMAND --help.
std::string overview_help();
std::string command_help(const Command& command);

}  // namespace zodode::tool

#endif  // ZODODE_TOOL_CLI_H

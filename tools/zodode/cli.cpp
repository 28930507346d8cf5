// The subcommand table, --help texts and argument parsing.
#include "cli.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "commands.h"
#include "streams.h"

namespace zodode::tool {
namespace {

constexpr char kFileNote[] =
    "FILE is read instead of standard input when given (\"-\" is standard input;\n"
    "put -- before a FILE that starts with '-').\n";

constexpr char kLossNote[] =
    "\nA byte-order mark at the start of UTF-8 input is skipped and noted. Standard\n"
    "error says how many ill-formed UTF-8 sequences were replaced (by U+FFFD) and\n"
    "how many characters the target lacks, with the offset of the first of each.\n"
    "--strict  make either an error (exit status 1, the same line); the output is\n"
    "          still written in full, replacements included, so discard it\n"
    "--quiet   no such notes (with --strict, the error is still reported)\n";

// Every word that starts with '-' is an option, except "-" itself (standard
// input); "--" ends the options.
bool is_option(const std::string& word) { return word.size() > 1 && word[0] == '-'; }

bool is_help(const std::string& word) { return word == "--help" || word == "-h"; }

[[noreturn]] void usage_error(const Command& command, const std::string& text) {
  throw UsageError(std::string(command.name) + ": " + text + " (try 'zodode " + command.name +
                   " --help')");
}

void take_flag(const Command& command, const std::string& word, Invocation& call) {
  const bool known = std::any_of(command.flags.begin(), command.flags.end(),
                                 [&](const char* flag) { return word == flag; });
  if (!known) {
    usage_error(command, "unknown option '" + word + "'");
  }
  call.flags.push_back(word);
}

void take_word(const Command& command, const std::string& word, bool& file_seen, Invocation& call) {
  if (call.args.size() < command.arg_names.size()) {
    call.args.push_back(word);
  } else if (command.reads_input && !file_seen) {
    call.file = word;
    file_seen = true;
  } else {
    usage_error(command, "unexpected argument '" + word + "'");
  }
}

}  // namespace

bool Invocation::has(const char* flag) const {
  return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

const std::vector<Command>& commands() {
  static const std::vector<Command> table = {
      {"base64",
       "[FILE]",
       "encode bytes as Base64 in lines of 76 characters",
       "Any bytes, NUL included. Every output line ends with a line feed.\n",
       {},
       {},
       true,
       run_base64},
      {"rtf",
       "[--document] [--strict] [--quiet] [FILE]",
       "escape UTF-8 text for an RTF body",
       "Characters above U+007F become \\uN? escapes, \\, { and } are escaped and a\n"
       "tab is written as \\tab; a byte-order mark is dropped.\n"
       "--document  write a complete RTF document, one paragraph (\\par) per line;\n"
       "            a form feed becomes \\page, a vertical tab \\line, CR LF a line\n"
       "            end and any other control character \\'hh, its code, which a\n"
       "            reader keeps or drops as it treats that character\n",
       {"--document", "--strict", "--quiet"},
       {},
       true,
       run_rtf},
      {"latin1",
       "--from|--to [--strict] [--quiet] [FILE]",
       "convert between UTF-8 and Latin1 (Windows-1252)",
       "--from  Latin1 in, UTF-8 out\n"
       "--to    UTF-8 in, Latin1 out; characters Latin1 lacks become '?'\n",
       {"--from", "--to", "--strict", "--quiet"},
       {},
       true,
       run_latin1},
      {"split",
       "SEP [--keep-empty] [FILE]",
       "split each line at SEP, one field per line",
       "SEP is one ASCII character. Empty fields are dropped unless --keep-empty is\n"
       "given; a separator at the end of a line gives no empty field, and an empty\n"
       "line gives no field. A line ends at LF or CR LF, and each field's line ends\n"
       "as its input line did.\n",
       {"--keep-empty"},
       {"SEP"},
       true,
       run_split},
      {"join",
       "SEP [FILE]",
       "join the lines into one, with SEP between them",
       "SEP is one ASCII character. Empty input gives empty output. A line ends at\n"
       "LF or CR LF (dropped); the joined line ends as the last input line did.\n",
       {},
       {"SEP"},
       true,
       run_join},
      {"case",
       "--upper|--lower [--strict] [--quiet] [FILE]",
       "upper-case or lower-case UTF-8 text",
       "Character by character under the locale's rules (LC_CTYPE; C.UTF-8 when the\n"
       "environment selects the plain C locale).\n",
       {"--upper", "--lower", "--strict", "--quiet"},
       {},
       true,
       run_case},
      {"trim",
       "[FILE]",
       "remove white space at both ends of each line",
       "White space: space, tab, vertical tab, form feed and carriage return.\n"
       "A line keeps its line end, LF or CR LF.\n",
       {},
       {},
       true,
       run_trim},
      {"align",
       "WIDTH [--strict] [--quiet] [FILE]",
       "pad each line with spaces to WIDTH characters",
       "WIDTH is a whole number from 0 to 1000000; it counts characters (code\n"
       "points), not display columns. Longer lines are left as they are. The\n"
       "padding goes before the line end, which stays LF or CR LF.\n",
       {"--strict", "--quiet"},
       {"WIDTH"},
       true,
       run_align},
      {"demo",
       "",
       "a tour of every family of the library on a sample text",
       "Shows each call with its input and its result side by side.\n",
       {},
       {},
       false,
       run_demo},
  };
  return table;
}

const Command* find_command(const std::string& name) {
  for (const Command& command : commands()) {
    if (name == command.name) {
      return &command;
    }
  }
  return nullptr;
}

Invocation parse_invocation(const Command& command, const std::vector<std::string>& words,
                            bool& help) {
  Invocation call;
  call.command = command.name;
  help = std::any_of(words.begin(), std::find(words.begin(), words.end(), "--"), is_help);
  if (help) {
    return call;
  }
  bool file_seen = false;
  bool options_done = false;
  for (const std::string& word : words) {
    if (!options_done && word == "--") {
      options_done = true;
    } else if (!options_done && is_option(word)) {
      take_flag(command, word, call);
    } else {
      take_word(command, word, file_seen, call);
    }
  }
  if (call.args.size() < command.arg_names.size()) {
    usage_error(command, std::string("missing ") + command.arg_names[call.args.size()]);
  }
  return call;
}

const char* one_of(const Invocation& call, const char* first, const char* second) {
  const bool has_first = call.has(first);
  if (has_first == call.has(second)) {
    throw UsageError(call.command + ": give exactly one of " + first + " and " + second +
                     " (try 'zodode " + call.command + " --help')");
  }
  return has_first ? first : second;
}

std::string overview_help() {
  std::string text =
      "usage: zodode COMMAND [OPTIONS] [FILE]\n"
      "Text tools on the zodode32 string library. Input is UTF-8 text (Latin1 for\n"
      "latin1 --from) from FILE or standard input; output goes to standard output.\n\n"
      "commands:\n";
  for (const Command& command : commands()) {
    std::string name = command.name;
    name.resize(8, ' ');
    text += "  " + name + command.summary + "\n";
  }
  text +=
      "\n'zodode COMMAND --help' describes a command, 'zodode --version' gives the\n"
      "version. Exit status: 0 done, 1 failure (unreadable file, write error, NUL\n"
      "byte in text input, a loss under --strict), 2 wrong command line.\n";
  return text;
}

std::string command_help(const Command& command) {
  std::string text = std::string("usage: zodode ") + command.name;
  if (std::strlen(command.usage) != 0) {
    text += std::string(" ") + command.usage;
  }
  std::string summary = command.summary;
  summary[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(summary[0])));
  text += "\n" + summary + ".\n\n" + command.details;
  const auto takes = [&](const char* flag) {
    return std::any_of(command.flags.begin(), command.flags.end(),
                       [flag](const char* known) { return std::strcmp(known, flag) == 0; });
  };
  if (takes("--strict")) {
    text += kLossNote;
  }
  if (command.reads_input) {
    text += kFileNote;
  }
  return text;
}

}  // namespace zodode::tool

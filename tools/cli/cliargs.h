#pragma once
// The command line of tovix-cli: global options, one subcommand, its
// options and operands. Parsing is a pure function so tests drive it.
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tovix::cli {

struct CliCall {
  std::string command;                // "" when only global options were given
  std::vector<std::string> operands;  // in the system's encoding, as typed
  // Subcommand options by name ("--jpeg"); a flag has an empty value.
  std::map<std::string, std::string> options;
  std::optional<std::string> iniFile;                     // --ini FILE
  std::vector<std::pair<std::string, std::string>> sets;  // --set KEY=VALUE, in order
  bool save = false;                                      // --save
  bool help = false;                                      // --help, -h, "help [CMD]"

  bool HasOption(const std::string& name) const { return options.count(name) != 0; }
  std::string Option(const std::string& name) const {
    auto it = options.find(name);
    return it == options.end() ? std::string() : it->second;
  }
};

struct ParseResult {
  CliCall call;
  std::string error;  // empty when the call is good
  bool ok() const { return error.empty(); }
};

// The subcommands, in the order the help lists them.
const std::vector<std::string>& CommandNames();
bool IsCommand(const std::string& name);

// Parses argv[1..] (without the program name). Global options may stand
// before or after the subcommand; "--" ends the options. Every check that
// needs no file is made here: unknown commands and options, missing or
// extra operands, a --set without "=" or with an unknown key.
ParseResult ParseCommandLine(const std::vector<std::string>& args);

}  // namespace tovix::cli

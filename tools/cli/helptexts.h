#pragma once
// The help of tovix-cli in one language (UTF-8): the overview's parts and
// one text per subcommand.
#include <span>

namespace tovix::cli {

struct CommandHelpText {
  const char* command;
  const char* text;
};

struct HelpTexts {
  const char* usageLine;  // "Usage: tovix-cli [OPTIONS] COMMAND [ARGS...]"
  const char* intro;      // what the program does, after the usage line
  const char* commands;   // the list of subcommands
  const char* options;    // the global options, closing every help
  std::span<const CommandHelpText> perCommand;
};

extern const HelpTexts kEnglishHelp;
extern const HelpTexts kGermanHelp;
extern const HelpTexts kFrenchHelp;

}  // namespace tovix::cli

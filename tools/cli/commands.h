#pragma once
// The subcommands of tovix-cli, each over the pass code the pages run.
#include <optional>
#include <string>

#include "cliargs.h"
#include "console.h"
#include "settings/settings.h"

namespace tovix::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitPassError = 1;
inline constexpr int kExitBadCall = 2;

struct RunContext {
  const CliCall& call;
  Settings& settings;
  Console& console;
  // The current folder at start (Windows-1252), before any run moves away.
  std::string startDir;
};

int RunScan(RunContext& context);
int RunPicture(RunContext& context);
int RunBins(RunContext& context);
int RunTexts(RunContext& context);
int RunRename(RunContext& context);
int RunCdBatch(RunContext& context);
int RunRecode(RunContext& context);
int RunSheet(RunContext& context);
int RunDisc(RunContext& context);
int RunDemo(RunContext& context);
int RunPlay(RunContext& context);

// The commands that paint or decode pictures (Qt and libavcodec) live in a
// module beside tovix-cli, loaded only when one of them runs, so the other
// commands start without those libraries.
inline constexpr const char* kPictureModule = "libtovix-cli-pictures.so";
inline constexpr const char* kPictureModuleEntry = "tovix_cli_run_pictures";
using PictureModuleEntry = int (*)(RunContext* context);
bool IsPictureCommand(const std::string& command);

// Shared helpers of the subcommands.

// An operand or option value (system encoding) as the program holds paths;
// nullopt, with a message, when it cannot be held in Windows-1252.
std::optional<std::string> AnsiPath(RunContext& context, const std::string& nativeText);
// A folder made absolute against the start folder, so a run may change its
// working folder; kept as it is when already absolute.
std::string Absolute(const RunContext& context, const std::string& folder);
// False, with a message naming the settings key, when folder is not an
// existing folder.
bool RequireFolder(RunContext& context, const std::string& folder, const char* key);
// "tovix-cli: " + text on standard error (text UTF-8).
void Complain(RunContext& context, const std::string& utf8);

}  // namespace tovix::cli

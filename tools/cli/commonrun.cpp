#include "commands.h"
#include "lang/buildstrings.h"
#include "platform/codepage.h"
#include "platform/filesys.h"

namespace tovix::cli {

bool IsPictureCommand(const std::string& command) {
  return command == "picture" || command == "bins" || command == "demo" || command == "sheet";
}

void Complain(RunContext& context, const std::string& utf8) {
  context.console.ErrorNote("tovix-cli: " + utf8);
}

std::optional<std::string> AnsiPath(RunContext& context, const std::string& nativeText) {
  auto ansi = platform::FromNative(nativeText);
  if (!ansi) Complain(context, Say(str::kCliNotWin1252, {nativeText}));
  return ansi;
}

std::string Absolute(const RunContext& context, const std::string& folder) {
  if (!folder.empty() && folder.front() == platform::kPathSep) return folder;
  if (folder.empty() || folder == ".") return context.startDir;
  return platform::WithSep(context.startDir) + folder;
}

bool RequireFolder(RunContext& context, const std::string& folder, const char* key) {
  if (platform::IsDirectory(folder)) return true;
  const std::string shown = platform::AnsiToUtf8(folder);
  const std::string problem = folder.empty()             ? Say(str::kCliFolderNotSet)
                              : platform::Exists(folder) ? Say(str::kNotAFolder, {shown})
                                                         : Say(str::kDoesNotExist, {shown});
  Complain(context, Say(str::kCliSettingsKey, {problem, key}));
  return false;
}

}  // namespace tovix::cli

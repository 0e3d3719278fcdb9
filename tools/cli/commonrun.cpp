#include "commands.h"
#include "platform/codepage.h"
#include "platform/filesys.h"

namespace tovix::cli {

void Complain(RunContext& context, const std::string& utf8) {
  context.console.ErrorNote("tovix-cli: " + utf8);
}

std::optional<std::string> AnsiPath(RunContext& context, const std::string& nativeText) {
  auto ansi = platform::FromNative(nativeText);
  if (!ansi)
    Complain(context, "\"" + nativeText + "\" holds a character that Windows-1252 lacks; " +
                          "Tovix cannot name such a file");
  return ansi;
}

std::string Absolute(const RunContext& context, const std::string& folder) {
  if (!folder.empty() && folder.front() == platform::kPathSep) return folder;
  if (folder.empty() || folder == ".") return context.startDir;
  return platform::WithSep(context.startDir) + folder;
}

bool RequireFolder(RunContext& context, const std::string& folder, const char* what,
                   const char* key) {
  if (platform::IsDirectory(folder)) return true;
  const std::string shown = platform::AnsiToUtf8(folder);
  if (folder.empty())
    Complain(context, std::string("no ") + what + " is set (settings key " + key + ")");
  else if (platform::Exists(folder))
    Complain(context, std::string("the ") + what + " \"" + shown +
                          "\" is not a folder (settings key " + key + ")");
  else
    Complain(context, std::string("the ") + what + " \"" + shown +
                          "\" does not exist (settings key " + key + ")");
  return false;
}

}  // namespace tovix::cli

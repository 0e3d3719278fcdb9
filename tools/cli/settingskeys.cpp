#include "settingskeys.h"

#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "lang/buildstrings.h"
#include "picture/bitmap.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"
#include "settings/settingskeys.h"

namespace tovix::cli {
namespace {

// A private folder for the copy, removed with it.
class ScratchFolder {
 public:
  ScratchFolder() {
    const auto base = platform::TempPath();
    std::string pattern = platform::ToNative(base.value_or("/tmp/")) + "tovix-cli-XXXXXX";
    if (!mkdtemp(pattern.data())) throw IoError(errno, BuildText(str::kCannotCreate, {pattern}));
    native_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(native_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The Windows-1252 path of a file in the folder.
  std::string File(const std::string& name) const {
    return platform::FromNative(native_).value_or(native_) + platform::kPathSep + name;
  }

 private:
  std::string native_;
};

}  // namespace

bool IsSettingsKey(const std::string& key) {
  return FindSettingsKey(key) != nullptr;
}

Settings LoadRunSettings(const std::string& iniPath, const std::vector<Override>& overrides,
                         const std::string& workingDir) {
  const bool exists = platform::Exists(iniPath);
  if (exists && platform::IsDirectory(iniPath))
    throw IoError(EISDIR, BuildText(str::kCannotRead, {iniPath}));
  if (overrides.empty()) return ReadSettings(platform::IniFile(iniPath), workingDir);

  ScratchFolder scratch;
  const std::string copy = scratch.File("tovix.ini");
  if (exists) WriteFileReplacing(copy, ReadWholeFile(iniPath));
  platform::IniFile ini(copy);
  for (const auto& [key, value] : overrides) ini.WriteString(kSettingsSection, key, value);
  return ReadSettings(ini, workingDir);
}

void SaveRunSettings(const std::string& iniPath, const Settings& settings) {
  platform::IniFile ini(iniPath);
  WriteSettings(ini, settings);
}

}  // namespace tovix::cli

#include "runsettings.h"

#include <cerrno>
#include <cstdio>
#include <stdexcept>

#include "lang/buildstrings.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"
#include "settings/settingskeys.h"

namespace tovix::cli {

Settings LoadRunSettings(const std::string& iniPath, const std::vector<Override>& overrides,
                         const std::string& workingDir) {
  // The profile reader takes a file it cannot open for a missing one; a run
  // would then work with the defaults (the working folder as source) unasked.
  if (platform::Exists(iniPath)) {
    if (platform::IsDirectory(iniPath))
      throw IoError(EISDIR, BuildText(str::kCannotRead, {iniPath}));
    std::FILE* f = platform::OpenFile(iniPath, "rb");
    if (!f) throw IoError(errno, BuildText(str::kCannotRead, {iniPath}));
    std::fclose(f);
  }
  Settings settings = ReadSettings(platform::IniFile(iniPath), workingDir);
  for (const auto& [name, value] : overrides) {
    const SettingsKey* key = FindSettingsKey(name);
    if (!key) throw std::invalid_argument("not a settings key: " + name);
    SetSetting(settings, *key, value, workingDir);
  }
  return settings;
}

void SaveRunSettings(const std::string& iniPath, const Settings& settings) {
  platform::IniFile ini(iniPath);
  WriteSettings(ini, settings);
}

}  // namespace tovix::cli

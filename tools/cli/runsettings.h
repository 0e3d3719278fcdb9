#pragma once
// The settings of one tovix-cli run: tovix.ini (or --ini FILE) with the
// --set overrides set on the record by the rule reading gives their key.
#include <string>
#include <utility>
#include <vector>

#include "settings/settings.h"

namespace tovix::cli {

using Override = std::pair<std::string, std::string>;  // key, Windows-1252 value

// The settings from iniPath (Windows-1252; a missing file gives the
// defaults), then each override in turn; the file itself is not touched.
// workingDir is the default of the source and BIN folders. Throws IoError
// when the file exists but cannot be read, std::invalid_argument for a key
// the settings do not have.
Settings LoadRunSettings(const std::string& iniPath, const std::vector<Override>& overrides,
                         const std::string& workingDir);

// Writes every key into iniPath, as the program does at exit. Throws IoError.
void SaveRunSettings(const std::string& iniPath, const Settings& settings);

}  // namespace tovix::cli

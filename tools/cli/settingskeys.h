#pragma once
// The settings of one tovix-cli run: tovix.ini (or --ini FILE) with the
// --set overrides applied to a temporary copy, so every key keeps the
// reading rule the program gives it.
#include <string>
#include <utility>
#include <vector>

#include "settings/settings.h"

namespace tovix::cli {

// True for a key of the settings file, in the spelling it is read or
// written with, compared without regard to case ("wavedir", "SaveJPG").
bool IsSettingsKey(const std::string& key);

using Override = std::pair<std::string, std::string>;  // key, Windows-1252 value

// The settings from iniPath (Windows-1252; a missing file gives the
// defaults), with each override written into a temporary copy first; the
// file itself is not touched. workingDir is the default of the source and
// BIN folders. Throws IoError when the file exists but cannot be read or
// the copy cannot be made.
Settings LoadRunSettings(const std::string& iniPath, const std::vector<Override>& overrides,
                         const std::string& workingDir);

// Writes every key into iniPath, as the program does at exit. Throws IoError.
void SaveRunSettings(const std::string& iniPath, const Settings& settings);

}  // namespace tovix::cli

#pragma once
// The program's own folder: where tovix.ini and fehler.txt live. The program
// folder of a build run in place while it is writable, else the user's
// settings folder, $XDG_CONFIG_HOME/tovix/ (default ~/.config/tovix/), as
// always for an installed copy.
#include <string>

namespace tovix::platform {

// The file that the install lays into the program folder; a build's own
// folder lacks it.
inline constexpr const char* kInstalledMarker = "tovix.installed";

// True when dir (with or without a trailing separator) holds the marker: it
// is an installed copy, whose folder belongs to the package, not to a user.
bool IsInstalledFolder(const std::string& dir);

// True when the effective user may create files in dir by its permission
// bits, which also bind root here: a read-only program folder stays
// read-only for every user.
bool FolderIsWritable(const std::string& dir);

// $XDG_CONFIG_HOME/tovix/, or ~/.config/tovix/ when it is not set or not an
// absolute path, with a trailing separator; "" when neither can be named.
std::string UserSettingsDir();

// ProgramDir() while it is writable and not installed, else
// UserSettingsDir(), created (with its parents) on the first call.
// Windows-1252, with a trailing separator.
std::string OwnFolder();

}  // namespace tovix::platform

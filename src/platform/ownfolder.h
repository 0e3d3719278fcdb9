#pragma once
// The program's own folder: where tovix.ini and fehler.txt live. The program
// folder while it is writable (a build run in place), else the user's
// settings folder, $XDG_CONFIG_HOME/tovix/ (default ~/.config/tovix/), as for
// an installed copy under a system prefix.
#include <string>

namespace tovix::platform {

// True when the effective user may create files in dir by its permission
// bits, which also bind root here: a read-only program folder stays
// read-only for every user.
bool FolderIsWritable(const std::string& dir);

// $XDG_CONFIG_HOME/tovix/, or ~/.config/tovix/ when it is not set or not an
// absolute path, with a trailing separator; "" when neither can be named.
std::string UserSettingsDir();

// ProgramDir() while it is writable, else UserSettingsDir(), created (with
// its parents) on the first call. Windows-1252, with a trailing separator.
std::string OwnFolder();

}  // namespace tovix::platform

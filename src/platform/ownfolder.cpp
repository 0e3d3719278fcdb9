#include "platform/ownfolder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/filesys.h"

namespace tovix::platform {
namespace {

bool InGroup(gid_t gid) {
  if (gid == getegid()) return true;
  const int n = getgroups(0, nullptr);
  if (n <= 0) return false;
  std::string buffer(static_cast<std::size_t>(n) * sizeof(gid_t), '\0');
  auto* groups = reinterpret_cast<gid_t*>(buffer.data());
  const int got = getgroups(n, groups);
  for (int i = 0; i < got; ++i)
    if (groups[i] == gid) return true;
  return false;
}

// mkdir -p for a native path; true when the folder exists afterwards.
bool MakeFolders(const std::string& native) {
  for (std::size_t slash = native.find('/', 1);; slash = native.find('/', slash + 1)) {
    const std::string part = native.substr(0, slash);
    if (!part.empty() && mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat st;
  return stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

bool FolderIsWritable(const std::string& dir) {
  const std::string native = ToNative(dir.empty() ? std::string(".") : dir);
  struct stat st;
  if (stat(native.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  // access() also knows read-only file systems; the bits keep root out of a
  // folder that nobody is meant to write to.
  if (access(native.c_str(), W_OK | X_OK) != 0) return false;
  if (st.st_uid == geteuid()) return (st.st_mode & S_IWUSR) != 0;
  if (InGroup(st.st_gid)) return (st.st_mode & S_IWGRP) != 0;
  return (st.st_mode & S_IWOTH) != 0;
}

bool IsInstalledFolder(const std::string& dir) {
  // Decided by the marker, not by the folder's mode: the package keeps its
  // folders at the usual 0755, which root could write to.
  struct stat st;
  const std::string marker =
      ToNative(WithSep(dir.empty() ? std::string(".") : dir) + kInstalledMarker);
  return stat(marker.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string UserSettingsDir() {
  std::string base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/') {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/') {
      const passwd* user = getpwuid(geteuid());
      home = user ? user->pw_dir : nullptr;
    }
    if (!home || home[0] != '/') return {};
    base = std::string(home) + "/.config";
  }
  const auto ansi = FromNative(base + "/tovix");
  return ansi ? WithSep(*ansi) : std::string();
}

std::string OwnFolder() {
  const std::string program = ProgramDir();
  if (!IsInstalledFolder(program) && FolderIsWritable(program)) return program;
  const std::string user = UserSettingsDir();
  if (user.empty()) return program;
  // Made once it is needed; a failure shows when the file is written.
  MakeFolders(ToNative(user.substr(0, user.size() - 1)));
  return user;
}

}  // namespace tovix::platform

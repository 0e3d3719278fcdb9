#include "rename/saferename.h"

#include <optional>

#include "platform/filesys.h"

namespace tovix {
namespace {

// Name part of a path the platform layer handed back.
std::string LastComponent(const std::string& path) {
  const std::size_t at = path.find_last_of(platform::kPathSep);
  return at == std::string::npos ? path : path.substr(at + 1);
}

std::optional<std::string> OnDiskName(const std::string& dir, const std::string& name) {
  const auto found = platform::FindNoCase(dir + name);
  if (!found) return std::nullopt;
  return LastComponent(*found);
}

std::optional<std::string> FreeTemporaryName(const std::string& dir) {
  for (int i = 0; i < 1000; ++i) {
    const std::string name = ".tovix-rename-" + std::to_string(i) + ".tmp";
    if (!platform::Exists(dir + name)) return name;
  }
  return std::nullopt;
}

bool RenameCaseOnly(const std::string& dir, const std::string& from, const std::string& to) {
  const auto temporary = FreeTemporaryName(dir);
  if (!temporary) return false;
  if (!platform::RenameNoReplace(dir + from, dir + *temporary)) return false;
  if (platform::RenameNoReplace(dir + *temporary, dir + to)) return true;
  // Put the file back under its old name rather than leave it hidden.
  platform::RenameNoReplace(dir + *temporary, dir + from);
  return false;
}

}  // namespace

bool IsPlainFileName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F || c == '/' || c == '\\' || c == '"') return false;
  }
  return true;
}

bool RenameInFolder(const std::string& dir, const std::string& oldName,
                    const std::string& newName) {
  if (!IsPlainFileName(oldName) || !IsPlainFileName(newName)) return false;
  const auto from = OnDiskName(dir, oldName);
  if (!from || platform::IsDirectory(dir + *from)) return false;
  if (*from == newName) return true;
  const auto clash = OnDiskName(dir, newName);
  if (clash && *clash == *from) return RenameCaseOnly(dir, *from, newName);
  if (clash) return false;
  return platform::RenameNoReplace(dir + *from, dir + newName);
}

}  // namespace tovix

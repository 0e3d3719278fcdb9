#include "rename/saferename.h"

#include <optional>

#include "platform/filesys.h"

namespace tovix {
namespace {

std::optional<std::string> FreeTemporaryName(const platform::FolderIndex& index) {
  for (int i = 0; i < 1000; ++i) {
    const std::string name = ".tovix-rename-" + std::to_string(i) + ".tmp";
    if (!index.Find(name)) return name;
  }
  return std::nullopt;
}

// Each step is a rename that never replaces; index follows the disk.
bool Move(platform::FolderIndex& index, const std::string& dir, const std::string& from,
          const std::string& to) {
  if (!platform::RenameNoReplaceExact(dir + from, dir + to)) return false;
  index.Remove(from);
  index.Add(to);
  return true;
}

bool RenameCaseOnly(platform::FolderIndex& index, const std::string& dir, const std::string& from,
                    const std::string& to) {
  const auto temporary = FreeTemporaryName(index);
  if (!temporary) return false;
  if (!Move(index, dir, from, *temporary)) return false;
  if (Move(index, dir, *temporary, to)) return true;
  // Put the file back under its old name rather than leave it hidden.
  Move(index, dir, *temporary, from);
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
  platform::FolderIndex index(dir);
  return RenameInFolder(index, dir, oldName, newName);
}

bool RenameInFolder(platform::FolderIndex& index, const std::string& dir,
                    const std::string& oldName, const std::string& newName) {
  if (!IsPlainFileName(oldName) || !IsPlainFileName(newName)) return false;
  // The index holds no folders, so a folder is never renamed.
  const auto from = index.Find(oldName);
  if (!from) return false;
  if (*from == newName) return true;
  const auto clash = index.Find(newName);
  // A change of letter case, unless another spelling is there as well.
  if (clash && *clash == *from && index.Count(newName) == 1)
    return RenameCaseOnly(index, dir, *from, newName);
  if (clash) return false;
  return Move(index, dir, *from, newName);
}

}  // namespace tovix

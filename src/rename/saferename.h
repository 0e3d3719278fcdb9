#pragma once
// Renaming a file inside one folder without ever replacing another file.
#include <string>

namespace tovix {

namespace platform {
class FolderIndex;
}

// Renames dir + oldName to dir + newName (dir ends in a separator). The old
// name is matched without regard to case. Fails when another file already
// has the new name in any letter case; a change of letter case alone is
// done through a temporary name. A new name that names another folder
// (holds a separator) or holds a control character fails. True on success,
// also when the name is already the new one.
bool RenameInFolder(const std::string& dir, const std::string& oldName, const std::string& newName);
// The same for a pass that renames many files of dir: names are looked up
// in index (dir listed once) instead of listing dir per rename, and index
// follows each rename.
bool RenameInFolder(platform::FolderIndex& index, const std::string& dir,
                    const std::string& oldName, const std::string& newName);

// True when name can stand as a plain file name inside a folder.
bool IsPlainFileName(const std::string& name);

}  // namespace tovix

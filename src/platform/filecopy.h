#pragma once
// Copying a file so that no half-written copy is ever seen under its name,
// and telling whether two paths name the same file or folder.
#include <cstdint>
#include <functional>
#include <string>

namespace tovix::platform {

// Called after each block with the bytes copied so far and the size of the
// source; false stops the copy.
using CopyProgress = std::function<bool(std::int64_t done, std::int64_t total)>;

// Copies from to `to` (both Windows-1252 paths, taken as spelled) in blocks
// of blockBytes, through a hidden temporary file beside `to` that replaces
// `to` only when it is whole, with the source's modification time. A failed
// or stopped copy removes the temporary file and leaves `to` as it was.
// Returns 0, ECANCELED when progress stopped it, or the system's error number.
int CopyFileWhole(const std::string& from, const std::string& to, std::size_t blockBytes,
                  const CopyProgress& progress);

// True when both paths exist and name the same file or folder, however they
// are spelled (trailing separators, links, "." and "..").
bool SameEntry(const std::string& a, const std::string& b);

// What a path holds right now, to tell whether something wrote it meanwhile.
struct FileStamp {
  bool exists = false;
  std::uint64_t device = 0, inode = 0;
  std::int64_t size = 0;
  std::int64_t modifiedNs = 0;
  bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const std::string& path);

// Renames from to `to`, replacing a file there: only for the program's own
// temporary files, never for a user's. False (errno set) on failure.
bool RenameReplacing(const std::string& from, const std::string& to);

// Makes dir the current folder; false (errno set) when it cannot.
bool ChangeDir(const std::string& dir);

}  // namespace tovix::platform

#pragma once
// The file-system layer. Every path handed in or out is Windows-1252 text,
// as the program holds it; the layer converts to the system's encoding
// (UTF-8 on Linux). Names are matched without regard to case, as on Windows.
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tovix::platform {

// Separator the program adds between a folder and a name.
inline constexpr char kPathSep = '/';

// A folder path with one separator at its end ("" stays "").
std::string WithSep(const std::string& dir);

// Windows-1252 path to the system's encoding, and back (nullopt when the
// system name cannot be held in Windows-1252).
std::string ToNative(const std::string& path);
std::optional<std::string> FromNative(const std::string& nativePath);

struct Listing {
  // Real on-disk names (Windows-1252) of the matching plain files, in
  // directory order (sorted by name without regard to case).
  std::vector<std::string> names;
  // Entries no pass can handle: the raw system name (UTF-8 or bytes) and why.
  struct Rejected {
    std::string nativeName;
    std::string reason;
  };
  std::vector<Rejected> rejected;
  // False when the folder itself could not be read.
  bool ok = true;
};

// Plain files of dir whose names match pattern ('*' and '?' wildcards,
// without regard to case). Directories, hidden entries (leading '.') and
// anything but regular files are left out. Names holding a character that
// Windows-1252 lacks, a double quote, a backslash (a separator on Windows and
// inside batch files) or a control character are listed in rejected, never
// dropped silently.
Listing ListFiles(const std::string& dir, const std::string& pattern);

// Wildcard match without regard to case ('*', '?').
bool WildcardMatch(const std::string& pattern, const std::string& name);

// name with its letters folded as names are compared here (without regard
// to case, accented letters too): two names that give the same key would
// be one file on Windows.
std::string NameKey(std::string_view name);

// The entries of one folder other than subfolders, listed once for many
// lookups without regard to case: a pass that looked each name up with
// FindNoCase would list a large folder once per file. A pass that renames
// or adds files tells the index, so it stays the folder's picture.
class FolderIndex {
 public:
  explicit FolderIndex(const std::string& dir);
  // The on-disk name of name without regard to case (the exact spelling wins).
  std::optional<std::string> Find(const std::string& name) const;
  // How many entries match name without regard to case.
  std::size_t Count(const std::string& name) const;
  // A file the pass made or renamed to, and one it renamed away.
  void Add(const std::string& onDiskName);
  void Remove(const std::string& onDiskName);
  // True when a subfolder matches name without regard to case: a file of
  // that name could not be made beside it on Windows, nor moved into place.
  bool HasFolder(const std::string& name) const;

 private:
  std::multimap<std::string, std::string> folded_;  // folded -> on disk
  std::set<std::string> folders_;                   // folded
};

// True when path names an existing file or folder, the last component
// matched without regard to case.
bool Exists(const std::string& path);
bool IsDirectory(const std::string& path);
// The path with its last component spelled as on disk, when one matches
// without regard to case (the exact spelling wins).
std::optional<std::string> FindNoCase(const std::string& path);

// Size in bytes, or -1 when the file cannot be examined.
std::int64_t FileSize(const std::string& path);

// 0 when a file of needBytes can be written into folder as far as can be
// told from outside; else the reason as an error number (EACCES, EROFS,
// ENOSPC, ENOENT).
int FolderWriteProblem(const std::string& folder, std::int64_t needBytes);

bool IsReadOnly(const std::string& path);
// Sets or clears the owner's write permission; false on failure.
bool SetReadOnly(const std::string& path, bool readOnly);

// Renames without ever replacing: fails (false, errno EEXIST) when the
// target exists, also under another letter case.
bool RenameNoReplace(const std::string& from, const std::string& to);
// The same for a caller that has ruled out the other letter cases itself
// (through a FolderIndex): the exact target is still never replaced, but no
// folder is listed.
bool RenameNoReplaceExact(const std::string& from, const std::string& to);
bool RemoveFile(const std::string& path);
bool MakeDir(const std::string& path);
bool RemoveDir(const std::string& path);

// Writes bytes as the whole content of path: into a hidden temporary file
// beside it, then renamed over it, so a failed write (full disk) leaves the
// old file whole and no half-written one. An existing file keeps its
// spelling on disk and its permissions; a read-only one is left alone
// (EACCES). Returns 0 or the system's error number.
int WriteFileWhole(const std::string& path, std::string_view bytes);
// The same for a path spelled as on disk, or free in every letter case (a
// pass writing many files checks that through a FolderIndex): no listing.
int WriteFileWholeExact(const std::string& path, std::string_view bytes);

// Opens an existing regular file (flags as for open(2): O_RDONLY or O_RDWR)
// without ever blocking: a FIFO, a device or a socket is refused as a
// missing file would be (ENOENT), a folder with EISDIR. Returns the
// descriptor (close-on-exec) and stores the size, or -1 with errno set.
int OpenRegularFile(const std::string& path, int flags, std::int64_t* size = nullptr);

// fopen over ToNative(path); a file opened for reading must be a regular
// file (OpenRegularFile), so a FIFO never blocks the program.
std::FILE* OpenFile(const std::string& path, const char* mode);

// The short form of a path; on this platform the path itself.
std::string ShortPath(const std::string& path);
// The temporary folder ($TMPDIR or /tmp) with a trailing separator.
std::optional<std::string> TempPath();
// The folder of the running program, with a trailing separator.
std::string ProgramDir();
// Makes ProgramDir() answer dir (tests); "" restores the real folder.
void SetProgramDir(const std::string& dir);
// The current working folder, without a trailing separator.
std::string CurrentDir();

}  // namespace tovix::platform

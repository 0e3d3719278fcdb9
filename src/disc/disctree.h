#pragma once
// What goes onto a CD: the folders and files of the image, each file with
// its source, and what the walk found that would keep the disc from working.
// Built either as Short.bat would lay the CD folder out, or from the folder
// as it stands. Reads the folder, never changes it.
#include <cstdint>
#include <string>
#include <vector>

namespace tovix {

enum class DiscProblem {
  kTooLarge,        // the files do not fit the medium
  kTooDeep,         // more than 8 folder levels
  kTooManyFolders,  // more folders than the player reads
  kTooManyFiles,    // more files than the player reads
  kBinTooLarge,     // a .BIN larger than the player takes
  kCasePair,        // names that differ only in letter case
  kBadName,         // a name that is not ISO 9660 level 1 (or cannot be named at all)
  kNotOneFolder,    // MP3 folder and BIN folder differ
  kNoBin,           // a song without a .BIN (a warning)
  kLeftOut,         // an MP3 that Short.bat leaves where it is: missing from the disc
};

struct DiscFinding {
  DiscProblem problem;
  std::string file;  // the file or folder it is about (Windows-1252), may be empty
  std::string detail;
  // file is the system's own name (UTF-8 here): an entry no pass can
  // handle, whose name Windows-1252 may not hold.
  bool nativeFile = false;
  bool IsWarning() const { return problem == DiscProblem::kNoBin; }
};

struct DiscFile {
  std::string path;    // on the disc, folders joined by "/": "A/01SOMEB.MP3"
  std::string source;  // the file on disk (Windows-1252)
  std::int64_t size = 0;
  std::string shown;  // its name as findings show it: relative to the CD folder
};

struct DiscTree {
  std::string volume;                // ISO 9660 volume name
  std::vector<std::string> folders;  // disc paths, each after its parent
  std::vector<DiscFile> files;
  std::vector<DiscFinding> findings;  // found while walking
};

// The disc as Short.bat (with subdirectories) lays cdDir out: the letter
// folders, the short numbered names, each song's .BIN, .JPG and .TXT beside
// it. binDir must be cdDir (the batch pair works inside one folder). Throws
// IoError when cdDir cannot be read.
DiscTree ShortLayoutTree(const std::string& cdDir, const std::string& binDir);

// The disc as cdDir stands, every subfolder included; names must be ISO
// 9660 level 1 (letter case does not matter: the disc holds upper case).
DiscTree AsIsTree(const std::string& cdDir);

// ISO 9660 level-1 names: letters a-z made upper case, anything but A-Z,
// 0-9 and "_" made "_" (the dot of a file name's extension kept).
std::string IsoCleanName(const std::string& ansiName, bool isFile);
// True for a level-1 name: 1-8 characters, for a file an optional "." and
// up to 3 more, all of A-Z, 0-9, "_".
bool IsLevel1Name(const std::string& name, bool isFile);
// The volume name from a folder's name: umlauts spelled out, cleaned as
// above, at most 32 characters; "TOVIX" when nothing is left.
std::string VolumeName(const std::string& folder);

}  // namespace tovix

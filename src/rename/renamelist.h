#pragma once
// Renaming the MP3 files of a folder after their ID3v1 tags, and making
// tags from file names: a review list of planned renames that the user may
// edit, then the pass that checks and applies it.
#include <functional>
#include <string>
#include <vector>

#include "mp3/mpegfile.h"
#include "platform/passreport.h"

namespace tovix {

struct RenameOptions {
  bool makeTag = true;    // CreateTag: fill a missing artist or title
  bool x2Blank = true;    // Convert2Blank: ... from the file name, "_" and "%20" as blanks
  bool saveTag = true;    // SaveTag: write the tag into the file
  bool niceWords = true;  // NiceWords: capitals at word starts on apply
  bool id3v2 = true;      // ID3v2: a missing artist or title from the ID3v2 tag first
  // Apply only: first give each listed file the tag that building the list
  // would have written (tovix-cli, whose plan writes nothing).
  bool completeTagsOnApply = false;
  // Apply only: the BIN folder, where each song's .BIN, .JPG and .TXT are
  // renamed with it; "" leaves them alone.
  std::string companionDir;
  // Apply only: an undo list, which gives back names as they were, also
  // those a CD could not hold.
  bool restore = false;
  // Apply only: where the pass writes its undo list (same format); "" for
  // nowhere. Written also when the pass stops or a tag write throws.
  std::string undoFile;
};

// The options an undo list is applied with: names only, as they stand (no
// capitals, no tags), companions following as before.
RenameOptions UndoOptions(RenameOptions options);

// The review list of the MP3 files in sourceDir, one Windows-1252 line per
// entry, sorted. A file too short for a tag gets a note and is passed over;
// two files that would get one name (in any letter case) give a note for
// the later one instead of its line. Throws IoError when a tag cannot be
// read or written.
std::vector<std::string> BuildRenameList(const std::string& sourceDir, const RenameOptions& options,
                                         PassReport* report = nullptr);

struct ApplyResult {
  enum class Outcome {
    Done,            // every line applied
    MissingFile,     // check failed (old name missing or new name refused), nothing renamed;
                     // line is the offending one
    RenameFailed,    // a rename failed; earlier renames stay; line is the failed one
    FolderReadOnly,  // the folder takes no renames; nothing changed, told to the report
    Stopped,         // the report said stop; earlier renames stay; line is the first not reached
  };
  Outcome outcome = Outcome::Done;
  int line = -1;                     // 0-based line of the list
  int renamed = 0;                   // files renamed (a name already right counts)
  int companions = 0;                // .BIN, .JPG and .TXT files renamed with them
  int tagsWritten = 0;               // tags written from the new names
  std::vector<std::string> leftOut;  // old names of the lines a stopped pass did not reach
  // The reverse list of the renames done, last first: applied with
  // UndoOptions it gives every file, companions included, its name back.
  std::vector<std::string> undo;
};

// The summary line of a pass, in the chosen language.
std::string ApplySummary(const ApplyResult& result);

// Checks that every old name of the list exists and every new name can be
// given (no separator, no leading ".", not empty, at most 255 bytes in
// UTF-8, no character a Windows or CD name cannot hold), and that no
// companion would take a name that is there already; then renames each
// file with its companions and, with saveTag, writes artist and title from
// the new names (a read-only file is made writable for it and read-only
// again). stopPlayer (may be empty) runs before the first rename so a file
// being played can be renamed. The report may stop the pass between songs.
// Throws IoError when a tag cannot be written.
ApplyResult ApplyRenameList(const std::string& sourceDir, const std::vector<std::string>& lines,
                            const RenameOptions& options, PassReport* report = nullptr,
                            const std::function<void()>& stopPlayer = {});

// Fills an empty artist or title of tag (read from the file at path, named
// name) from the file name when options say so and, with saveTag, stores
// the tag. Returns the note line when the file cannot take it (read-only,
// shorter than a tag), else "".
std::string CompleteTagFromName(const std::string& path, const std::string& name,
                                const RenameOptions& options, TID3Tag& tag);

// The review list as a Windows-1252 text file with CR LF line ends. Throw
// IoError naming the file on failure.
void WriteRenameListFile(const std::string& path, const std::vector<std::string>& lines);
std::vector<std::string> ReadRenameListFile(const std::string& path);
// Where applying the list at path writes its undo list: path + ".undo".
std::string UndoListPath(const std::string& path);
// True for a list file whose name ends in ".undo" (any case).
bool IsUndoListPath(const std::string& path);

}  // namespace tovix

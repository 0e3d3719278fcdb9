#pragma once
// The layout Short.bat gives a CD folder: which files move, in which order,
// into which letter folder and under which short name. The batch pair and
// the CD image are both built from this one walk, so they always agree.
#include <string>

#include "platform/passreport.h"

namespace tovix {

// One file placed by the walk.
struct CdPlacement {
  std::string folder;      // its folder (with a trailing separator)
  std::string name;        // its name on disk (Windows-1252)
  std::string placedName;  // the name Short.bat moves: an acute accent made an apostrophe
  std::string oemName;     // placedName in code page 850, as the batch lines name it
  int number = 0;          // the running number, shared by a song and its companions
  char round = 0;          // the round's letter (Windows-1252)
  std::string dir;         // the round's folder as the batch names it ("0-9", "A", ...)
  // The number, the first five characters of the song's CdShortName and the
  // file's own extension: a companion takes its song's short name.
  std::string shortName;
};

class CdLayoutVisitor {
 public:
  virtual ~CdLayoutVisitor() = default;
  // A file that no batch line can name (its system name), with the note
  // for the memo.
  virtual void LeaveOut(const std::string& nativeName, const std::string& note) = 0;
  // Two MP3 names that differ only in letter case: the interpreter takes
  // them for one file, so both stay where they are (Windows-1252 names).
  virtual void CasePair(const std::string& earlier, const std::string& later) = 0;
  // A round that found files, before and after its songs.
  virtual void BeginRound(char round, const std::string& dir) { (void)round, (void)dir; }
  virtual void EndRound(char round, const std::string& dir) { (void)round, (void)dir; }
  // A song, then each of its companions (.bin, .jpg, .txt found in the BIN
  // folder, in this order).
  virtual void Song(const CdPlacement& song) = 0;
  virtual void Companion(const CdPlacement& companion) = 0;
};

// Walks the MP3 files of mp3Dir round by round ("0" to "9", "A", "Ä", "B"
// ... "Z", then "_"), each round sorted without regard to case. An accented
// initial joins the round of its base letter (É to E, ç to C, ñ to N), every
// other initial that is no letter or digit the round "_". With
// subdirectories the numbers start at 1 in every round, without they run on.
// A file that cannot be named, or one of a case pair, takes no number.
// Returns the number of songs placed; throws IoError when mp3Dir cannot be
// read. Changes nothing on disk.
int WalkCdLayout(const std::string& mp3Dir, const std::string& binDir, bool useSubDirs,
                 CdLayoutVisitor& visitor, PassReport* report = nullptr);

// The name with every acute accent (0xB4) made an apostrophe.
std::string WithoutAcuteAccent(std::string name);

}  // namespace tovix

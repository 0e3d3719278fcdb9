#pragma once
// The one line a pass ends with: what it did and which files it left as
// they were, in the chosen language.
#include <string>
#include <vector>

namespace tovix {

// What the CD batch pair did.
struct CdBatchResult {
  int songs = 0;                     // MP3 files Short.bat moves
  int renamed = 0;                   // names given an apostrophe on disk
  std::vector<std::string> leftOut;  // files no batch line moves (Windows-1252)
};

// What applying a rename list did.
struct RenameTally {
  int renamed = 0;                   // MP3 files renamed (a name already right counts)
  int companions = 0;                // their .BIN, .JPG and .TXT renamed with them
  int tagsWritten = 0;               // tags written from the new names
  std::vector<std::string> leftOut;  // old names of lines not applied
};

std::string CdBatchSummary(const CdBatchResult& result);
std::string RenameSummary(const RenameTally& tally);

// names joined by ", ", cut after the first few with a count of the rest;
// "" for none.
std::string NameList(const std::vector<std::string>& names);

}  // namespace tovix

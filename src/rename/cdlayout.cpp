#include "rename/cdlayout.h"

#include <cerrno>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "lang/buildstrings.h"
#include "platform/codepage.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"
#include "rename/batchtext.h"
#include "rename/cdbatches.h"
#include "rename/collation.h"
#include "rename/nameclaims.h"
#include "rename/shownname.h"

namespace tovix {
namespace {

// The letter rounds, then one round for every other initial.
constexpr char kOtherRound = '_';
constexpr std::string_view kRounds =
    "0123456789A\xC4"
    "BCDEFGHIJKLMNO\xD6PQRSTU\xDCVWXYZ_";

// The base letter of an accented Windows-1252 letter (0x8A..0xFF), upper
// case; 0 for a byte that is no such letter. Umlauts keep their own rounds.
char BaseLetter(unsigned char c) {
  // 0xC0..0xFF; the signs of multiplication and division are no letters.
  static constexpr std::string_view kHigh =
      "AAAA\xC4"
      "AACEEEEIIII"
      "DNOOOO\xD6"
      "_OUUU\xDCYTS"
      "AAAA\xC4"
      "AACEEEEIIII"
      "DNOOOO\xD6"
      "_OUUU\xDCYTY";
  switch (c) {
    case 0x8A:
    case 0x9A:
      return 'S';
    case 0x8C:
    case 0x9C:
      return 'O';
    case 0x8E:
    case 0x9E:
      return 'Z';
    case 0x9F:
      return 'Y';
    default:
      return c >= 0xC0 ? kHigh[c - 0xC0] : 0;
  }
}

// The round a name takes part in: its first letter in upper case, as a
// wildcard search without regard to case would find it; an accented letter
// goes with its base letter, anything else to the round "_". 0 only for an
// empty name.
char RoundOf(const std::string& name) {
  if (name.empty()) return 0;
  const char c = platform::UpperAscii(name[0]);
  if (kRounds.find(c) != std::string_view::npos) return c;
  const char base = BaseLetter(static_cast<unsigned char>(c));
  return base ? base : kOtherRound;
}

// The subdirectory of a round, as it stands in the batch files. Umlaut
// rounds keep their own directory (in code page 850): sharing A, O or U
// with the plain round would give two files the same short name there.
std::string RoundDirectory(char round) {
  if (round >= '0' && round <= '9') return "0-9";
  return platform::AnsiToOem(std::string(1, round));
}

std::string Number(int n) {
  char text[16];
  std::snprintf(text, sizeof text, "%2.2d", n);
  return text;
}

std::string Extension(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? "" : name.substr(dot);
}

std::string Stem(const std::string& name) {
  const std::string ext = Extension(name);
  return name.substr(0, name.size() - ext.size());
}

// The .bin, .jpg or .txt of a song in the BIN folder, listed once for all
// songs (folders of that name are no companions).
std::optional<std::string> FindCompanion(const platform::FolderIndex& binFolder,
                                         const std::string& stem, const char* ext) {
  return binFolder.Find(stem + ext);
}

// The placement of a file, or nothing when no batch line can name it.
std::optional<CdPlacement> Place(const std::string& folder, const std::string& name) {
  CdPlacement p;
  p.folder = folder;
  p.name = name;
  p.placedName = WithoutAcuteAccent(name);
  const auto oem = BatchOemName(p.placedName);
  if (!oem) return std::nullopt;
  p.oemName = *oem;
  return p;
}

}  // namespace

std::string WithoutAcuteAccent(std::string name) {
  for (char& c : name)
    if (c == '\xB4') c = '\'';
  return name;
}

int WalkCdLayout(const std::string& mp3Dir, const std::string& binDir, bool useSubDirs,
                 CdLayoutVisitor& visitor, PassReport* report) {
  const std::string folder = platform::WithSep(mp3Dir);
  const std::string binFolder = platform::WithSep(binDir);
  const platform::Listing listing = platform::ListFiles(folder, "*.mp3");
  if (!listing.ok) throw IoError(ENOENT, BuildText(str::kFolderUnreadable, {mp3Dir}));

  std::map<char, std::vector<std::string>> rounds;
  for (const std::string& name : listing.names)
    if (const char round = RoundOf(name)) rounds[round].push_back(name);

  for (const auto& rejected : listing.rejected)
    visitor.LeaveOut(rejected.nativeName, UnusableNameNote(rejected.nativeName));
  // Names that differ only in case are one file to the interpreter: Long.bat
  // would move the first back over the second (its move replaces).
  NameClaims claims;
  std::set<std::string> paired;
  for (const std::string& name : listing.names)
    if (const auto earlier = claims.Claim(name, name)) {
      paired.insert({*earlier, name});
      visitor.CasePair(*earlier, name);
    }
  const platform::FolderIndex binIndex(binFolder);
  int n = 0;
  int placed = 0;
  int done = 0;
  const int total = static_cast<int>(listing.names.size());
  for (char round : kRounds) {
    auto it = rounds.find(round);
    if (it == rounds.end()) continue;
    const std::string dir = RoundDirectory(round);
    visitor.BeginRound(round, dir);
    if (useSubDirs) n = 0;
    SortNoCase(it->second);
    for (const std::string& name : it->second) {
      auto song = paired.count(name) ? std::nullopt : Place(folder, name);
      // A file left out takes no number, so the numbers stay dense.
      if (paired.count(name)) {
        // reported above
      } else if (!platform::Exists(folder + name)) {
        // Gone since the folder was listed: a move would name nothing.
        visitor.LeaveOut(platform::AnsiToUtf8(name), VanishedNote(name));
      } else if (!song) {
        visitor.LeaveOut(platform::AnsiToUtf8(name), BatchNameNote(name));
      } else {
        ++n;
        ++placed;
        song->number = n;
        song->round = round;
        song->dir = dir;
        const std::string base = Number(n) + UnquotedSafe(CdShortName(song->oemName).substr(0, 5));
        song->shortName = base + Extension(song->oemName);
        visitor.Song(*song);
        const std::string stem = Stem(name);
        for (const char* ext : {".bin", ".jpg", ".txt"}) {
          const auto companionName = FindCompanion(binIndex, stem, ext);
          if (!companionName) continue;
          auto companion = Place(binFolder, *companionName);
          if (!companion) {
            visitor.LeaveOut(platform::AnsiToUtf8(*companionName), BatchNameNote(*companionName));
            continue;
          }
          companion->number = n;
          companion->round = round;
          companion->dir = dir;
          companion->shortName = base + Extension(companion->oemName);
          visitor.Companion(*companion);
        }
      }
      if (report) report->Progress(++done, total);
    }
    visitor.EndRound(round, dir);
  }
  return placed;
}

}  // namespace tovix

#include "rename/cdbatches.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <map>
#include <vector>

#include "platform/codepage.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"
#include "rename/batchtext.h"
#include "rename/collation.h"
#include "rename/saferename.h"
#include "rename/shownname.h"
#include "rename/textfile.h"

namespace tovix {
namespace {

constexpr char kAe = '\xC4', kOe = '\xD6', kUe = '\xDC';
constexpr char kAcute = '\xB4';

constexpr std::string_view kRounds =
    "0123456789A\xC4"
    "BCDEFGHIJKLMNO\xD6PQRSTU\xDCVWXYZ";

// The round a name takes part in: its first letter in upper case, as a
// wildcard search without regard to case would find it; 0 for none.
char RoundOf(const std::string& name) {
  if (name.empty()) return 0;
  char c = name[0];
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (c == '\xE4') c = kAe;
  if (c == '\xF6') c = kOe;
  if (c == '\xFC') c = kUe;
  return kRounds.find(c) == std::string_view::npos ? 0 : c;
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

class BatchPair {
 public:
  BatchPair(bool useSubDirs, PassObserver* observer) : subDirs_(useSubDirs), observer_(observer) {
    const std::string stamp = BatchTimestamp();
    short_ = {"@echo off", "rem batchfile SHORT erzeugt am " + stamp,
              subDirs_ ? "rem SHORT erzeugt Unterverzeichnisse"
                       : "rem SHORT erzeugt KEINE Unterverzeichnisse"};
    long_ = {"@echo off", "rem batchfile LONG erzeugt am " + stamp,
             subDirs_ ? "rem LONG erwartet & l\xF6scht Unterverzeichnisse"
                      : "rem LONG erwartet KEINE Unterverzeichnisse"};
  }

  void LeaveOut(const std::string& nativeOrAnsiName) {
    const std::string shown = platform::AnsiToOem(ShownName(nativeOrAnsiName));
    const std::string rem = RemLine("ausgelassen, Name in Batchdatei nicht darstellbar: " + shown);
    short_.push_back(rem);
    long_.push_back(rem);
    if (observer_) observer_->MemoLine(UnusableNameNote(nativeOrAnsiName));
  }

  void BeginRound(const std::string& dir) {
    if (subDirs_) short_.push_back("MD " + dir);
  }
  void EndRound(const std::string& dir) {
    if (subDirs_) long_.push_back("RD " + dir);
  }

  // The move pair of one file; false when no batch line can name it.
  bool AddMove(const std::string& folder, std::string name, int n, const std::string& dir) {
    name = WithoutAcute(folder, name);
    const auto oem = BatchOemName(name);
    if (!oem) {
      LeaveOut(platform::AnsiToUtf8(name));
      return false;
    }
    const std::string place = subDirs_ ? dir : ".";
    const std::string shortName =
        Number(n) + UnquotedSafe(CdShortName(*oem).substr(0, 5)) + Extension(*oem);
    const std::string target = EscapePercent(place + "\\" + shortName);
    const std::string quoted = "\"" + EscapePercent(*oem) + "\"";
    short_.push_back("move " + quoted + " " + target);
    long_.push_back("move " + target + " " + quoted + " ");
    return true;
  }

  void Write(const std::string& folder) {
    short_.push_back("Echo [ Fertig ]");
    long_.push_back("Echo [ Fertig ]");
    WriteWholeFile(BatchPath(folder, "Short.bat"), JoinCrLf(short_));
    WriteWholeFile(BatchPath(folder, "Long.bat"), JoinCrLf(long_));
  }

 private:
  // The acute accent becomes an apostrophe, on disk at once. A rename that
  // fails (the new name taken) keeps the old name, which the lines then use.
  std::string WithoutAcute(const std::string& folder, const std::string& name) {
    if (name.find(kAcute) == std::string::npos) return name;
    std::string plain = name;
    for (char& c : plain)
      if (c == kAcute) c = '\'';
    if (RenameInFolder(folder, name, plain)) return plain;
    if (observer_) observer_->MemoLine(name + " kann nicht in " + plain + " umbenannt werden");
    return name;
  }

  // An existing batch file in another letter case is overwritten, as on a
  // file system that ignores case.
  static std::string BatchPath(const std::string& folder, const std::string& name) {
    const auto existing = platform::FindNoCase(folder + name);
    return existing && !platform::IsDirectory(*existing) ? *existing : folder + name;
  }

  bool subDirs_;
  PassObserver* observer_;
  std::vector<std::string> short_;
  std::vector<std::string> long_;
};

std::string Stem(const std::string& name) {
  const std::string ext = Extension(name);
  return name.substr(0, name.size() - ext.size());
}

// The .bin, .jpg or .txt of a song in the BIN folder, listed once for all
// songs (folders of that name are no companions).
std::optional<std::string> Companion(const platform::FolderIndex& binFolder,
                                     const std::string& stem, const char* ext) {
  return binFolder.Find(stem + ext);
}

}  // namespace

int CreateCdBatches(const std::string& mp3Dir, const std::string& binDir, bool useSubDirs,
                    PassObserver* observer) {
  const std::string folder = platform::WithSep(mp3Dir);
  const std::string binFolder = platform::WithSep(binDir);
  const platform::Listing listing = platform::ListFiles(folder, "*.mp3");
  if (!listing.ok) throw IoError(ENOENT, "Ordner kann nicht gelesen werden: " + mp3Dir);

  std::map<char, std::vector<std::string>> rounds;
  for (const std::string& name : listing.names)
    if (const char round = RoundOf(name)) rounds[round].push_back(name);

  const platform::FolderIndex binIndex(binFolder);
  BatchPair batches(useSubDirs, observer);
  for (const auto& rejected : listing.rejected) batches.LeaveOut(rejected.nativeName);
  int n = 0;
  int placed = 0;
  int done = 0;
  const int total = static_cast<int>(listing.names.size());
  for (char round : kRounds) {
    auto it = rounds.find(round);
    if (it == rounds.end()) continue;
    const std::string dir = RoundDirectory(round);
    batches.BeginRound(dir);
    if (useSubDirs) n = 0;
    SortNoCase(it->second);
    for (const std::string& name : it->second) {
      const std::string stem = Stem(name);
      // A file left out takes no number, so the numbers stay dense.
      if (batches.AddMove(folder, name, n + 1, dir)) {
        ++n;
        ++placed;
        for (const char* ext : {".bin", ".jpg", ".txt"})
          if (const auto companion = Companion(binIndex, stem, ext))
            batches.AddMove(binFolder, *companion, n, dir);
      }
      if (observer) observer->Progress(++done, total);
    }
    batches.EndRound(dir);
  }
  batches.Write(folder);
  return placed;
}

}  // namespace tovix

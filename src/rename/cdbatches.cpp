#include "rename/cdbatches.h"

#include <utility>
#include <vector>

#include "lang/buildstrings.h"
#include "platform/codepage.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"
#include "rename/batchtext.h"
#include "rename/cdlayout.h"
#include "rename/saferename.h"
#include "rename/shownname.h"
#include "rename/textfile.h"

namespace tovix {
namespace {

// The batch pair, written line by line as the layout walk places files.
class BatchPair : public CdLayoutVisitor {
 public:
  BatchPair(bool useSubDirs, PassReport* report) : subDirs_(useSubDirs), report_(report) {
    const std::string stamp = BatchTimestamp();
    short_ = {"@echo off", "rem batchfile SHORT erzeugt am " + stamp,
              subDirs_ ? "rem SHORT erzeugt Unterverzeichnisse"
                       : "rem SHORT erzeugt KEINE Unterverzeichnisse"};
    long_ = {"@echo off", "rem batchfile LONG erzeugt am " + stamp,
             // The batch is read in code page 850, as every name in it is.
             subDirs_ ? platform::AnsiToOem("rem LONG erwartet & l\xF6scht Unterverzeichnisse")
                      : "rem LONG erwartet KEINE Unterverzeichnisse"};
  }

  void LeaveOut(const std::string& nativeName, const std::string& note) override {
    const std::string shown = ShownName(nativeName);
    result.leftOut.push_back(shown);
    Remark("ausgelassen, Name in Batchdatei nicht darstellbar: " + platform::AnsiToOem(shown),
           note);
  }

  void CasePair(const std::string& earlier, const std::string& later) override {
    // The batch's remark stays German, as the batch's other lines do.
    const std::string rem = "Dateien ausgelassen: " + earlier + " und " + later +
                            " unterscheiden sich nur in Gro\xDF-/Kleinschreibung";
    result.leftOut.push_back(earlier);
    result.leftOut.push_back(later);
    Remark(platform::AnsiToOem(rem), BuildText(str::kBatchCasePair, {earlier, later}));
  }

  void BeginRound(char, const std::string& dir) override {
    if (subDirs_) short_.push_back("MD " + dir);
  }
  void EndRound(char, const std::string& dir) override {
    if (subDirs_) long_.push_back("RD " + dir);
  }
  void Song(const CdPlacement& song) override {
    if (AddMove(song)) ++result.songs;
  }
  void Companion(const CdPlacement& companion) override { AddMove(companion); }

  void Write(const std::string& folder) {
    short_.push_back("Echo [ Fertig ]");
    long_.push_back("Echo [ Fertig ]");
    // The pair works only together: an old Long.bat left beside a new
    // Short.bat would not bring the names back. Both are checked first, and
    // a Short.bat whose Long.bat could not follow goes again.
    const std::string shortBat = BatchPath(folder, "Short.bat");
    const std::string longBat = BatchPath(folder, "Long.bat");
    RefuseReadOnly(shortBat);
    RefuseReadOnly(longBat);
    WriteWholeFile(shortBat, JoinCrLf(short_));
    try {
      WriteWholeFile(longBat, JoinCrLf(long_));
    } catch (const IoError&) {
      platform::RemoveFile(shortBat);
      throw;
    }
  }

 private:
  // The same comment in both files, and the note in the memo.
  void Remark(const std::string& oemText, const std::string& note) {
    const std::string rem = RemLine(oemText);
    short_.push_back(rem);
    long_.push_back(rem);
    if (report_) report_->Line(note);
  }

  bool AddMove(const CdPlacement& file) {
    std::string oem = file.oemName;
    if (!RenameAcute(file)) {
      // The old name stays; the lines must name it.
      const auto old = BatchOemName(file.name);
      if (!old) {
        LeaveOut(platform::AnsiToUtf8(file.name), BatchNameNote(file.name));
        return false;
      }
      oem = *old;
    }
    const std::string place = subDirs_ ? file.dir : ".";
    const std::string target = EscapePercent(place + "\\" + file.shortName);
    const std::string quoted = "\"" + EscapePercent(oem) + "\"";
    short_.push_back("move " + quoted + " " + target);
    long_.push_back("move " + target + " " + quoted + " ");
    return true;
  }

  // The acute accent becomes an apostrophe, on disk at once. A rename that
  // fails (the new name taken) keeps the old name: false.
  bool RenameAcute(const CdPlacement& file) {
    if (file.placedName == file.name) return true;
    if (RenameInFolder(file.folder, file.name, file.placedName)) {
      ++result.renamed;
      return true;
    }
    if (report_) report_->Line(BuildText(str::kCannotRenameTo, {file.name, file.placedName}));
    return false;
  }

  // An existing batch file in another letter case is overwritten, as on a
  // file system that ignores case.
  static std::string BatchPath(const std::string& folder, const std::string& name) {
    const auto existing = platform::FindNoCase(folder + name);
    return existing && !platform::IsDirectory(*existing) ? *existing : folder + name;
  }

  bool subDirs_;
  PassReport* report_;

 public:
  CdBatchResult result;

 private:
  std::vector<std::string> short_;
  std::vector<std::string> long_;
};

}  // namespace

int CreateCdBatches(const std::string& mp3Dir, const std::string& binDir, bool useSubDirs,
                    PassReport* report, CdBatchResult* result) {
  BatchPair batches(useSubDirs, report);
  const int placed = WalkCdLayout(mp3Dir, binDir, useSubDirs, batches, report);
  batches.Write(platform::WithSep(mp3Dir));
  if (result) *result = std::move(batches.result);
  return placed;
}

}  // namespace tovix

#pragma once
// The BIN run without the window: the mklogo level calibration, one batch
// per song picture, and the page summary. The window (or tovix-cli) plugs in
// the picture maker and the host; tests plug in fakes.
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "picture/binbatch.h"
#include "platform/passreport.h"

namespace tovix {

// A test .bin above this size does not fit the player.
inline constexpr std::int64_t kMaxBinBytes = 163840;
inline constexpr int kFirstLogoLevel = 2;
// The highest quantiser mklogo accepts.
inline constexpr int kLastLogoLevel = 31;
inline constexpr int kTestPictureNumber = 9999;
inline constexpr const char* kBatchName = "tmpbat.bat";
inline constexpr const char* kBatchCommand = ".\\tmpbat.bat";
inline constexpr std::int32_t kBatchWaitMs = 5000;

// One song's picture, as the run hands it to the picture maker: the k-th
// MP3 of N.
struct SongPictureJob {
  std::string sourceDir;  // with separator
  std::string fileName;   // the MP3 file's name within it
  int k = 1;              // 1-based number in the run
  int n = 1;              // songs in the run
  std::string targetDir;  // with separator
  bool save2Jpeg = false;
  bool replaceBin = false;
  bool useId3v2 = true;  // a missing artist or title from the ID3v2 tag
};

// Makes the pictures in the working folder (SongPictureMaker, fakes in tests).
class BinPictureMaker {
 public:
  virtual ~BinPictureMaker() = default;
  // The calibration picture: artist "........Test.........", the given
  // title, the other texts empty; saved as bmpName, no JPEG.
  virtual void MakeTestPicture(const std::string& title, const std::string& bmpName) = 0;
  // BM<k>.BMP of the song (and its JPEG when asked); returns the song's
  // PictureBaseName (OEM).
  virtual std::string MakeSongPicture(const SongPictureJob& job) = 0;
};

// What the run shows and asks of its window. All texts Windows-1252. Line
// is a memo line; Progress(k, N) comes once the k-th song's picture is made,
// before its batch runs; KeepGoing is asked before each song.
class BinRunHost : public PassReport {
 public:
  // The error box (title "Fehler", button "Abbrechen").
  virtual void ErrorBox(const std::string& text) = 0;
  // The status line LED, repainted at once.
  virtual void Status(const std::string& /*text*/) {}
  // Lets pending window messages run.
  virtual void ProcessMessages() {}
  // Hides (true) or shows again the layout controls and the toolbar window.
  virtual void HideLayoutControls(bool /*hide*/) {}
  // Restores a minimised main window and its top-most state.
  virtual void PrepareWindow() {}
  // Page 4 alone: PageNumber 4, HideAllPages, ShowCurrentPage.
  virtual void ShowBinPage() {}
};

// The outside world of the run; tests replace each piece.
struct BinRunEnv {
  // Starts the batch and waits (RunAndWait by default).
  std::function<void(const std::string& command, std::uint16_t show, std::int32_t limitMs)> run;
  std::function<void(int ms)> sleep;
  std::function<std::chrono::steady_clock::time_point()> now;
  // The first batch line's date and time (BatchTimestamp by default).
  std::function<std::string()> timestamp;
  // How long the run waits for a batch to remove its bitmap before it
  // reports the song and goes on, and how often it looks.
  int removalLimitMs = 60000;
  int pollMs = 10;
};

struct BinRunOptions {
  std::string sourceDir;  // as stored
  std::string targetDir;  // as stored
  bool replaceBin = false;
  bool makeTxt = false;
  bool save2Jpeg = false;
  bool useId3v2 = true;  // setting ID3v2: songs and texts take a missing artist or title from it
};

// Time spent by the last run, for the benchmark.
struct BinRunTimes {
  std::chrono::nanoseconds pictures{0};
  std::chrono::nanoseconds batch{0};  // writing and running tmpbat.bat
  std::chrono::nanoseconds wait{0};   // waiting for the bitmap's removal
};

class BinRun {
 public:
  BinRun(BinPictureMaker& pictures, BinRunHost& host, BinRunEnv env = {});
  // The default batch runner refers to this object.
  BinRun(const BinRun&) = delete;
  BinRun& operator=(const BinRun&) = delete;

  // The Start button: calibration, every song, the info texts when asked,
  // the closing memo lines. Returns the count reported. The layout controls
  // come back also when a file error ends the run (it is then rethrown).
  int Run(const BinRunOptions& options);

  // Both folders exist; otherwise an error box says which does not.
  bool FoldersExist(const BinRunOptions& options);
  // Finds the lowest level from 2 up whose test .bin fits; false after an
  // error box.
  bool CalibrateLogoLevel(const std::string& target);
  // One batch per song; returns the number of songs minus the .BIN files
  // that were there before (with replaceBin off).
  int MakeAllBins(const std::string& source, const std::string& target);

  int LogoLevel() const { return logoLevel_; }
  void SetLogoLevel(int level) { logoLevel_ = level; }
  void SetOptions(const BinRunOptions& options) { options_ = options; }
  const BinRunTimes& Times() const { return times_; }
  // Songs of the last run that got no .BIN: vanished, a folder in the way,
  // or a batch that failed; each is named in the memo.
  int Failures() const { return failures_; }

 private:
  // Writes and runs tmpbat.bat for picture k at b, then waits until the
  // batch has removed bmpName; false when it did not within the limit.
  bool RunBatch(const std::string& b, int k, bool replaceBin, const std::string& bmpName);

  BinPictureMaker& pictures_;
  BinRunHost& host_;
  BinRunEnv env_;
  BinRunOptions options_;
  BinRunTimes times_;
  int logoLevel_ = kFirstLogoLevel;
  int failures_ = 0;
};

// What the page summary shows.
struct BinSummary {
  std::string sourceDir, targetDir;
  int mp3Count = 0, binCount = 0;
  std::string backgroundFile;
  std::string modeName;
  int overscan = 30;
  std::string font1Name, font2Name;
  int font1Size = 20, font2Size = 14;  // points; the sign is dropped
  std::int32_t font1Color = 0, font2Color = 0;
};

// The summary facts of the folders: the two counts filled in.
BinSummary CountSummaryFiles(BinSummary summary);

// The memo lines of the BIN page's summary (showBinPage).
std::vector<std::string> BinSummaryLines(const BinSummary& summary);

}  // namespace tovix

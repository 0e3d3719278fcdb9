#pragma once
// Fakes for driving the BIN run without a window or outside tools.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "picture/binrun.h"
#include "support/tempdir.h"

namespace tovix::test {

// A temporary folder that is the working folder while the object lives.
class WorkingFolder {
 public:
  WorkingFolder();
  ~WorkingFolder();
  const TempDir& dir() const { return dir_; }
  std::string path() const { return dir_.path(); }

 private:
  TempDir dir_;
  std::string previous_;
};

// Loads the shipped German language file once.
void LoadGermanStrings();

// Writes small bitmap stand-ins and remembers what it was asked for.
class FakePictures : public BinPictureMaker {
 public:
  void MakeTestPicture(const std::string& title, const std::string& bmpName) override;
  std::string MakeSongPicture(const SongPictureJob& job) override;

  std::vector<std::string> testTitles;
  std::vector<SongPictureJob> songs;
  // Thrown from MakeSongPicture for this song number (0: never).
  int failAt = 0;
  // Called before each song picture (a song vanishing mid-run, say).
  std::function<void(const SongPictureJob&)> beforeSong;
};

class FakeHost : public BinRunHost {
 public:
  void Line(const std::string& text, int) override { memo.push_back(text); }
  void Progress(std::int64_t done, std::int64_t total) override {
    progress.push_back(std::to_string(done) + "/" + std::to_string(total));
  }
  // Stops once stopAfter songs were reported (never when negative).
  bool KeepGoing() override {
    return stopAfter < 0 || static_cast<int>(progress.size()) < stopAfter;
  }
  void ErrorBox(const std::string& text) override { errors.push_back(text); }
  void Status(const std::string& text) override { status.push_back(text); }
  void ProcessMessages() override { ++pumped; }
  void HideLayoutControls(bool hide) override { hidden = hide, ++toggles; }
  void ShowBinPage() override { ++binPageShown; }
  bool MemoHas(const std::string& part) const;

  std::vector<std::string> memo, errors, status, progress;
  int stopAfter = -1;
  int pumped = 0, toggles = 0, binPageShown = 0;
  bool hidden = false;
};

// Carries out tmpbat.bat as the interpreter and the two tools would,
// without starting anything: the .BIN's size comes from binSize(level).
class FakeBatchRunner {
 public:
  void operator()(const std::string& command, std::uint16_t show, std::int32_t limitMs);
  BinRunEnv Env();

  std::function<std::int64_t(int level)> binSize = [](int) { return 1000; };
  bool mklogoFails = false;
  bool stall = false;  // never removes the bitmap
  std::vector<std::string> batches;
  std::vector<std::string> commands;
  // The fake clock of the removal wait.
  std::chrono::steady_clock::time_point clock{};
  std::vector<int> sleeps;
};

// The smallest song the run takes for one: an MPEG-1 Layer III frame
// header (128 kbit/s, 44100 Hz) and room for its frame.
std::string SongBytes();

// Lines of a CR LF text; fails the test on a bare LF.
std::vector<std::string> CrLfLines(const std::string& text);

}  // namespace tovix::test

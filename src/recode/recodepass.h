#pragma once
// The recode pass without the window: every .mp3 of the source folder is
// either recoded through one of the two batch files or copied unchanged
// into the recode folder, and each step is logged (memo and TOVIX.LOG).
// The window plugs in its memo, gauge, buttons and page number; tovix-cli
// plugs in the console and may run several files' batches at a time.
#include <functional>
#include <string>
#include <vector>

#include "mp3/mpegfile.h"
#include "recode/recodedecision.h"
#include "recode/recodelog.h"

namespace tovix {

class DecodePlayer;

struct RecodeOptions {
  std::string sourceDir, recodeDir, tempDir;  // as stored
  RecodeRule rule;
  bool tmpWav = true;  // recode through a temporary WAV file
};

// What the pass shows and asks of its window beyond its memo lines and
// KeepGoing (the page number still says 2). With more than one job,
// KeepGoing and Stop are also called from other threads.
class RecodeHost : public PassReport {
 public:
  // An error sets the page number to 0.
  virtual void Stop() = 0;
  virtual void ClearMemo() {}
  virtual void ProcessMessages() {}
  virtual void ShowGauge(bool /*shown*/) {}
  virtual void SetGauge(int /*percent*/) {}
  // Hides (true) or shows again Start!, Optionen and the toolbar window.
  virtual void HideButtons(bool /*hide*/) {}
  // Reads the file's header facts and tag into info; the window composes
  // its song texts at the same time.
  virtual void ComposeSongTexts(const std::string& path, Mp3Info& info);
};

struct RecodeEnv {
  // Folder of the two batch files.
  std::string programDir;
  // Where the window's batches run and leave fehler.txt: the program's own
  // folder, which for an installed copy is not the read-only program folder.
  // Default: platform::OwnFolder() when programDir is not given, else
  // programDir.
  std::string ownDir;
  // Runs one batch command line in workDir and waits for its end. Default:
  // makes workDir the current folder (an I/O error when it cannot) and runs
  // the line with RunAndWait, shown, without a time limit.
  std::function<void(const std::string& commandLine, const std::string& workDir)> runBatch;
  std::function<void(int ms)> sleep;
  // The player component for the route through a WAV file; without one that
  // route ends in an error.
  DecodePlayer* player = nullptr;
  // Files whose batches run at the same time. Above 1, or with
  // privateWorkFolders, every batch runs in a folder of its own under
  // workRoot (its own fehler.txt) and is named by its full path.
  int jobs = 1;
  bool privateWorkFolders = false;
  std::string workRoot;
  // The pause after each recoded file, before its tag is written.
  int pauseMs = 1000;
};

struct RecodeResult {
  int files = 0;
  int recoded = 0;
  int copied = 0;
  // Files that ended in an error: a failed step, a complaint of the batch,
  // a name no pass can handle.
  int errors = 0;
  bool refused = false;  // nothing ran; the memo says why
  bool cancelled = false;
};

// The line that refuses a pass before anything runs, or "": recoding into
// the source folder itself, a missing recode folder, an unreadable source.
std::string RecodeRefusal(const RecodeOptions& options);

class RecodePass {
 public:
  explicit RecodePass(RecodeHost& host, RecodeEnv env = {});

  // The Start! button: the whole pass, from emptying the memo to the end line.
  RecodeResult Run(const RecodeOptions& options);

 private:
  struct FileWork;
  void Front(FileWork& work);
  void Back(FileWork& work);
  void Fail(FileWork& work, const std::string& why);
  void Drain(FileWork& work);
  void Flush(FileWork& work);
  std::string WorkFolder(int number);

  RecodeHost& host_;
  RecodeEnv env_;
  RecodeOptions options_;
  RecodeLog* log_ = nullptr;
  RecodeResult result_;
};

// One file of the plan: what the pass would do and the term that decided.
struct PlannedFile {
  std::string name;
  RecodeTerm term = RecodeTerm::kCopy;
  std::string why;  // TermText, or why it is refused
  // To be recoded, but its name cannot be handed to the batch files: the
  // pass leaves it alone.
  bool refused = false;
};

// The log line for a file to be recoded whose name the batch files cannot
// be handed (BatchCanCarry).
std::string BatchRefusalNote(const std::string& name);

// The decisions of a pass over the folder, in its order, running nothing.
std::vector<PlannedFile> PlanRecode(const RecodeOptions& options);

}  // namespace tovix

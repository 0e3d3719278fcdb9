#include "recode/recodepass.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <deque>
#include <future>
#include <memory>
#include <stdexcept>
#include <thread>

#include "lang/buildstrings.h"
#include "lang/sprachen.h"
#include "mp3/songtag.h"
#include "platform/codepage.h"
#include "platform/filecopy.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"
#include "platform/ownfolder.h"
#include "platform/winexc32.h"
#include "recode/recodesteps.h"
#include "recode/wavdecode.h"
#include "recode/wavstereo.h"
#include "rename/shownname.h"

namespace tovix {
namespace {

std::string ModeName(std::uint8_t mode) {
  return mode < ModeNames.size() ? std::string(ModeNames[mode]) : std::to_string(mode);
}

void DefaultRunBatch(const std::string& commandLine, const std::string& workDir) {
  if (!platform::ChangeDir(workDir))
    throw IoError(errno ? errno : ENOENT, BuildText(str::kCannotEnter, {workDir}));
  RunAndWait(commandLine, kShowNormal, kRecodeWaitMs);
}

}  // namespace

void RecodeHost::ComposeSongTexts(const std::string& path, Mp3Info& info) {
  ReadSongFacts(path, info);
}

// One file on its way through the pass. With several jobs its entries are
// gathered here and logged once every file before it is through.
struct RecodePass::FileWork {
  std::string name;
  int number = 0;
  Mp3Info info;
  RecodeTerm term = RecodeTerm::kCopy;
  std::string wav;      // the temporary WAV file, once decoded
  std::string workDir;  // where the batch runs and leaves fehler.txt
  bool buffered = false;
  bool failed = false;
  bool needsBack = false;
  std::vector<std::string> entries;
  std::future<void> back;

  // The WAV file is temporary: gone once its song is done, failed or
  // cancelled, and at the latest when the pass ends.
  ~FileWork() {
    if (!wav.empty()) platform::RemoveFile(wav);
  }

  void Log(RecodePass& pass, const std::string& text) {
    if (buffered)
      entries.push_back(text);
    else
      pass.log_->LogLine(text);
  }
};

std::string BatchRefusalNote(const std::string& name) {
  return BuildText(str::kBatchWildcardName, {name});
}

std::string RecodeRefusal(const RecodeOptions& options) {
  if (!platform::IsDirectory(options.recodeDir))
    return " " + LanguageString(str::kRecodeNoTarget) + "   " + options.recodeDir;
  if (!platform::IsDirectory(options.sourceDir))
    return " " + LanguageString(str::kRecodeSourceUnreadable) + "   " + options.sourceDir;
  if (options.rule.recode && options.tmpWav && !options.tempDir.empty() &&
      !platform::IsDirectory(options.tempDir))
    return " " + LanguageString(str::kRecodeNoTempFolder) + "   " + options.tempDir;
  // Without recoding, one folder is fine: nothing is copied onto itself.
  if (options.rule.recode && platform::SameEntry(options.sourceDir, options.recodeDir))
    return " " + LanguageString(str::kRecodeSameFolder);
  return "";
}

RecodePass::RecodePass(RecodeHost& host, RecodeEnv env) : host_(host), env_(std::move(env)) {
  if (env_.programDir.empty()) {
    env_.programDir = platform::ProgramDir();
    if (env_.ownDir.empty()) env_.ownDir = platform::OwnFolder();
  }
  if (env_.ownDir.empty()) env_.ownDir = env_.programDir;
  if (!env_.runBatch) env_.runBatch = DefaultRunBatch;
  if (!env_.sleep)
    env_.sleep = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
  env_.jobs = std::max(1, env_.jobs);
  if (env_.jobs > 1) env_.privateWorkFolders = true;
}

std::string RecodePass::WorkFolder(int number) {
  if (!env_.privateWorkFolders) return env_.ownDir;
  const std::string dir = platform::WithSep(env_.workRoot) + "job" + std::to_string(number);
  if (!platform::MakeDir(dir) && !platform::IsDirectory(dir))
    throw IoError(errno ? errno : EIO, BuildText(str::kCannotCreate, {dir}));
  return dir;
}

RecodeResult RecodePass::Run(const RecodeOptions& options) {
  options_ = options;
  // No folder for the WAV files set: the system's, not wherever the
  // current folder happens to be.
  if (options_.tempDir.empty()) options_.tempDir = platform::TempPath().value_or("");
  result_ = {};
  if (const std::string refusal = RecodeRefusal(options_); !refusal.empty()) {
    host_.Line(refusal);
    result_.refused = true;
    return result_;
  }

  host_.HideButtons(true);
  // The buttons come back however the pass ends, an unwritable log included.
  struct ButtonsBack {
    RecodeHost& host;
    ~ButtonsBack() { host.HideButtons(false); }
  } buttonsBack{host_};
  host_.ClearMemo();
  RecodeLog log(options_.recodeDir, host_);
  log_ = &log;
  log.LogLine("***");

  const std::string sourceFolder = platform::WithSep(options_.sourceDir);
  const platform::Listing listing = platform::ListFiles(sourceFolder, "*.mp3");
  for (const auto& rejected : listing.rejected) {
    log.LogLine(Timestamp() + UnusableNameNote(rejected.nativeName));
    ++result_.errors;
  }

  std::deque<std::unique_ptr<FileWork>> inFlight;
  auto finishOldest = [&] {
    FileWork& oldest = *inFlight.front();
    if (oldest.back.valid()) oldest.back.get();
    Flush(oldest);
    inFlight.pop_front();
  };
  // Every file still on its way is waited for, also when the log fails.
  struct Drainer {
    std::deque<std::unique_ptr<FileWork>>& works;
    ~Drainer() {
      for (auto& work : works)
        if (work->back.valid()) work->back.wait();
    }
  } drainer{inFlight};

  int number = 0;
  for (const std::string& name : listing.names) {
    if (!host_.KeepGoing()) break;
    // Gone since the folder was listed: named like an unusable name, and
    // the pass goes on, as a copy that cannot find its source would not.
    if (!platform::Exists(sourceFolder + name)) {
      log.LogLine(Timestamp() + VanishedNote(name));
      ++result_.errors;
      continue;
    }
    auto work = std::make_unique<FileWork>();
    work->name = name;
    work->number = ++number;
    work->buffered = env_.jobs > 1;
    ++result_.files;
    // A WAV file another file's batch is still reading keeps its name: this
    // file's WAV gets one no file has (TempWavPath).
    Front(*work);
    if (work->needsBack) {
      while (static_cast<int>(inFlight.size()) >= env_.jobs) finishOldest();
      if (env_.jobs > 1) {
        FileWork* raw = work.get();
        work->back = std::async(std::launch::async, [this, raw] { Back(*raw); });
      } else {
        Back(*work);
      }
    }
    inFlight.push_back(std::move(work));
    while (!inFlight.empty() &&
           (!inFlight.front()->back.valid() ||
            inFlight.front()->back.wait_for(std::chrono::seconds(0)) == std::future_status::ready))
      finishOldest();
  }
  while (!inFlight.empty()) finishOldest();

  result_.cancelled = !host_.KeepGoing();
  log.LogLine(Timestamp() + LanguageString(str::kEndOfRun));
  log_ = nullptr;
  return result_;
}

void RecodePass::Front(FileWork& work) {
  const RecodeOptions& o = options_;
  host_.SetGauge(0);
  host_.ComposeSongTexts(platform::WithSep(o.sourceDir) + work.name, work.info);
  work.term = DecideRecode(work.info, o.rule);
  work.Log(*this, Timestamp() + "\"" + work.name + "\": " + ShownEncoder(work.info.Encoder) + ", " +
                      std::to_string(work.info.BitRate) + "kBit, " + ModeName(work.info.Mode));

  if (work.term != RecodeTerm::kCopy) {
    if (!BatchCanCarry(work.name)) {
      work.Log(*this, Timestamp() + BatchRefusalNote(work.name));
      work.failed = true;
      return;
    }
    ++result_.recoded;
    work.Log(*this, Timestamp() + LanguageString(str::kLogNeedsRecode));
    if (!host_.KeepGoing()) return;
    work.needsBack = true;
    try {
      work.workDir = WorkFolder(work.number);
      if (o.tmpWav) {
        work.Log(*this, Timestamp() + LanguageString(str::kLogDecodeStarts));
        if (!env_.player) throw std::runtime_error(BuildText(str::kPlayerNotLoaded));
        DecodeWatch watch;
        watch.showGauge = [this](bool shown) { host_.ShowGauge(shown); };
        watch.setGauge = [this](int percent) { host_.SetGauge(percent); };
        watch.processMessages = [this] { host_.ProcessMessages(); };
        watch.keepGoing = [this] { return host_.KeepGoing(); };
        watch.sleep = env_.sleep;
        work.wav = DecodeToTempWav(*env_.player, work.name, o.sourceDir, o.tempDir, watch);
        if (host_.KeepGoing() && !MakeWavStereo(work.wav))
          throw IoError(errno ? errno : EIO, BuildText(str::kCannotWrite, {work.wav}));
        if (host_.KeepGoing())
          work.Log(*this, Timestamp() + "++ " + work.wav + " " + LanguageString(str::kLogDecoded));
      }
      if (host_.KeepGoing())
        work.Log(*this, Timestamp() + LanguageString(str::kLogEncodeAt) + " " +
                            std::to_string(o.rule.targetBitrate) + "kBit");
    } catch (const std::exception& e) {
      work.needsBack = false;
      Fail(work, ErrorText(e));
    }
    return;
  }

  ++result_.copied;
  bool failed = false;
  if (host_.KeepGoing()) {
    work.Log(*this, Timestamp() + LanguageString(str::kLogCopying));
    try {
      CopyToRecodeDir(
          work.name, o.sourceDir, o.recodeDir, [this](int percent) { host_.SetGauge(percent); },
          [this] {
            host_.ProcessMessages();
            return host_.KeepGoing();
          });
    } catch (const IoError& e) {
      failed = true;
      Fail(work, ErrorText(e));
    }
  }
  if (failed) return;
  if (!host_.KeepGoing()) work.Log(*this, Timestamp() + LanguageString(str::kLogCancelled));
  if (host_.KeepGoing()) {
    work.workDir = env_.ownDir;
    if (!env_.privateWorkFolders) Drain(work);
  }
}

void RecodePass::Back(FileWork& work) {
  const RecodeOptions& o = options_;
  try {
    std::string recoded;
    if (host_.KeepGoing()) {
      // A batch that runs outside the program folder is named by its path.
      const std::string batchDir = platform::SameEntry(work.workDir, env_.programDir)
                                       ? ""
                                       : platform::WithSep(env_.programDir);
      const BatchCall call = o.tmpWav
                                 ? WavToMp3Call(work.name, work.wav, o.sourceDir, o.recodeDir,
                                                o.rule.targetBitrate, batchDir + kWavToMp3Batch)
                                 : Mp3ToMp3Call(work.name, o.sourceDir, o.recodeDir,
                                                o.rule.targetBitrate, batchDir + kMp3ToMp3Batch);
      const platform::FileStamp before = platform::StampOf(call.output);
      env_.runBatch(call.commandLine, work.workDir);
      const platform::FileStamp after = platform::StampOf(call.output);
      // Only a file the batch has just written is the recoded song; an
      // older one under that name must not be taken for it.
      if (!after.exists || after == before)
        throw std::runtime_error(LanguageString(str::kRecodeNoOutput) + ": " + call.output);
      const std::string target = o.recodeDir + platform::kPathSep + work.name;
      recoded = call.output;
      if (!platform::SameEntry(call.output, target) &&
          platform::RenameNoReplace(call.output, target))
        recoded = target;
    }
    env_.sleep(env_.pauseMs);
    if (host_.KeepGoing()) WriteID3Tag(recoded, work.info);
    work.Log(*this, Timestamp() +
                        LanguageString(host_.KeepGoing() ? str::kLogRecoded : str::kLogCancelled));
  } catch (const std::exception& e) {
    Fail(work, ErrorText(e));
    return;
  }
  if (host_.KeepGoing()) Drain(work);
}

void RecodePass::Fail(FileWork& work, const std::string& why) {
  work.failed = true;
  work.Log(*this, Timestamp() + "\"" + work.name + "\": " + why);
  work.Log(*this, Timestamp() + LanguageString(str::kLogFailed));
  host_.Stop();
  // What the batch complained of tells why; it belongs to this file.
  if (!work.workDir.empty()) Drain(work);
}

void RecodePass::Drain(FileWork& work) {
  const std::string list = platform::WithSep(work.workDir) + kErrorListName;
  if (!work.buffered) {
    if (log_->DrainErrorList(list) > 0) work.failed = true;
    return;
  }
  const std::vector<std::string> lines = RecodeLog::ReadErrorList(list);
  for (const std::string& line : lines) work.entries.push_back(RecodeLog::ErrorListEntry(line));
  RecodeLog::RemoveErrorList(list);
  if (!lines.empty()) work.failed = true;
}

void RecodePass::Flush(FileWork& work) {
  for (const std::string& entry : work.entries) log_->LogLine(entry);
  work.entries.clear();
  if (work.failed) ++result_.errors;
  if (env_.privateWorkFolders && !work.workDir.empty() && work.workDir != env_.ownDir)
    platform::RemoveDir(work.workDir);
}

std::vector<PlannedFile> PlanRecode(const RecodeOptions& options) {
  std::vector<PlannedFile> plan;
  for (const std::string& name :
       platform::ListFiles(platform::WithSep(options.sourceDir), "*.mp3").names) {
    Mp3Info info;
    ReadSongFacts(platform::WithSep(options.sourceDir) + name, info);
    PlannedFile file;
    file.name = name;
    file.term = DecideRecode(info, options.rule);
    file.refused = file.term != RecodeTerm::kCopy && !BatchCanCarry(name);
    file.why = file.refused ? BatchRefusalNote(name) : TermText(file.term, info, options.rule);
    plan.push_back(file);
  }
  return plan;
}

}  // namespace tovix

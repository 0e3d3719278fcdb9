#include "picture/binrun.h"

#include <cstdio>
#include <thread>

#include "lang/buildstrings.h"
#include "lang/sprachen.h"
#include "mp3/mpegfile.h"
#include "picture/picturename.h"
#include "platform/codepage.h"
#include "platform/filecopy.h"
#include "platform/filesys.h"
#include "platform/passreport.h"
#include "platform/winexc32.h"
#include "rename/infotexts.h"
#include "rename/nameclaims.h"
#include "rename/shownname.h"

namespace tovix {
namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kTestArtist = "........Test.........";
constexpr const char* kTestBase = "TST9999";
// What c2bin writes in the working folder before the batch moves it.
constexpr const char* kToolOutput = "e2logo.bin";

std::string BmpName(int k) {
  return "BM" + std::to_string(k) + ".BMP";
}

BinRunEnv WithDefaults(BinRunEnv env) {
  if (!env.sleep)
    env.sleep = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
  if (!env.now) env.now = [] { return Clock::now(); };
  if (!env.timestamp) env.timestamp = BatchTimestamp;
  return env;
}

// Info-text lines into the run's memo; messages run between files, the
// count of songs stays.
class TextsReport : public PassReport {
 public:
  explicit TextsReport(BinRunHost& host) : host_(host) {}
  void Line(const std::string& text, int listLine) override { host_.Line(text, listLine); }
  void Progress(std::int64_t, std::int64_t) override { host_.ProcessMessages(); }
  bool KeepGoing() override { return host_.KeepGoing(); }

 private:
  BinRunHost& host_;
};

class Stopwatch {
 public:
  explicit Stopwatch(std::chrono::nanoseconds& total) : total_(total), start_(Clock::now()) {}
  ~Stopwatch() { total_ += Clock::now() - start_; }

 private:
  std::chrono::nanoseconds& total_;
  Clock::time_point start_;
};

std::string UnusableFolderText(const std::string& folder) {
  return BuildText(str::kUnusableTarget, {folder});
}

std::string Seconds(int ms) {
  return std::to_string(ms / 1000);
}

std::string FolderInTheWay(const std::string& path) {
  return BuildText(str::kFolderInTheWay, {path});
}

// What kept the batch from making the .BIN, as far as it shows from
// outside: the target or the working folder unwritable or full.
std::string WhyNoBin(const std::string& targetFolder, const std::string& binPath) {
  for (const std::string& folder : {targetFolder, platform::WithSep(platform::CurrentDir())}) {
    if (const int error = platform::FolderWriteProblem(folder, 2 * kMaxBinBytes))
      return folder + ": " + ReasonText(error);
  }
  return BuildText(str::kBinToolsFailed, {binPath});
}

// Why a .BIN to be replaced is still the old one.
std::string OldBinKept(const std::string& targetFolder, const std::string& binPath) {
  if (platform::IsReadOnly(binPath)) return BuildText(str::kOldBinKept, {binPath});
  return WhyNoBin(targetFolder, binPath);
}

// Why a song gives no picture worth a .BIN, empty when it holds MPEG
// audio: without a frame header its picture would say "0 kBit | 0 Hz".
std::string NoAudio(const std::string& songPath, const std::string& name) {
  TMPEGData data;
  const int result = ReadMPEGData(songPath, data);
  if (result > 0) return BuildText(str::kSongUnreadable, {name, std::to_string(result)});
  if (!IsValidHeader(data)) return BuildText(str::kSongNoAudio, {name});
  return {};
}

std::string Hex6(std::int32_t color) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(color));
  return text;
}

std::string FontLine(int string, const std::string& name, int size, std::int32_t color) {
  return "  " + LanguageString(string) + " " + name + ", " +
         std::to_string(size < 0 ? -static_cast<long long>(size) : size) + " Pt, " +
         LanguageString(str::kColourWord) + " $" + Hex6(color);
}

}  // namespace

BinRun::BinRun(BinPictureMaker& pictures, BinRunHost& host, BinRunEnv env)
    : pictures_(pictures), host_(host), env_(WithDefaults(std::move(env))) {
  // The window keeps answering while a song's batch runs.
  if (!env_.run)
    env_.run = [this](const std::string& command, std::uint16_t show, std::int32_t limitMs) {
      RunAndWait(command, show, limitMs, [this] { host_.ProcessMessages(); });
    };
}

int BinRun::Run(const BinRunOptions& options) {
  options_ = options;
  times_ = {};
  // Nothing of the layout editor may show in the pictures.
  host_.HideLayoutControls(true);
  int count = 0;
  try {
    if (FoldersExist(options) && CalibrateLogoLevel(options.targetDir)) {
      count = MakeAllBins(options.sourceDir, options.targetDir);
      host_.Line(LanguageString(str::kLogoLevelLabel) + std::to_string(logoLevel_));
      if (options.makeTxt) {
        host_.Line(LanguageString(str::kMakingTexts));
        TextsReport report(host_);
        WriteInfoTexts(options.sourceDir, options.targetDir, &report, options.useId3v2);
      }
    }
  } catch (...) {
    host_.HideLayoutControls(false);
    host_.ShowBinPage();
    throw;
  }
  host_.HideLayoutControls(false);
  host_.Line(LanguageString(str::kEndOfRun));
  host_.Line(std::to_string(count) + " " + LanguageString(str::kPicturesConverted));
  return count;
}

bool BinRun::FoldersExist(const BinRunOptions& options) {
  // Said before the calibration: without the folder the test picture could
  // only fail with the batch's bare "Error with".
  std::string text;
  if (!options.targetDir.empty() && !platform::IsDirectory(options.targetDir))
    text = BuildText(str::kNoTargetDir, {options.targetDir});
  else if (!options.sourceDir.empty() && !platform::IsDirectory(options.sourceDir))
    text = BuildText(str::kFolderUnreadable, {options.sourceDir});
  if (text.empty()) return true;
  host_.ErrorBox(text);
  host_.ShowBinPage();
  return false;
}

bool BinRun::CalibrateLogoLevel(const std::string& target) {
  logoLevel_ = kFirstLogoLevel;
  const std::string folder = platform::WithSep(target);
  const std::string binPath = folder + kTestBase + ".BIN";
  auto fail = [&](const std::string& text) {
    // What the tools made of the test picture stays nowhere; LED shows the
    // page again, not the test.
    platform::RemoveFile(kToolOutput);
    host_.ErrorBox(text);
    host_.Status(LanguageString(str::kBinPageHint));
    host_.ShowBinPage();
    return false;
  };
  // The songs' entries name the folder the same way, so a folder that
  // works here works for them.
  const auto oemFolder = OemFolder(folder);
  if (!oemFolder || BatchNameProblem(*oemFolder)) return fail(UnusableFolderText(target));
  const std::string b = *oemFolder + kTestBase;
  const std::string bmp = BmpName(kTestPictureNumber);
  // A folder of that name would take the test file inside it and pass.
  if (platform::IsDirectory(binPath))
    return fail(BuildText(str::kTestFileFailed, {FolderInTheWay(binPath)}));

  for (;;) {
    host_.Status(std::string("[ ") + kTestArtist + " ]");
    {
      Stopwatch watch(times_.pictures);
      pictures_.MakeTestPicture(LanguageString(str::kLogoLevelLabel) + std::to_string(logoLevel_),
                                bmp);
    }
    platform::RemoveFile(binPath);
    if (!RunBatch(b, kTestPictureNumber, true, bmp))
      return fail(
          BuildText(str::kTestNotDone, {binPath, kBatchName, Seconds(env_.removalLimitMs)}));
    const std::int64_t size = platform::FileSize(binPath);
    if (size < 0)
      return fail("Error with : \"" + binPath + "\" (" + WhyNoBin(folder, binPath) + ")");
    if (size <= kMaxBinBytes) break;
    if (logoLevel_ >= kLastLogoLevel) {
      platform::RemoveFile(binPath);
      return fail(BuildText(
          str::kTestTooLarge,
          {std::to_string(kLastLogoLevel), std::to_string(size), std::to_string(kMaxBinBytes)}));
    }
    ++logoLevel_;
  }
  platform::RemoveFile(binPath);
  return true;
}

int BinRun::MakeAllBins(const std::string& source, const std::string& target) {
  host_.PrepareWindow();
  const std::string sourceFolder = platform::WithSep(source);
  const std::string targetFolder = platform::WithSep(target);
  const platform::Listing listing = platform::ListFiles(sourceFolder, "*.mp3");
  if (!listing.ok) host_.Line(BuildText(str::kFolderUnreadable, {source}));
  for (const auto& rejected : listing.rejected) host_.Line(UnusableNameNote(rejected.nativeName));

  const int n = static_cast<int>(listing.names.size());
  const int existing = options_.replaceBin ? 0 : CountFiles(targetFolder, "*.BIN");
  const auto oemFolder = OemFolder(targetFolder);
  if (!oemFolder || BatchNameProblem(*oemFolder)) {
    host_.Line(UnusableFolderText(target));
    host_.ShowBinPage();
    return -existing;
  }

  // Listed once: looking each .BIN up in any letter case on its own would
  // list a large folder once per song.
  platform::FolderIndex binIndex(targetFolder);
  NameClaims claims;
  failures_ = 0;
  int k = 0;
  for (const std::string& name : listing.names) {
    // Between songs too, not only while a batch runs: the end of one batch,
    // the next picture and the start of its batch together keep the window
    // from its messages for too long.
    host_.ProcessMessages();
    // A stop comes between songs: every .BIN made so far is whole.
    if (!host_.KeepGoing()) break;
    // Checked before anything is made: a name with a letter code page 850
    // lacks (the batch could not name its .BIN), or one whose .BIN an
    // earlier song already takes, is reported and left out.
    if (!OemFolder(name)) {
      host_.Line(BatchNameNote(name));
      continue;
    }
    if (const auto earlier = claims.Claim(PictureBaseName(name), name)) {
      host_.Line(NameClashNote(*earlier, name));
      continue;
    }
    ++k;
    const std::string songPath = sourceFolder + name;
    if (platform::FileSize(songPath) >= 0) {
      if (const std::string why = NoAudio(songPath, name); !why.empty()) {
        host_.Line(why);
        ++failures_;
        continue;
      }
    }
    const SongPictureJob job{
        sourceFolder,     name, k, n, targetFolder, options_.save2Jpeg, options_.replaceBin,
        options_.useId3v2};
    std::string base;
    {
      Stopwatch watch(times_.pictures);
      base = pictures_.MakeSongPicture(job);
    }
    // "[ k / N ]" while the song's batch runs.
    host_.Progress(k, n);
    const std::string bmp = BmpName(k);
    // The name the batch gives the .BIN once the interpreter has read it.
    const std::string binName = platform::OemToAnsi(base) + ".BIN";
    const std::string binPath = targetFolder + binName;
    // Checked after the picture: a song gone by then was read as nothing.
    std::string skip;
    if (platform::FileSize(songPath) < 0 || platform::IsDirectory(songPath))
      skip = BuildText(str::kSongGone);
    else if (binIndex.HasFolder(binName))
      skip = FolderInTheWay(binPath);
    if (!skip.empty()) {
      host_.Line(BuildText(str::kSongNoBinSkip, {name, skip}));
      platform::RemoveFile(bmp);
      ++failures_;
      continue;
    }
    if (!options_.replaceBin && binIndex.Find(binName)) {
      platform::RemoveFile(bmp);
      continue;
    }
    const std::string b = *oemFolder + base;
    if (const auto problem = BatchNameProblem(b)) {
      host_.Line(BuildText(str::kSongSkipped, {name, *problem}));
      platform::RemoveFile(bmp);
      ++failures_;
      continue;
    }
    const platform::FileStamp old = platform::StampOf(binPath);
    if (!RunBatch(b, k, options_.replaceBin, bmp)) {
      host_.Line(
          BuildText(str::kSongBatchTimeout, {name, kBatchName, Seconds(env_.removalLimitMs)}));
      ++failures_;
      continue;
    }
    if (platform::FileSize(binPath) < 0 || platform::IsDirectory(binPath)) {
      host_.Line(BuildText(str::kSongNoBin, {name, WhyNoBin(targetFolder, binPath)}));
      ++failures_;
    } else if (old.exists && platform::StampOf(binPath) == old) {
      // The old .BIN is still there: the move could not replace it.
      host_.Line(BuildText(str::kSongNoBin, {name, OldBinKept(targetFolder, binPath)}));
      ++failures_;
    } else if (!binIndex.Find(binName)) {
      binIndex.Add(binName);
    }
  }
  host_.ShowBinPage();
  // Only songs that got their .BIN count as pictures made.
  return k - existing - failures_;
}

bool BinRun::RunBatch(const std::string& b, int k, bool replaceBin, const std::string& bmpName) {
  {
    Stopwatch watch(times_.batch);
    BinBatch batch;
    BeginBinBatch(batch, env_.timestamp());
    AddBinBatchEntry(batch, b, k, logoLevel_, replaceBin);
    EndBinBatch(batch);
    // Removed first: a file renamed over the last song's batch is written
    // out to disk at once, and on a busy disk that held up the window.
    platform::RemoveFile(kBatchName);
    WriteBinBatch(kBatchName, batch);
    env_.run(kBatchCommand, kShowHidden, kBatchWaitMs);
  }
  Stopwatch watch(times_.wait);
  const auto deadline = env_.now() + std::chrono::milliseconds(env_.removalLimitMs);
  // The batch's last step deletes the bitmap: that is how the run learns
  // the batch is through, also when it outlasted RunAndWait's limit.
  // Spelled as the run made it: looked up in any case, each song's last
  // poll would list the working folder.
  while (platform::FileSize(bmpName) >= 0) {
    host_.ProcessMessages();
    if (env_.now() >= deadline) return false;
    env_.sleep(env_.pollMs);
  }
  return true;
}

BinSummary CountSummaryFiles(BinSummary summary) {
  summary.mp3Count = CountFiles(summary.sourceDir, "*.mp3");
  summary.binCount = CountFiles(summary.targetDir, "*.bin");
  return summary;
}

std::vector<std::string> BinSummaryLines(const BinSummary& s) {
  return {
      LanguageString(str::kBinHeading),
      "",
      "  " + LanguageString(str::kBinMp3Folder) + " " + s.sourceDir + " (" +
          std::to_string(s.mp3Count) + " mp3)",
      "  " + LanguageString(str::kBinTargetFolder) + " " + s.targetDir + " (" +
          std::to_string(s.binCount) + " bin)",
      "  " + LanguageString(str::kBinBackground) + " " + s.backgroundFile + "(" + s.modeName + ")",
      "  " + LanguageString(str::kBinOverscan) + " " + std::to_string(s.overscan) + " Pixel (" +
          std::to_string(s.overscan * 100 / 480) + "%)",
      FontLine(str::kBinArtistFont, s.font1Name, s.font1Size, s.font1Color),
      FontLine(str::kBinTechFont, s.font2Name, s.font2Size, s.font2Color),
      "",
      "",
  };
}

}  // namespace tovix

#include "binscmd.h"

#include <QCoreApplication>

#include "consolereport.h"

#include "lang/buildstrings.h"
#include "lang/sprachen.h"
#include "offscreenpictures.h"
#include "picture/binrun.h"
#include "picture/picturename.h"
#include "platform/codepage.h"
#include "platform/filesys.h"
#include "platform/process.h"
#include "workfolder.h"

namespace tovix::cli {
namespace {

// Lines and the count go through the console's report.
class ConsoleBinHost : public BinRunHost {
 public:
  explicit ConsoleBinHost(Console& console) : console_(console), report_(console) {}
  void Line(const std::string& text, int listLine) override { report_.Line(text, listLine); }
  void Progress(std::int64_t done, std::int64_t total) override { report_.Progress(done, total); }
  bool KeepGoing() override { return report_.KeepGoing(); }
  void ErrorBox(const std::string& text) override {
    failed_ = true;
    console_.Message(text);
  }
  void Status(const std::string& text) override { console_.Status(text); }
  void ProcessMessages() override { QCoreApplication::processEvents(); }
  bool failed() const { return failed_; }

 private:
  Console& console_;
  ConsoleReport report_;
  bool failed_ = false;
};

// The summary the page's memo starts with when it opens.
void PrintSummary(RunContext& context) {
  const Settings& s = context.settings;
  BinSummary summary;
  summary.sourceDir = s.SourceDir;
  summary.targetDir = s.BinDir;
  summary.backgroundFile = s.BitmapFile;
  summary.modeName = PlacementName(s.Scale);
  summary.overscan = s.Overscan;
  summary.font1Name = s.Font1.name;
  summary.font1Size = s.Font1.size;
  summary.font1Color = s.Font1.color;
  summary.font2Name = s.Font2.name;
  summary.font2Size = s.Font2.size;
  summary.font2Color = s.Font2.color;
  for (const std::string& line : BinSummaryLines(CountSummaryFiles(summary)))
    context.console.Line(line);
}

// Songs of source whose .BIN is not in target.
int SongsWithoutBin(const std::string& source, const std::string& target) {
  int missing = 0;
  for (const std::string& name : platform::ListFiles(source, "*.mp3").names) {
    const std::string bin =
        platform::WithSep(target) + platform::OemToAnsi(PictureBaseName(name)) + ".BIN";
    if (!platform::Exists(bin) || platform::IsDirectory(bin)) ++missing;
  }
  return missing;
}

// The interpreter beside the program and the two tools on the search path;
// without them every song would fail with a cryptic batch error.
bool ToolsPresent(RunContext& context) {
  const std::string programDir = platform::ToNative(platform::ProgramDir());
  if (!platform::IsExecutable(programDir + "tovix-cmd")) {
    Complain(context, Say(str::kCliNotInProgramFolder, {"tovix-cmd", programDir}));
    return false;
  }
  for (const char* tool : {"mklogo", "c2bin"}) {
    bool found = false;
    for (const std::string& dir : platform::ExecutableSearchPath())
      found = found || platform::IsExecutable(dir + "/" + tool);
    if (!found) {
      Complain(context, Say(str::kCliNotOnPath, {tool, programDir}));
      return false;
    }
  }
  return true;
}

}  // namespace

int RunBinPass(RunContext& context) {
  const Settings& s = context.settings;
  BinRunOptions options;
  options.sourceDir = Absolute(context, s.SourceDir);
  options.targetDir = Absolute(context, s.BinDir);
  options.replaceBin = s.NewBins;
  options.makeTxt = s.MakeTxt;
  options.save2Jpeg = s.SaveJpg;
  options.useId3v2 = s.ID3v2;
  if (!RequireFolder(context, options.sourceDir, "mp3dir") ||
      !RequireFolder(context, options.targetDir, "bindir"))
    return kExitPassError;

  PutProgramFolderOnPath();
  if (!ToolsPresent(context)) return kExitPassError;

  PrintSummary(context);
  SongPictureMaker pictures = ConsolePictureMaker(s, context.console);
  ConsoleBinHost host(context.console);
  int failures = 0;
  {
    WorkFolder work;
    BinRun run(pictures, host);
    run.Run(options);
    failures = run.Failures();
  }
  context.console.EndProgress();
  if (host.failed()) return kExitPassError;
  if (failures > 0) {
    Complain(context, Say(str::kCliSongsNoBin, {std::to_string(failures)}));
    return kExitPassError;
  }
  if (const int missing = SongsWithoutBin(options.sourceDir, options.targetDir); missing > 0) {
    Complain(context, Say(str::kCliSongsNoBinIn,
                          {std::to_string(missing), platform::AnsiToUtf8(options.targetDir)}));
    return kExitPassError;
  }
  return kExitOk;
}

int RunBins(RunContext& context) {
  return RunBinPass(context);
}

}  // namespace tovix::cli

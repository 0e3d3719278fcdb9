// tovix-cli recode: the recode pass of page 2, with the options of page 21,
// its memo lines on standard output; --plan shows the decisions alone and
// --jobs N runs N files' batches at a time.
#include <algorithm>
#include <cstdlib>
#include <thread>

#include "commands.h"
#include "consolereport.h"
#include "lang/buildstrings.h"
#include "platform/codepage.h"
#include "platform/filesys.h"
#include "platform/process.h"
#include "platform/winexc32.h"
#include "player/mpegplay.h"
#include "recode/playerdecoder.h"
#include "recode/recodepass.h"
#include "recode/recodesteps.h"
#include "workfolder.h"

namespace tovix::cli {
namespace {

// Ctrl+C (or a TERM) cancels the pass as " oops..." does: the files on their
// way finish their step, the end line is logged.
class ConsoleRecodeHost : public RecodeHost {
 public:
  explicit ConsoleRecodeHost(Console& console) : report_(console) {}
  void Line(const std::string& text, int listLine) override { report_.Line(text, listLine); }
  bool KeepGoing() override { return report_.KeepGoing(); }
  void Stop() override { report_.Stop(); }

 private:
  ConsoleReport report_;
};

// The batch runs in its private folder; its console output would mix with
// the memo lines, and what goes wrong reaches the log through fehler.txt.
void RunBatchIn(const std::string& commandLine, const std::string& workDir) {
  auto request = PlanCommand(commandLine, kShowHidden);
  if (!request) return;
  request->workDir = platform::ToNative(workDir);
  platform::Process child;
  if (child.Start(*request)) child.Wait(platform::kWaitForever);
}

RecodeOptions OptionsOf(RunContext& context) {
  const Settings& s = context.settings;
  RecodeOptions options;
  options.sourceDir = Absolute(context, s.SourceDir);
  options.recodeDir = s.RecodeDir.empty() ? "" : Absolute(context, s.RecodeDir);
  options.tempDir = s.TempDir.empty() ? "" : Absolute(context, s.TempDir);
  options.rule.recode = s.Recode;
  options.rule.if127 = s.If127;
  options.rule.ifMono = s.IfMono;
  options.rule.ifXing = s.IfXing;
  options.rule.targetBitrate = s.TargetBitrate();
  options.tmpWav = s.TmpWav;
  return options;
}

int PrintPlan(RunContext& context, const RecodeOptions& options) {
  const std::string refusal = RecodeRefusal(options);
  if (!refusal.empty()) {
    context.console.Message(refusal.substr(1));
    return kExitPassError;
  }
  for (const auto& rejected :
       platform::ListFiles(platform::WithSep(options.sourceDir), "*.mp3").rejected)
    Complain(context, Say(str::kSkippedUnusableName, {rejected.nativeName}));
  for (const PlannedFile& file : PlanRecode(options))
    context.console.Note(platform::AnsiToUtf8(file.name) + "\t" +
                         (file.refused                     ? "refused"
                          : file.term == RecodeTerm::kCopy ? "copy"
                                                           : "recode") +
                         "\t" + platform::AnsiToUtf8(file.why));
  return kExitOk;
}

}  // namespace

int RunRecode(RunContext& context) {
  const RecodeOptions options = OptionsOf(context);
  if (!RequireFolder(context, options.sourceDir, "mp3dir")) return kExitPassError;
  if (context.call.HasOption("--plan")) return PrintPlan(context, options);

  RecodeEnv env;
  env.privateWorkFolders = true;
  env.jobs = context.call.HasOption("--jobs")
                 ? std::atoi(context.call.Option("--jobs").c_str())
                 : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  env.runBatch = RunBatchIn;
  env.programDir = platform::ProgramDir();
  for (const char* batch : {kMp3ToMp3Batch, kWavToMp3Batch})
    if (!platform::Exists(env.programDir + batch)) {
      Complain(context,
               Say(str::kCliNotInProgramFolder, {batch, platform::AnsiToUtf8(env.programDir)}));
      return kExitPassError;
    }

  TMPEGPlayer player;
  PlayerDecoder decoder(player);
  if (options.rule.recode && options.tmpWav) {
    // A library that cannot be loaded is reported by the pass, per file.
    try {
      player.InitLibrary();
    } catch (const TMPEGError&) {
    }
    env.player = &decoder;
  }

  ConsoleRecodeHost host(context.console);
  RecodeResult result;
  {
    WorkFolder work;
    env.workRoot = platform::CurrentDir();
    InterruptStops cancels;
    RecodePass pass(host, env);
    result = pass.Run(options);
  }
  if (result.refused || result.cancelled || result.errors > 0) return kExitPassError;
  return kExitOk;
}

}  // namespace tovix::cli

#include "commands.h"
#include "consolereport.h"
#include "lang/buildstrings.h"
#include "platform/codepage.h"
#include "rename/renamelist.h"

namespace tovix::cli {
namespace {

RenameOptions OptionsOf(const Settings& s) {
  RenameOptions options;
  options.makeTag = s.MakeTag;
  options.x2Blank = s.X2Blank;
  options.saveTag = s.SaveTag;
  options.niceWords = s.NiceWords;
  options.id3v2 = s.ID3v2;
  return options;
}

int Plan(RunContext& context, const std::string& source, const std::string& listFile) {
  ConsoleReport report(context.console);
  report.LinesAsMessages();
  // The plan changes no file: the tags the page writes while building its
  // list are written by --apply, for the files the list still holds.
  RenameOptions options = OptionsOf(context.settings);
  options.saveTag = false;
  const std::vector<std::string> lines = BuildRenameList(source, options, &report);
  WriteRenameListFile(listFile, lines);
  // The page shows the list in its memo.
  for (const std::string& line : lines) context.console.Line(line);
  context.console.Note(
      Say(str::kCliLinesWritten, {std::to_string(lines.size()), platform::AnsiToUtf8(listFile)}));
  return kExitOk;
}

int Apply(RunContext& context, const std::string& source, const std::string& listFile) {
  const std::vector<std::string> lines = ReadRenameListFile(listFile);
  ConsoleReport report(context.console);
  report.LinesAsMessages();
  RenameOptions options = OptionsOf(context.settings);
  options.completeTagsOnApply = true;
  options.companionDir = Absolute(context, context.settings.BinDir);
  options.undoFile = UndoListPath(listFile);
  // An undo list gives the names back as they stood: no capitals, no tags.
  if (IsUndoListPath(listFile)) options = UndoOptions(options);
  const ApplyResult result = ApplyRenameList(source, lines, options, &report);
  context.console.EndProgress();
  if (!result.undo.empty())
    context.console.Note(Say(str::kCliUndoWith, {platform::AnsiToUtf8(options.undoFile)}));
  context.console.Line(ApplySummary(result));
  if (result.outcome == ApplyResult::Outcome::Done) return kExitOk;
  if (result.outcome == ApplyResult::Outcome::MissingFile)
    Complain(context, Say(str::kCliNothingRenamed,
                          {std::to_string(result.line + 1), platform::AnsiToUtf8(listFile)}));
  return kExitPassError;
}

}  // namespace

int RunRename(RunContext& context) {
  const std::string source = Absolute(context, context.settings.SourceDir);
  if (!RequireFolder(context, source, "mp3dir")) return kExitPassError;
  const bool plan = context.call.HasOption("--plan");
  const auto listFile = AnsiPath(context, context.call.Option(plan ? "--plan" : "--apply"));
  if (!listFile) return kExitBadCall;
  const std::string file = Absolute(context, *listFile);
  return plan ? Plan(context, source, file) : Apply(context, source, file);
}

}  // namespace tovix::cli

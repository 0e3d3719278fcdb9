#include "commands.h"
#include "consolereport.h"
#include "disc/disccheck.h"
#include "disc/isoimage.h"
#include "lang/buildstrings.h"
#include "lang/sprachen.h"
#include "platform/codepage.h"
#include "platform/filesys.h"

namespace tovix::cli {
namespace {

constexpr std::int64_t kMb = 1000 * 1000;

std::string Mb(std::int64_t bytes) {
  return std::to_string((bytes + kMb - 1) / kMb) + " MB";
}

}  // namespace

int RunDisc(RunContext& context) {
  const CliCall& call = context.call;
  const Settings& s = context.settings;
  const std::string folder = Absolute(context, s.SourceDir);
  if (!RequireFolder(context, folder, "mp3dir")) return kExitPassError;
  std::optional<std::string> image;
  if (!call.operands.empty()) {
    image = AnsiPath(context, call.operands[0]);
    if (!image) return kExitBadCall;
    image = Absolute(context, *image);
  }

  const bool asIs = call.HasOption("--as-is");
  const DiscTree tree =
      asIs ? AsIsTree(folder) : ShortLayoutTree(folder, Absolute(context, s.BinDir));
  DiscLimits limits;
  if (call.HasOption("--size")) limits.mediumMb = std::stoi(call.Option("--size"));
  limits.maxFolders = s.DiscFolders;
  limits.maxFiles = s.DiscFiles;
  const std::vector<DiscFinding> findings = CheckDisc(tree, limits);
  for (const DiscFinding& finding : findings) context.console.Note(FindingTextUtf8(finding));

  const std::int64_t bytes = ImageSectors(tree) * 2048;
  context.console.Note(
      Say(asIs ? str::kCliDiscAsItStands : str::kCliDiscAsShort,
          {platform::AnsiToUtf8(tree.volume), std::to_string(tree.folders.size()),
           std::to_string(tree.files.size()), Mb(bytes), std::to_string(limits.mediumMb)}));
  if (HasErrors(findings)) {
    Complain(context, Say(image ? str::kCliNoImage : str::kCliDiscFails));
    return kExitPassError;
  }
  if (!image) {
    context.console.Line(LanguageString(str::kDiscCheckPassed));
    return kExitOk;
  }

  ConsoleReport progress(context.console);
  progress.CountIn(kMb);
  const std::int64_t written = WriteIsoImage(tree, *image, call.HasOption("--replace"), &progress);
  context.console.EndProgress();
  context.console.Line(LanguageString(str::kImageWritten) + " " + *image + " (" + Mb(written) +
                       ")");
  return kExitOk;
}

}  // namespace tovix::cli

#include "commands.h"
#include "consolereport.h"
#include "lang/buildstrings.h"
#include "lang/sprachen.h"
#include "rename/cdbatches.h"

namespace tovix::cli {

int RunCdBatch(RunContext& context) {
  const Settings& s = context.settings;
  const std::string source = Absolute(context, s.SourceDir);
  const std::string target = Absolute(context, s.BinDir);
  if (!RequireFolder(context, source, "mp3dir")) return kExitPassError;
  // Companions are only looked for in the BIN folder; a missing one just
  // has none, as on the page.
  ConsoleReport report(context.console);
  CdBatchResult result;
  CreateCdBatches(source, target, !context.call.HasOption("--no-subdirs"), &report, &result);
  context.console.EndProgress();
  // What the page's label says once the pair is written.
  context.console.Line(LanguageString(str::kBatchPairWritten) + " " + s.SourceDir);
  context.console.Line(CdBatchSummary(result));
  return kExitOk;
}

}  // namespace tovix::cli

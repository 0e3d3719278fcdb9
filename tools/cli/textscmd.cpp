#include "commands.h"
#include "consolereport.h"
#include "lang/buildstrings.h"
#include "lang/sprachen.h"
#include "platform/codepage.h"
#include "rename/infotexts.h"

namespace tovix::cli {

int RunTexts(RunContext& context) {
  const Settings& s = context.settings;
  const std::string source = Absolute(context, s.SourceDir);
  const std::string target = Absolute(context, s.BinDir);
  if (!RequireFolder(context, source, "mp3dir") || !RequireFolder(context, target, "bindir"))
    return kExitPassError;
  ConsoleReport report(context.console);
  // The BIN run announces the text files with this line; alone they get it too.
  context.console.Line(LanguageString(str::kMakingTexts));
  const int written = WriteInfoTexts(source, target, &report, context.settings.ID3v2);
  context.console.EndProgress();
  context.console.Note(
      Say(str::kCliTextsWritten, {std::to_string(written), platform::AnsiToUtf8(target)}));
  return kExitOk;
}

}  // namespace tovix::cli

#include "commands.h"
#include "lang/buildstrings.h"
#include "lang/sprachen.h"
#include "mp3/scantable.h"
#include "platform/codepage.h"

namespace tovix::cli {

int RunScan(RunContext& context) {
  context.console.EndProgress();
  // The table's complaints in the language of the run; the path stays "%1".
  ScanMessages messages;
  messages.folderUnreadable = Say(str::kFolderUnreadable, {"%1"});
  messages.skipped = Say(str::kSkippedUnusableName, {"%1"});
  messages.missing = Say(str::kDoesNotExist, {"%1"});
  messages.unreadable = Say(str::kCannotRead, {"%1"}) + ": %2";
  messages.notAnsi = Say(str::kCliNotWin1252, {"%1"});
  messages.reason = [](int code) { return platform::AnsiToUtf8(ReasonText(code)); };
  messages.unknownEncoder = UnknownEncoderText();
  const int result =
      WriteScanTable(context.call.operands, context.console.out(), context.console.err(), messages);
  context.console.out().flush();
  return result == 0 ? kExitOk : kExitPassError;
}

}  // namespace tovix::cli

#include "commands.h"
#include "lang/buildstrings.h"
#include "offscreenpictures.h"
#include "platform/codepage.h"
#include "platform/filesys.h"

namespace tovix::cli {

int RunPicture(RunContext& context) {
  const auto mp3 = AnsiPath(context, context.call.operands[0]);
  const auto bmp = AnsiPath(context, context.call.operands[1]);
  std::optional<std::string> jpeg;
  if (context.call.HasOption("--jpeg")) jpeg = AnsiPath(context, context.call.Option("--jpeg"));
  if (!mp3 || !bmp || (context.call.HasOption("--jpeg") && !jpeg)) return kExitBadCall;
  if (!platform::Exists(*mp3) || platform::IsDirectory(*mp3)) {
    Complain(context, Say(str::kDoesNotExist, {platform::AnsiToUtf8(*mp3)}));
    return kExitPassError;
  }

  SongPictureMaker pictures = ConsolePictureMaker(context.settings, context.console);
  pictures.MakeFilePicture(*mp3, context.settings.ID3v2, *bmp, jpeg.value_or(""));
  context.console.Note(Say(str::kCliWritten, {platform::AnsiToUtf8(*bmp)}));
  if (jpeg) context.console.Note(Say(str::kCliWritten, {platform::AnsiToUtf8(*jpeg)}));
  return kExitOk;
}

}  // namespace tovix::cli

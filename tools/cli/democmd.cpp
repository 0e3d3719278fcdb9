#include <filesystem>

#include "binscmd.h"
#include "commands.h"
#include "demodata.h"
#include "lang/buildstrings.h"
#include "mp3/mpegfile.h"
#include "picture/jpgtobmp.h"
#include "platform/codepage.h"
#include "platform/filesys.h"

namespace tovix::cli {
namespace {

constexpr double kSongSeconds = 6.0;
constexpr const char* kBackgroundName = "Hintergrund.jpg";
constexpr const char* kSheetName = "tv-sheet.png";
constexpr const char* kImageName = "tovix-demo.iso";

// A fresh or empty folder: the demo never replaces a file of the user's.
bool PrepareFolder(RunContext& context, const std::string& dir) {
  const std::string native = platform::ToNative(dir);
  std::error_code ec;
  if (platform::Exists(dir)) {
    if (!platform::IsDirectory(dir)) {
      Complain(context, Say(str::kNotAFolder, {native}));
      return false;
    }
    if (!std::filesystem::is_empty(native, ec) || ec) {
      Complain(context, Say(str::kCliFolderNotEmpty, {native}));
      return false;
    }
    return true;
  }
  if (!std::filesystem::create_directories(native, ec) || ec) {
    Complain(context, Say(str::kCannotCreate, {native}) + ": " + ec.message());
    return false;
  }
  return true;
}

// The songs: generated sound, encoded by lame, tagged where the song has one.
bool MakeSongs(RunContext& context, const std::string& dir) {
  const auto lame = FindLame();
  if (!lame) {
    Complain(context, Say(str::kCliNoLame));
    return false;
  }
  const std::string wav = platform::WithSep(dir) + "demo-sound.wav";
  int k = 0;
  const int n = static_cast<int>(DemoSongs().size());
  for (const DemoSong& song : DemoSongs()) {
    context.console.Progress(++k, n);
    WriteFileReplacing(wav, DemoWave(song.melody, kSongSeconds));
    const std::string mp3 = platform::WithSep(dir) + song.fileName;
    const auto error =
        EncodeWithLame(*lame, platform::ToNative(wav), platform::ToNative(mp3), song.lameArgs);
    if (error) {
      platform::RemoveFile(wav);
      Complain(context, platform::AnsiToUtf8(song.fileName) + ": " + *error);
      return false;
    }
    if (*song.artist) {
      TID3Tag tag;
      tag.Artist = song.artist;
      tag.Title = song.title;
      tag.Album = "Tovix Demo";
      tag.Year = "2024";
      tag.Genre = 12;  // Other
      WriteID3Tag(mp3, tag);
    }
  }
  platform::RemoveFile(wav);
  context.console.EndProgress();
  return true;
}

void Report(RunContext& context, const std::string& dir) {
  const std::string shown = platform::AnsiToUtf8(platform::WithSep(dir));
  Console& c = context.console;
  c.Note("");
  // The summary names each result with the words of the pages that make it.
  const auto label = [](int n) { return "  " + Say(n) + " "; };
  c.Note(Say(str::kCliDemoReady, {shown}));
  c.Note(Say(str::kCliDemoSongs, {std::to_string(DemoSongs().size())}));
  c.Note(label(str::kBinBackground) + shown + kBackgroundName);
  c.Note(label(str::kBinTargetFolder) + shown + " (" +
         std::to_string(platform::ListFiles(dir, "*.BIN").names.size()) + " bin)");
  c.Note("  " + Say(str::kCliTextsWritten,
                    {std::to_string(platform::ListFiles(dir, "*.TXT").names.size()), shown}));
  c.Note("  " + Say(str::kBatchPairWritten) + " " + shown);
  c.Note(label(str::kSheetTitle) + shown + kSheetName);
  c.Note(label(str::kImageButton) + shown + kImageName);
  c.Note(Say(str::kCliDemoLook));
  c.Note("  tovix-cli --set bitmap=" + shown + kBackgroundName + " picture \"" + shown +
         platform::AnsiToUtf8(DemoSongs()[0].fileName) + "\" song.bmp");
  c.Note(Say(str::kCliDemoLayOut, {shown}));
  c.Note("  " + platform::ToNative(platform::ProgramDir()) + "tovix-cmd Short.bat");
  c.Note("  " + platform::ToNative(platform::ProgramDir()) + "tovix-cmd Long.bat");
}

}  // namespace

int RunDemo(RunContext& context) {
  const auto operand = AnsiPath(context, context.call.operands[0]);
  if (!operand) return kExitBadCall;
  const std::string dir = Absolute(context, *operand);
  if (!PrepareFolder(context, dir)) return kExitPassError;

  context.console.Note(Say(str::kCliDemoMaking));
  if (!MakeSongs(context, dir)) return kExitPassError;
  const std::string background = platform::WithSep(dir) + kBackgroundName;
  WriteFileReplacing(background, EncodeJpeg(DemoBackground(), 90));

  Settings& s = context.settings;
  s.SourceDir = dir;
  s.BinDir = dir;
  s.BitmapFile = background;

  context.console.Note("");
  context.console.Note(Say(str::kBinPageHint) + ":");
  if (const int code = RunBinPass(context); code != kExitOk) return code;
  context.console.Note("");
  context.console.Note(Say(str::kMakeTextsCaption) + ":");
  if (const int code = RunTexts(context); code != kExitOk) return code;
  context.console.Note("");
  context.console.Note(Say(str::kCdBatchHint) + ":");
  if (const int code = RunCdBatch(context); code != kExitOk) return code;
  // The last two steps read the operands of their own commands.
  CliCall call = context.call;
  RunContext step{call, context.settings, context.console, context.startDir};
  context.console.Note("");
  context.console.Note(Say(str::kSheetTitle) + ":");
  call.operands = {platform::ToNative(platform::WithSep(dir) + kSheetName)};
  if (const int code = RunSheet(step); code != kExitOk) return code;
  context.console.Note("");
  context.console.Note(Say(str::kImageButton) + ":");
  call.operands = {platform::ToNative(platform::WithSep(dir) + kImageName)};
  if (const int code = RunDisc(step); code != kExitOk) return code;
  Report(context, dir);
  return kExitOk;
}

}  // namespace tovix::cli

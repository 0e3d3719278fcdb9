// tovix-cli play: one MP3 through the player component, to the sound device
// or into a wave file, so the decoder library can be checked without a window.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

#include "commands.h"
#include "lang/buildstrings.h"
#include "platform/codepage.h"
#include "platform/filesys.h"
#include "platform/signals.h"
#include "player/mpegplay.h"
#include "player/playercontrols.h"
#include "player/playererrortext.h"

namespace tovix::cli {
namespace {

// The library wakes the waiter at the end; the mode is asked again after
// this long in case it did not.
constexpr int kEndCheckMs = 1000;

void Sleep(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Plays to the sound device; the player's timer, driven here, prints the
// elapsed time once a second and sees the end.
void PlayToSound(TMPEGPlayer& player, Console& console) {
  bool ended = false;
  int shown = -1;
  player.OnPosUpdate = [&](int pos, int len) {
    if (pos / 1000 == shown) return;
    shown = pos / 1000;
    console.Note(ElapsedText(pos) + " / " + ElapsedText(len));
  };
  player.OnPlayEnd = [&](TMPEGPlayer&) { ended = true; };
  player.Play();
  while (!ended && player.Timer()->Enabled()) {
    Sleep(player.Timer()->Interval());
    player.TimerTick();
  }
  // An output that failed on the way ends the song too; the mode says so.
  player.GetPlayerMode();
  player.Close();
}

// Decodes into a wave file and waits for the library's end. A failure of
// the decode or the output shows in the mode's error.
void DecodeToWave(TMPEGPlayer& player, const std::string& wave) {
  player.Open();
  player.SetOutFilename(wave);
  player.SetOutputDevice(TOutputDevice::pcmfile);
  player.Play();
  while (!player.WaitForEnd(kEndCheckMs) && player.GetPlayerMode() == kModePlaying) {
  }
  player.GetPlayerMode();
  player.Close();
  player.SetOutputDevice(TOutputDevice::wavemapper);
}

// The wave file is written under a hidden name beside its place and moved
// there only when whole, so a failed decode leaves nothing under its name.
// The hidden file goes whatever happens, also on SIGINT and SIGTERM.
class HiddenWave {
 public:
  explicit HiddenWave(const std::string& wave) {
    const std::size_t sep = wave.find_last_of("/\\");
    const std::string folder = sep == std::string::npos ? "" : wave.substr(0, sep + 1);
    std::random_device random;
    do {
      char token[9];
      std::snprintf(token, sizeof token, "%08x", random());
      path_ = folder + ".tovix-" + token + ".tmp";
    } while (platform::Exists(path_));
    platform::RemoveOnSignal(platform::ToNative(path_), false);
  }
  ~HiddenWave() {
    platform::RemoveFile(path_);
    platform::ForgetOnSignal();
  }
  HiddenWave(const HiddenWave&) = delete;
  HiddenWave& operator=(const HiddenWave&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

int RunPlay(RunContext& context) {
  const auto mp3 = AnsiPath(context, context.call.operands[0]);
  if (!mp3) return kExitPassError;
  const std::string file = Absolute(context, *mp3);
  if (!platform::Exists(file) || platform::IsDirectory(file)) {
    Complain(context, Say(str::kCliNotAFile, {context.call.operands[0]}));
    return kExitPassError;
  }
  std::optional<std::string> wave;
  if (context.call.HasOption("--wav")) {
    wave = AnsiPath(context, context.call.Option("--wav"));
    if (!wave) return kExitPassError;
    *wave = Absolute(context, *wave);
    // A wave file is written, never put over one that is there.
    if (platform::Exists(*wave)) {
      Complain(context, Say(str::kExistsKept, {context.call.Option("--wav")}));
      return kExitPassError;
    }
  }

  TMPEGPlayer player;
  player.SetPlayerPriority(TPlayPriority::Normal);
  player.SetUseTimer(true);
  player.SetTimerFreq(500);
  try {
    player.InitLibrary();
    player.SetStreamName(file);
    if (wave) {
      HiddenWave hidden(*wave);
      DecodeToWave(player, hidden.path());
      if (!platform::RenameNoReplace(hidden.path(), *wave)) {
        const int error = errno;
        Complain(context, Say(str::kCannotWrite, {context.call.Option("--wav")}) + ": " +
                              platform::AnsiToUtf8(ReasonText(error)));
        return kExitPassError;
      }
      context.console.Note(Say(str::kCliWritten, {platform::AnsiToUtf8(*wave)}));
    } else {
      PlayToSound(player, context.console);
    }
  } catch (const TMPEGError& e) {
    Complain(context, platform::AnsiToUtf8(PlayerErrorText(e)));
    // The component's text does not say which file or what is wrong with it.
    if (!player.LibraryProblem().empty()) Complain(context, player.LibraryProblem());
    return kExitPassError;
  }
  return kExitOk;
}

}  // namespace tovix::cli

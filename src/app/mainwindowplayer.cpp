// The preview player of the main window: its component, the Load, Play,
// Pause and Stop buttons of the toolbar and the elapsed time in LED.
#include <QPushButton>

#include "app/mainwindow.h"
#include "app/pages/qtext.h"
#include "app/toolbar.h"
#include "chrome/filedialoglocale.h"
#include "lang/buildstrings.h"
#include "platform/filesys.h"
#include "player/mpegplay.h"
#include "player/playercontrols.h"
#include "player/playererrortext.h"
#include "player/qtplayertimer.h"

namespace tovix {

namespace {
constexpr const char* kMp3Filter = "MPeg Audio|*.mp3";

// Asks without raising: after a playing that failed, Stop and Load must
// still put the player back.
bool PlayingOrPaused(TMPEGPlayer& player) {
  const int mode = player.PeekPlayerMode();
  return mode == kModePlaying || mode == kModePaused;
}

// The status line's words for a playing that the library ended by a failure.
std::string PlaybackFailureText(int code) {
  return BuildText(code == kErrOutputDevice ? str::kPlayOutputGone : str::kPlayUnreadable);
}
}  // namespace

void MainWindow::CreatePlayer() {
  // The timer's handler runs from the event loop. A failure there puts the
  // buttons back and says so in the status line, never in a message box: the
  // player's timer raises it once, a box would come back with every tick.
  player_ = std::make_unique<TMPEGPlayer>([this](std::function<void()> tick) {
    return std::make_unique<QtPlayerTimer>([this, tick = std::move(tick)] {
      try {
        tick();
      } catch (const TMPEGError& e) {
        stopSong();
        SetLed(PlaybackFailureText(e.ErrorCode));
      } catch (const std::exception& e) {
        stopSong();
        SetLed(ErrorText(e));
      }
    });
  });
  ChooseMp3File = [this](const std::string& folder) -> std::optional<std::string> {
    const QString chosen =
        chrome::ChooseOpenFileName(this, QString(), FromAnsi(folder), FilterToQt(kMp3Filter));
    if (chosen.isEmpty()) return std::nullopt;
    return ToAnsi(chosen);
  };
  try {
    player_->SetPlayerPriority(TPlayPriority::Normal);
    player_->SetUseTimer(true);
    player_->SetTimerFreq(500);
    player_->InitLibrary();
  } catch (const TMPEGError& e) {
    playerLoadError_ = PlayerErrorText(e);
  }
}

void MainWindow::SetPlayerButtons(bool play, bool pause, bool stop) {
  if (!toolbar_) return;
  toolbar_->Play->setEnabled(play);
  toolbar_->Pause->setEnabled(pause);
  toolbar_->Stop->setEnabled(stop);
}

void MainWindow::loadSong() {
  Guarded([this] {
    const std::optional<std::string> chosen =
        ChooseMp3File ? ChooseMp3File(settings_.SourceDir) : std::nullopt;
    if (!chosen || !platform::Exists(*chosen) || platform::IsDirectory(*chosen)) return;
    // Without the library this raises "MPEG library not loaded": nothing loads.
    if (PlayingOrPaused(*player_)) stopSong();
    repaint();
    OpenDialog3FileName = *chosen;
    if (ComposeSongTexts) ComposeSongTexts(*chosen);
    if (PageNumber == 8) {
      // Rebuilt as by a click on the page's label.
      previewPage->hide();
      showPreviewPage();
    }
    player_->SetStreamName(*chosen);
    if (toolbar_) toolbar_->Play->setEnabled(true);
  });
}

void MainWindow::playSong() {
  try {
    player_->SetStreamName(OpenDialog3FileName);
    player_->Open();
    player_->OnPlayEnd = [this](TMPEGPlayer& player) {
      // Read before stopSong closes the stream, which clears it.
      const int failure = player.LastError();
      stopSong();
      if (failure > 0) SetLed(PlaybackFailureText(failure));
    };
    player_->OnPosUpdate = [this](int pos, int len) { PlayerPosUpdate(pos, len); };
    player_->SetUseTimer(true);
    player_->SetTimerFreq(500);
    player_->Play();
    SetPlayerButtons(false, true, true);
  } catch (const std::exception& e) {
    // A Play that failed leaves no handler behind: a later decode to a wave
    // file through the same player must not end in this window's stopSong.
    player_->OnPlayEnd = nullptr;
    player_->OnPosUpdate = nullptr;
    const auto* failure = dynamic_cast<const TMPEGError*>(&e);
    if (failure && failure->ErrorCode == kErrOutputDevice) {
      // The file is fine; the dialog would not help. The stream is closed,
      // so the next Play tries the sound output afresh.
      Guarded([this] { player_->SetStreamName(""); });
      SetLed(BuildText(str::kNoAudioOutput));
      return;
    }
    // Nothing playable yet: the user is asked for a file instead.
    loadSong();
  }
}

void MainWindow::pauseSong() {
  Guarded([this] { player_->SetPaused(!player_->Paused()); });
}

void MainWindow::stopSong() {
  Guarded([this] {
    // Without a library there is nothing to stop; the rename pass calls
    // this before renaming and must not fail for it.
    if (player_->Loaded() && PlayingOrPaused(*player_)) player_->Stop();
    SetPlayerButtons(true, false, false);
    player_->SetStreamName("");
  });
}

void MainWindow::PlayerPosUpdate(int pos, int len) {
  // During a pause the time shown stands still; a failure is the end
  // handler's to report.
  if (player_->PeekPlayerMode() != kModePlaying) return;
  const int elapsed = ElapsedMs(pos, len, mp3Info_.Duration);
  if (PageNumber == 8) SetLed(ElapsedText(elapsed));
}

}  // namespace tovix

// The player buttons of the toolbar and the elapsed time in LED: against
// the recording test double (the timer driven by hand), without a library,
// and through the real decoder library playing to the dummy output.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <cstdlib>
#include <functional>

#include "app/mainwindow.h"
#include "app/pages/qtext.h"
#include "app/testwindows.h"
#include "app/toolbar.h"
#include "lang/buildstrings.h"
#include "mp3/mp3builder.h"
#include "player/fakecontrol.h"
#include "player/mpegplay.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

// Sets an environment variable for the life of a fixture.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old, had_ = true;
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~ScopedEnv() {
    if (had_)
      setenv(name_, old_.c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

// Lets the window run until done() holds, at most limitMs.
bool WaitFor(const std::function<bool()>& done, int limitMs = 30000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > limitMs) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(10);
  }
  return true;
}

struct ButtonStates {
  bool load, play, pause, stop;
  bool operator==(const ButtonStates&) const = default;
};
std::ostream& operator<<(std::ostream& out, const ButtonStates& b) {
  return out << b.load << b.play << b.pause << b.stop;
}
constexpr ButtonStates kStart{true, false, false, false};
constexpr ButtonStates kLoaded{true, true, false, false};
constexpr ButtonStates kPlaying{true, false, true, true};

// A 90-second song (128 kbit/s frames) with a tag.
std::string NinetySeconds() {
  test::TagFields tag;
  tag.artist = "Westernhagen";
  tag.title = "Westerland";
  return test::Frames(3454) + test::Id3v1(tag);
}

class WithTestDouble : public ::testing::Test {
 protected:
  WithTestDouble() {
    fake_ = test::OpenFake(FAKE_MPEGDLL_DIR);
    fake_.reset();
    w = std::make_unique<test::Windows>();
    test::WriteFile(songs.file("song.mp3"), NinetySeconds());
    f().MutableSettings().SourceDir = songs.path();
    f().ChooseMp3File = [this](const std::string& folder) -> std::optional<std::string> {
      dialogFolders.push_back(folder);
      return chosen;
    };
    chosen = songs.file("song.mp3");
  }
  ~WithTestDouble() override { dlclose(fake_.handle); }

  MainWindow& f() { return *w->mainWindow; }
  Toolbar& t() { return *w->toolbar; }
  ButtonStates Buttons() {
    return {t().Load->isEnabled(), t().Play->isEnabled(), t().Pause->isEnabled(),
            t().Stop->isEnabled()};
  }
  std::string Log() { return fake_.log(); }

  ScopedEnv env_{"TOVIX_TEST_MPEGDLL", FAKE_MPEGDLL_DIR "/libmpegdll.so"};
  test::Fake fake_;
  test::TempDir songs;
  std::unique_ptr<test::Windows> w;
  std::optional<std::string> chosen;
  std::vector<std::string> dialogFolders;
};

TEST_F(WithTestDouble, LoadPlayPauseStopAndTheEndOfTheSong) {
  EXPECT_TRUE(w->errors.empty());
  EXPECT_EQ(Buttons(), kStart);
  f().showPreviewPage();

  // Load asks in the MP3 source folder, refreshes the preview, enables Play.
  t().Load->click();
  EXPECT_EQ(dialogFolders, std::vector<std::string>{songs.path()});
  EXPECT_EQ(Buttons(), kLoaded);
  EXPECT_EQ(f().MPEGPlayer().StreamName(), *chosen);
  EXPECT_FALSE(f().MPEGPlayer().Opened());
  EXPECT_EQ(ToAnsi(f().previewPage->Artist()->text()), "Westernhagen ");
  EXPECT_EQ(f().PageNumber, 8);
  EXPECT_TRUE(f().previewPage->isVisible());

  fake_.clearLog();
  fake_.position(45000, 90000);
  t().Play->click();
  EXPECT_EQ(Buttons(), kPlaying);
  EXPECT_NE(Log().find("Open(" + *chosen + ",0,nocb,null);"), std::string::npos) << Log();
  EXPECT_NE(Log().find("SetOutputDevice(0,);Play(0,0);"), std::string::npos) << Log();
  // A 90-second song half played shows 45 seconds (the first tick runs at
  // once).
  EXPECT_EQ(f().LedText(), "00:00:45");

  // Pause twice: paused, then the same song goes on; the time stands still
  // in between.
  t().Pause->click();
  EXPECT_TRUE(f().MPEGPlayer().Paused());
  fake_.position(54000, 90000);
  f().MPEGPlayer().TimerTick();
  EXPECT_EQ(f().LedText(), "00:00:45");
  fake_.clearLog();
  t().Pause->click();
  EXPECT_FALSE(f().MPEGPlayer().Paused());
  EXPECT_EQ(Log(), "Pause(1);");
  f().MPEGPlayer().TimerTick();
  EXPECT_EQ(f().LedText(), "00:00:54");

  // Stop while paused: stopped and closed, the buttons as after loading.
  t().Pause->click();
  fake_.clearLog();
  t().Stop->click();
  EXPECT_EQ(Log(), "GetPlayerMode();Stop();Close();");
  EXPECT_EQ(Buttons(), kLoaded);
  EXPECT_FALSE(f().MPEGPlayer().Opened());
  EXPECT_EQ(f().MPEGPlayer().StreamName(), "");

  // Play after a stop reopens the file the dialog holds; at the natural end
  // of the song the buttons come back without a click.
  fake_.clearLog();
  t().Play->click();
  EXPECT_NE(Log().find("Open(" + *chosen), std::string::npos) << Log();
  EXPECT_EQ(Buttons(), kPlaying);
  fake_.end();
  f().MPEGPlayer().TimerTick();
  EXPECT_EQ(Buttons(), kLoaded);
  EXPECT_FALSE(f().MPEGPlayer().Opened());
  t().Play->click();
  EXPECT_EQ(Buttons(), kPlaying);
  EXPECT_TRUE(w->errors.empty()) << w->errors.front();
}

TEST_F(WithTestDouble, TimeShowsOnlyOnThePreviewPage) {
  f().showDirectoriesPage();
  const std::string led = f().LedText();
  t().Load->click();
  t().Play->click();
  fake_.position(45000, 90000);
  f().MPEGPlayer().TimerTick();
  EXPECT_EQ(f().LedText(), led);
}

TEST_F(WithTestDouble, LoadWhilePlayingStopsFirstAndAMissingFileIsIgnored) {
  t().Load->click();
  t().Play->click();
  test::WriteFile(songs.file("other.mp3"), NinetySeconds());
  chosen = songs.file("other.mp3");
  fake_.clearLog();
  t().Load->click();
  EXPECT_EQ(Log(), "GetPlayerMode();GetPlayerMode();Stop();Close();");
  EXPECT_EQ(Buttons(), kLoaded);
  EXPECT_EQ(f().MPEGPlayer().StreamName(), *chosen);

  chosen = songs.file("gone.mp3");
  fake_.clearLog();
  t().Load->click();
  EXPECT_EQ(Log(), "");
  EXPECT_EQ(f().OpenDialog3FileName, songs.file("other.mp3"));
}

TEST_F(WithTestDouble, PlayWithNothingPlayableAsksForAFile) {
  chosen.reset();  // the user cancels the dialog
  f().playSong();
  EXPECT_EQ(dialogFolders.size(), 1u);
  EXPECT_EQ(Buttons(), kStart);
  EXPECT_TRUE(w->errors.empty());

  // A file the library rejects: the dialog again, no message of its own.
  chosen = songs.file("song.mp3");
  t().Load->click();
  fake_.fail("Open", 3);
  chosen.reset();
  t().Play->click();
  EXPECT_EQ(dialogFolders.size(), 3u);
  EXPECT_TRUE(w->errors.empty());

  // Pause in a state the player refuses says so.
  f().pauseSong();
  ASSERT_EQ(w->errors.size(), 1u);
  EXPECT_EQ(w->errors[0], BuildText(str::kPlayerWrongState));
}

TEST_F(WithTestDouble, PlayingThatFailsPutsTheButtonsBackOnceAndNoOutputIsSaidOnce) {
  // A song that fails half-way (a sound output gone, a file that cannot be
  // read): the buttons as after loading, one line in LED, no message box,
  // and the next Load and Play work.
  struct Case {
    int code;
    const char* led;
  };
  for (const Case& c : {Case{3, "Wiedergabe beendet: die Datei ist nicht lesbar"},
                        Case{5, "Wiedergabe beendet: die Audioausgabe ist ausgefallen"}}) {
    SCOPED_TRACE(c.code);
    t().Load->click();
    t().Play->click();
    ASSERT_EQ(Buttons(), kPlaying);
    fake_.endFailed(c.code);
    f().MPEGPlayer().TimerTick();
    EXPECT_EQ(Buttons(), kLoaded);
    EXPECT_EQ(f().LedText(), c.led);
    f().SetLed("");
    f().MPEGPlayer().TimerTick();
    EXPECT_EQ(f().LedText(), "");
    t().Load->click();
    t().Play->click();
    EXPECT_EQ(Buttons(), kPlaying);
    t().Stop->click();
    EXPECT_TRUE(w->errors.empty()) << w->errors.front();
  }

  // An error raised inside the player's timer (here the position the
  // library cannot give): once, in LED, never as a box, and not again.
  t().Load->click();
  t().Play->click();
  fake_.fail("GetCurrentPos", 3);
  ASSERT_TRUE(WaitFor([&] { return Buttons() == kLoaded; }, 3000));
  EXPECT_EQ(f().LedText(), "Wiedergabe beendet: die Datei ist nicht lesbar");
  f().SetLed("");
  WaitFor([] { return false; }, 1200);
  EXPECT_EQ(f().LedText(), "");
  EXPECT_TRUE(w->errors.empty()) << w->errors.front();
  fake_.fail("GetCurrentPos", 0);

  // No sound device: said in LED, the dialog is not opened again, and the
  // failed Play leaves no end handler that a later decode would run into.
  const std::size_t dialogs = dialogFolders.size();
  fake_.fail("Play", 5);
  fake_.playResult(5);
  t().Play->click();
  EXPECT_EQ(f().LedText(), "keine Audioausgabe");
  EXPECT_EQ(dialogFolders.size(), dialogs);
  EXPECT_EQ(Buttons(), kLoaded);
  fake_.reset();
  TMPEGPlayer& player = f().MPEGPlayer();
  player.SetOutFilename(songs.file("song.wav"));
  player.SetOutputDevice(TOutputDevice::pcmfile);
  player.SetStreamName(songs.file("song.mp3"));
  player.Play();
  fake_.end();
  player.TimerTick();
  EXPECT_TRUE(player.Opened());
  EXPECT_TRUE(w->errors.empty()) << w->errors.front();
}

class WithoutLibrary : public ::testing::Test {
 protected:
  ScopedEnv env_{"TOVIX_TEST_MPEGDLL", ""};
};

TEST_F(WithoutLibrary, SettingsAreKeptAndTheButtonsSaySo) {
  test::TempDir songs;
  test::WriteFile(songs.file("song.mp3"), NinetySeconds());
  const std::string ini = "mp3dir=" + songs.path() + "\r\nlastfile=" + songs.file("song.mp3");
  test::Windows w(ini.c_str());
  MainWindow& f = *w.mainWindow;
  ASSERT_EQ(w.errors.size(), 1u);
  EXPECT_EQ(w.errors[0], BuildText(str::kPlayerCannotLoad));
  EXPECT_EQ(f.CurrentSettings().SourceDir, songs.path());
  EXPECT_EQ(f.OpenDialog3FileName, songs.file("song.mp3"));

  int dialogs = 0;
  f.ChooseMp3File = [&](const std::string&) -> std::optional<std::string> {
    ++dialogs;
    return songs.file("song.mp3");
  };
  w.toolbar->Load->click();
  ASSERT_EQ(w.errors.size(), 2u);
  EXPECT_EQ(w.errors[1], BuildText(str::kPlayerNotLoaded));
  EXPECT_FALSE(w.toolbar->Play->isEnabled());
  f.playSong();
  EXPECT_EQ(dialogs, 2);
  EXPECT_EQ(w.errors.back(), BuildText(str::kPlayerNotLoaded));

  // The rename pass stops the player first: without one that is no error.
  const std::size_t errors = w.errors.size();
  f.stopSong();
  EXPECT_EQ(w.errors.size(), errors);

  f.FormDestroy();
  const std::string written = test::ReadFile(w.iniPath());
  EXPECT_NE(written.find("lastfile=" + songs.file("song.mp3")), std::string::npos) << written;
}

TEST(LackingLibrary, TheWindowStartsAndThePlayButtonsSaySo) {
  // A library file without the entry point "Seek".
  ScopedEnv env{"TOVIX_TEST_MPEGDLL", FAKE_MPEGDLL_NOSEEK_DIR "/libmpegdll.so"};
  test::TempDir songs;
  test::WriteFile(songs.file("song.mp3"), NinetySeconds());
  test::Windows w;
  ASSERT_EQ(w.errors, std::vector<std::string>{BuildText(str::kPlayerNotLoaded)});
  EXPECT_FALSE(w.mainWindow->MPEGPlayer().Loaded());
  w.mainWindow->ChooseMp3File = [&](const std::string&) -> std::optional<std::string> {
    return songs.file("song.mp3");
  };
  w.mainWindow->playSong();
  ASSERT_EQ(w.errors.size(), 2u);
  EXPECT_EQ(w.errors[1], BuildText(str::kPlayerNotLoaded));
  EXPECT_TRUE(w.fatals.empty());
}

// The real decoder library, its sound going to the dummy output in real
// time. Waits are bounded generously; nothing depends on their length.
class WithDecoderLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string mp3 =
        test::EncodeWithLame(test::ToneWav(44100, 2, 3.0), "-b 128 -m j", songs.path());
    ASSERT_FALSE(mp3.empty());
    test::WriteFile(songs.file("tone.mp3"), mp3);
    w = std::make_unique<test::Windows>();
    ASSERT_TRUE(w->errors.empty()) << w->errors.front();
    f().MutableSettings().SourceDir = songs.path();
    f().ChooseMp3File = [this](const std::string&) { return songs.file("tone.mp3"); };
  }
  MainWindow& f() { return *w->mainWindow; }
  Toolbar& t() { return *w->toolbar; }
  int Mode() { return f().MPEGPlayer().GetPlayerMode(); }
  int Pos() { return f().MPEGPlayer().GetCurrentPos(); }

  ScopedEnv env_{"TOVIX_TEST_MPEGDLL", nullptr};
  test::TempDir songs;
  std::unique_ptr<test::Windows> w;
};

TEST_F(WithDecoderLibrary, PlaysPausesContinuesStopsRestartsAndEnds) {
  f().showPreviewPage();
  t().Load->click();
  t().Play->click();
  ASSERT_TRUE(t().Pause->isEnabled()) << (w->errors.empty() ? "" : w->errors.front());
  EXPECT_NEAR(f().MPEGPlayer().StreamLength(), 3000, 100);  // milliseconds
  ASSERT_TRUE(WaitFor([&] { return Mode() == kModePlaying && Pos() >= 300; }));
  // The timer shows the elapsed time on the preview page.
  ASSERT_TRUE(WaitFor([&] { return f().LedText().rfind("00:00:0", 0) == 0; }));

  t().Pause->click();
  EXPECT_EQ(Mode(), kModePaused);
  const int paused = Pos();
  const std::string led = f().LedText();
  WaitFor([] { return false; }, 700);
  EXPECT_EQ(Pos(), paused);
  EXPECT_EQ(f().LedText(), led);

  t().Pause->click();
  EXPECT_EQ(Mode(), kModePlaying);
  ASSERT_TRUE(WaitFor([&] { return Pos() > paused + 200; }));

  t().Stop->click();
  EXPECT_NE(Mode(), kModePlaying);
  EXPECT_FALSE(t().Stop->isEnabled());
  EXPECT_TRUE(t().Play->isEnabled());

  // Played again from its start, then to its end: the buttons come back.
  t().Play->click();
  EXPECT_EQ(Mode(), kModePlaying);
  EXPECT_LT(Pos(), paused);
  ASSERT_TRUE(WaitFor([&] { return t().Play->isEnabled(); }));
  EXPECT_FALSE(t().Pause->isEnabled());
  EXPECT_FALSE(t().Stop->isEnabled());
  EXPECT_FALSE(f().MPEGPlayer().Opened());
  EXPECT_TRUE(w->errors.empty()) << w->errors.front();
}

}  // namespace
}  // namespace tovix

// TMPEGPlayer over the real decoder library of the program folder: decoding
// to a wave file as the recode pass does, and playing to the dummy output
// with the timer driven here. Waits are bounded generously.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

#include "mp3/mp3builder.h"
#include "player/mpegplay.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

bool WaitFor(const std::function<bool()>& done, int limitMs = 30000) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

class WithLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    player.SetPathToDLL(test::ProgramDir());
    player.SetPlayerPriority(TPlayPriority::Normal);
    player.SetUseTimer(true);
    player.SetTimerFreq(100);
    ASSERT_NO_THROW(player.InitLibrary());
  }
  void Song(const std::string& name, int rate, int channels, const std::string& lameArgs) {
    const std::string mp3 =
        test::EncodeWithLame(test::ToneWav(rate, channels, 2.0), lameArgs, dir.path());
    ASSERT_FALSE(mp3.empty());
    test::WriteFile(dir.file(name), mp3);
  }
  test::TempDir dir;
  TMPEGPlayer player;
};

TEST_F(WithLibrary, DecodesToWaveFilesAsMpg123Does) {
  struct Case {
    int rate, channels;
    const char* args;
  };
  for (const Case& c :
       {Case{44100, 2, "-b 128 -m j"}, Case{22050, 1, "-b 64 -m m"}, Case{44100, 2, "-V 4"}}) {
    SCOPED_TRACE(c.args);
    Song("song.mp3", c.rate, c.channels, c.args);
    // The wave file's name is Windows-1252, as the program holds it.
    player.SetStreamName(dir.path() + "/song.mp3");
    player.Open();
    EXPECT_NEAR(player.StreamLength(), 2000, 60);
    player.SetOutFilename(dir.path() + "/Lied \xE4.wav");
    player.SetOutputDevice(TOutputDevice::pcmfile);
    player.Play();
    ASSERT_TRUE(WaitFor([&] { return player.GetPlayerMode() != kModePlaying; }));
    player.Close();
    player.SetOutputDevice(TOutputDevice::wavemapper);

    const std::string command =
        "cd '" + dir.path() +
        "' && mpg123 -q -w ref.wav song.mp3 && mv 'Lied \xC3\xA4.wav' out.wav";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string wave = test::ReadFile(dir.file("out.wav"));
    EXPECT_GT(wave.size(), 44u);
    EXPECT_TRUE(wave == test::ReadFile(dir.file("ref.wav")));
  }
}

TEST_F(WithLibrary, PlaysPausesAndSeesTheEndThroughItsTimer) {
  Song("song.mp3", 44100, 2, "-b 128 -m j");
  int ends = 0;
  int lastPos = -1;
  player.OnPosUpdate = [&](int pos, int) { lastPos = pos; };
  player.OnPlayEnd = [&](TMPEGPlayer&) { ++ends; };
  player.SetStreamName(dir.path() + "/song.mp3");
  player.Play();
  ASSERT_TRUE(player.Timer()->Enabled());
  ASSERT_TRUE(WaitFor([&] {
    player.TimerTick();
    return lastPos >= 300;
  }));

  player.SetPaused(true);
  EXPECT_EQ(player.GetPlayerMode(), kModePaused);
  const int paused = player.GetCurrentPos();
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  EXPECT_EQ(player.GetCurrentPos(), paused);

  player.SetPaused(false);
  EXPECT_EQ(player.GetPlayerMode(), kModePlaying);
  ASSERT_TRUE(WaitFor([&] {
    player.TimerTick();
    return ends > 0;
  }));
  EXPECT_EQ(ends, 1);
  EXPECT_FALSE(player.Playing());
  EXPECT_NE(player.GetPlayerMode(), kModePlaying);
  EXPECT_THROW(player.Stop(), TMPEGError);

  // The same stream again, from its start.
  player.Play();
  EXPECT_EQ(player.GetPlayerMode(), kModePlaying);
  EXPECT_LT(player.GetCurrentPos(), paused);
  player.Stop();
  player.Close();
}

}  // namespace
}  // namespace tovix

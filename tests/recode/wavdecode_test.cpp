// The decode into a temporary WAV file through the player component (a
// fake here), and the mono WAV file made stereo.
#include <gtest/gtest.h>

#include <stdexcept>

#include "mp3/mp3builder.h"
#include "recode/wavdecode.h"
#include "recode/wavstereo.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

using test::ReadFile;
using test::TempDir;

// Plays for `polls` mode queries, then ends; writes a byte per position.
class FakePlayer : public DecodePlayer {
 public:
  void SetStreamName(const std::string& path) override { calls += "stream " + path + ";"; }
  int OpenAndGetLength() override {
    calls += "open;";
    return 1000;
  }
  void SetOutFilename(const std::string& path) override { out = path; }
  std::string OutFilename() const override { return out; }
  void SetOutputToFile(bool toFile) override {
    calls += toFile ? "pcmfile;" : "wavemapper;";
    if (failOn == "device" && toFile) throw std::runtime_error("Output device failure");
  }
  void Play() override {
    calls += "play;";
    test::WriteFile(out, "RIFF partial");
  }
  int GetPlayerMode() override { return polled++ < polls ? 3 : 0; }
  int GetCurrentPos() override { return polled * 250; }
  void Close() override { calls += "close;"; }

  std::string calls, out, failOn;
  int polls = 3, polled = 0;
};

TEST(TempWavPath, CutsAtTheFirstMp3InAnyCase) {
  EXPECT_EQ(TempWavPath("Live.MP3.mp3", "/tmp"), "/tmp/Live.wav");
  EXPECT_EQ(TempWavPath("Song.mp3", "/t/"), "/t/Song.wav");
  EXPECT_EQ(TempWavPath("a.Mp3", "/t"), "/t/a.wav");
}

TEST(DecodeToTempWav, DecodesWithProgressAndGivesThePlayerBack) {
  TempDir dir;
  FakePlayer player;
  std::vector<int> gauge;
  std::vector<bool> shown;
  int sleeps = 0;
  DecodeWatch watch{[&](bool s) { shown.push_back(s); },
                    [&](int p) { gauge.push_back(p); },
                    {},
                    [] { return true; },
                    [&](int ms) { sleeps += ms; }};
  EXPECT_EQ(DecodeToTempWav(player, "Song.mp3", "/music", dir.path(), watch), dir.file("Song.wav"));
  EXPECT_EQ(player.calls, "stream /music/Song.mp3;open;pcmfile;play;close;wavemapper;");
  EXPECT_EQ(gauge, (std::vector<int>{0, 25, 50, 75}));
  EXPECT_EQ(shown, (std::vector<bool>{true, false}));
  EXPECT_EQ(sleeps, 300);
}

TEST(DecodeToTempWav, ACancelStopsTheDecodeAndLeavesThePartialFile) {
  TempDir dir;
  FakePlayer player;
  player.polls = 1000000;
  int checks = 0;
  DecodeWatch watch{{}, {}, {}, [&] { return ++checks < 3; }, {}};
  DecodeToTempWav(player, "Song.mp3", "/m", dir.path(), watch);
  EXPECT_EQ(player.polled, 3);
  EXPECT_EQ(ReadFile(dir.file("Song.wav")), "RIFF partial");
  EXPECT_NE(player.calls.find("close;wavemapper;"), std::string::npos);
}

TEST(DecodeToTempWav, AnErrorStillGivesThePlayerBackAndHidesTheBar) {
  FakePlayer player;
  player.failOn = "device";
  bool visible = false;
  DecodeWatch watch{[&](bool s) { visible = s; }, {}, {}, {}, {}};
  EXPECT_THROW(DecodeToTempWav(player, "Song.mp3", "/m", "/tmp", watch), std::runtime_error);
  EXPECT_FALSE(visible);
  EXPECT_EQ(player.calls.substr(player.calls.size() - 17), "close;wavemapper;");
}

// The player's wave file name is cleared however the decode ends (the next
// Play is not refused for it); a path too long for the library is refused.
TEST(DecodeToTempWav, LeavesNoWaveFileNameInThePlayer) {
  TempDir dir;
  const std::string deep = dir.path() + "/" + std::string(kMaxWavPath, 'x');
  for (const std::string& temp : {dir.path(), deep}) {
    FakePlayer player;
    player.polls = 1;
    const bool tooLong = temp == deep;
    if (tooLong)
      EXPECT_THROW(DecodeToTempWav(player, "Song.mp3", "/m", temp, {}), std::runtime_error);
    else
      EXPECT_EQ(DecodeToTempWav(player, "Song.mp3", "/m", temp, {}), dir.file("Song.wav"));
    EXPECT_EQ(player.out, "");
    EXPECT_EQ(player.calls.find("play;") == std::string::npos, tooLong);
  }
}

TEST(MakeWavStereo, DoublesEveryMonoSampleAndLeavesStereoAlone) {
  TempDir dir;
  const std::string mono = test::ToneWav(22050, 1, 0.5), stereo = test::ToneWav(22050, 2, 0.5);
  test::WriteFile(dir.file("m.wav"), mono);
  test::WriteFile(dir.file("s.wav"), stereo);
  ASSERT_TRUE(MakeWavStereo(dir.file("m.wav")));
  ASSERT_TRUE(MakeWavStereo(dir.file("s.wav")));
  EXPECT_EQ(ReadFile(dir.file("s.wav")), stereo);
  const std::string made = ReadFile(dir.file("m.wav"));
  ASSERT_EQ(made.size(), 44 + 2 * (mono.size() - 44));
  EXPECT_EQ(made[22], 2);  // channels
  EXPECT_EQ(made.substr(44, 4), mono.substr(44, 2) + mono.substr(44, 2));
  EXPECT_EQ(made.substr(made.size() - 4),
            mono.substr(mono.size() - 2) + mono.substr(mono.size() - 2));
}

}  // namespace
}  // namespace tovix

// TMPEGPlayer against a test double of the decoder library that records
// every call: the state machine, what reaches the library and when, the
// timer, the errors.
#include "player/mpegplay.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "player/fakecontrol.h"

namespace tovix {
namespace {

// Runs work and gives the message and code of the TMPEGError it raised.
template <typename Work>
std::pair<std::string, int> ErrorOf(Work work) {
  try {
    work();
  } catch (const TMPEGError& e) {
    return {e.what(), e.ErrorCode};
  }
  return {"no error", -1};
}

class PlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake_ = test::OpenFake(FAKE_MPEGDLL_DIR);
    ASSERT_NE(fake_.handle, nullptr) << dlerror();
    fake_.reset();
  }
  void TearDown() override { dlclose(fake_.handle); }

  // The player as the main window sets it up.
  std::unique_ptr<TMPEGPlayer> Loaded() {
    auto player = std::make_unique<TMPEGPlayer>();
    player->SetPlayerPriority(TPlayPriority::Normal);
    player->SetUseTimer(true);
    player->SetTimerFreq(500);
    player->SetPathToDLL(FAKE_MPEGDLL_DIR);
    player->InitLibrary();
    fake_.clearLog();
    return player;
  }

  std::unique_ptr<TMPEGPlayer> Playing(const std::string& name = "/music/a.mp3") {
    auto player = Loaded();
    player->SetStreamName(name);
    player->Play();
    fake_.clearLog();
    return player;
  }

  std::string Log() const { return fake_.log(); }

  test::Fake fake_;
};

TEST_F(PlayerTest, LibraryThatCannotBeUsedLeavesThePlayerUnloaded) {
  TMPEGPlayer missing;
  missing.SetPathToDLL("/nonexistent/folder");
  EXPECT_EQ(ErrorOf([&] { missing.InitLibrary(); }),
            std::make_pair(std::string("Can't load MPEG library"), 0));
  EXPECT_FALSE(missing.Loaded());
  EXPECT_EQ(missing.Timer(), nullptr);
  // Afterwards every operation says the library is not loaded.
  missing.SetStreamName("/music/a.mp3");
  EXPECT_EQ(ErrorOf([&] { missing.Play(); }),
            std::make_pair(std::string("MPEG library not loaded"), 0));
  EXPECT_EQ(ErrorOf([&] { missing.GetPlayerMode(); }),
            std::make_pair(std::string("MPEG library not loaded"), 0));
  EXPECT_EQ(ErrorOf([&] { missing.SetPaused(true); }).second, 0);

  TMPEGPlayer lacking;
  lacking.SetPathToDLL(FAKE_MPEGDLL_NOSEEK_DIR "/");  // a trailing separator is kept
  EXPECT_EQ(ErrorOf([&] { lacking.InitLibrary(); }),
            std::make_pair(std::string("MPEG library not loaded"), 0));
  EXPECT_FALSE(lacking.Loaded());

  // "init" refusing: the library's own error.
  fake_.init(0, 5);
  TMPEGPlayer refused;
  refused.SetPathToDLL(FAKE_MPEGDLL_DIR);
  EXPECT_EQ(ErrorOf([&] { refused.InitLibrary(); }),
            std::make_pair(std::string("Output device failure"), 5));
  EXPECT_FALSE(refused.Loaded());
  EXPECT_EQ(Log(), "init();");
}

TEST_F(PlayerTest, OpenWithoutStreamNameRaisesAndStaysClosed) {
  auto player = Loaded();
  EXPECT_EQ(ErrorOf([&] { player->Open(); }),
            std::make_pair(std::string("Can't play non-specified stream"), 254));
  EXPECT_FALSE(player->Opened());
  EXPECT_EQ(player->PlayedXTimes(), 0);
  EXPECT_EQ(Log(), "");
}

TEST_F(PlayerTest, FirstPlayHandsPriorityDeviceAndPositionsOnce) {
  auto player = Loaded();
  player->SetPlayerPriority(TPlayPriority::AboveNormal);
  // Names reach the library as the program holds them, in Windows-1252.
  player->SetStreamName("/music/Caf\xE9.mp3");
  player->SetStartPos(7);
  player->SetEndPos(9);
  fake_.position(0, 90000);
  fake_.clearLog();
  player->Play();
  EXPECT_EQ(Log(),
            "Open(/music/Caf\xE9.mp3,0,nocb,null);GetLength();SetPriority(1);"
            "SetOutputDevice(0,);Play(7,9);GetCurrentPos();");
  EXPECT_TRUE(player->Playing());
  EXPECT_EQ(player->PlayedXTimes(), 2);
  EXPECT_EQ(player->StreamLength(), 90000);
  EXPECT_TRUE(player->Timer()->Enabled());
  EXPECT_EQ(player->Timer()->Interval(), 500);

  // Play twice in a row: the second does nothing.
  fake_.clearLog();
  player->Play();
  EXPECT_EQ(Log(), "");
  EXPECT_EQ(player->PlayedXTimes(), 2);

  // AutoPlay: Open starts playing, and Play's own Open does not start twice.
  player->Close();
  player->SetAutoPlay(true);
  fake_.clearLog();
  player->Play();
  EXPECT_EQ(Log(),
            "Open(/music/Caf\xE9.mp3,0,nocb,null);GetLength();SetPriority(1);"
            "SetOutputDevice(0,);Play(7,9);GetCurrentPos();");
  EXPECT_EQ(player->PlayedXTimes(), 2);
}

TEST_F(PlayerTest, PauseContinueStopAndRestart) {
  auto player = Playing();
  player->SetPaused(true);
  EXPECT_TRUE(player->Paused());
  EXPECT_EQ(player->GetPlayerMode(), kModePaused);
  // Play on a paused player continues it, it does not restart.
  player->Play();
  EXPECT_FALSE(player->Paused());
  EXPECT_TRUE(player->Playing());
  EXPECT_EQ(Log(), "Pause(0);GetPlayerMode();Pause(1);");

  // Stop while paused, then Play: the same stream again through "Restart",
  // without handing device or name a second time.
  player->SetPaused(true);
  player->Stop();
  EXPECT_FALSE(player->Playing());
  EXPECT_FALSE(player->Paused());
  EXPECT_TRUE(player->Opened());
  fake_.clearLog();
  player->Play();
  EXPECT_EQ(Log(), "Restart();GetCurrentPos();");
  EXPECT_EQ(player->PlayedXTimes(), 3);
  EXPECT_TRUE(player->Playing());

  // Operations in the wrong state.
  player->Stop();
  EXPECT_EQ(ErrorOf([&] { player->Stop(); }), std::make_pair(std::string("Incorrect mode"), 2));
  EXPECT_EQ(ErrorOf([&] { player->SetPaused(true); }),
            std::make_pair(std::string("Incorrect mode"), 2));
  EXPECT_EQ(ErrorOf([&] { player->SetPaused(false); }).second, -1);  // accepted silently
  player->Close();
  EXPECT_EQ(ErrorOf([&] { player->Restart(); }), std::make_pair(std::string("Incorrect mode"), 2));
}

TEST_F(PlayerTest, StreamNameSetWhilePlayingClosesTheStream) {
  auto player = Playing();
  player->SetPaused(true);
  fake_.clearLog();
  player->SetStreamName("/music/b.mp3");
  EXPECT_EQ(Log(), "Close();");
  EXPECT_FALSE(player->Opened());
  EXPECT_FALSE(player->Playing());
  EXPECT_FALSE(player->Paused());
  EXPECT_EQ(player->PlayedXTimes(), 0);
  // The next Play opens the new name and starts it afresh.
  fake_.clearLog();
  player->Play();
  EXPECT_EQ(Log().substr(0, 43), "Open(/music/b.mp3,0,nocb,null);GetLength();");
  EXPECT_NE(Log().find("SetOutputDevice(0,);Play(0,0);"), std::string::npos);
}

TEST_F(PlayerTest, WaveFileDeviceNeedsItsFileNameFirst) {
  auto player = Loaded();
  player->SetOutputDevice(TOutputDevice::pcmfile);
  EXPECT_EQ(player->OutputDevice(), TOutputDevice::wavemapper);

  player->SetOutFilename("/tmp/Lied \xE4.wav");
  player->SetOutputDevice(TOutputDevice::pcmfile);
  EXPECT_EQ(player->OutputDevice(), TOutputDevice::pcmfile);
  player->SetStreamName("/music/a.mp3");
  player->Open();
  player->Play();
  EXPECT_NE(Log().find("SetOutputDevice(2,/tmp/Lied \xE4.wav);Play(0,0);"), std::string::npos);
  player->Close();
  player->SetOutputDevice(TOutputDevice::wavemapper);
  EXPECT_EQ(player->OutputDevice(), TOutputDevice::wavemapper);

  // A name longer than its buffer is refused, never cut to another file.
  player->SetOutFilename("/tmp/" + std::string(300, 'x') + ".wav");
  player->SetOutputDevice(TOutputDevice::pcmfile);
  player->Open();
  fake_.clearLog();
  EXPECT_EQ(ErrorOf([&] { player->Play(); }),
            std::make_pair(std::string("Output device failure"), 5));
  EXPECT_EQ(Log(), "SetPriority(0);");
  EXPECT_FALSE(player->Playing());
  // The limit holds only for a wave file: the sound card plays on.
  player->SetOutputDevice(TOutputDevice::wavemapper);
  EXPECT_NO_THROW(player->Play());
  EXPECT_NE(Log().find("SetOutputDevice(0,);Play(0,0);"), std::string::npos);
  player->Close();
  player->SetStreamName("/music/" + std::string(600, 'y') + ".mp3");
  EXPECT_EQ(ErrorOf([&] { player->Open(); }), std::make_pair(std::string("Input stream error"), 3));
  EXPECT_FALSE(player->Opened());
}

TEST_F(PlayerTest, TimerReportsPositionsAndSeesTheEndOnce) {
  auto player = Playing();
  std::vector<std::pair<int, int>> updates;
  int ends = 0;
  player->OnPosUpdate = [&](int pos, int len) { updates.emplace_back(pos, len); };
  player->OnPlayEnd = [&](TMPEGPlayer& sender) {
    EXPECT_EQ(&sender, player.get());
    ++ends;
  };
  fake_.position(1000, 0);  // the length stays what Open read: 0
  player->TimerTick();
  // A position beyond the length is reported as 0.
  EXPECT_EQ(updates.back(), std::make_pair(0, 0));

  player->SetStreamName("/music/a.mp3");
  fake_.position(40, 100);
  player->Play();
  EXPECT_EQ(updates.back(), std::make_pair(40, 100));  // the first tick runs at once
  fake_.position(100, 100);
  fake_.end();
  player->TimerTick();
  EXPECT_EQ(ends, 1);
  EXPECT_FALSE(player->Playing());
  EXPECT_TRUE(player->Opened());
  EXPECT_FALSE(player->Timer()->Enabled());
  player->TimerTick();
  EXPECT_EQ(ends, 1);

  // After the end: Stop is refused, Play starts the same stream again.
  EXPECT_EQ(ErrorOf([&] { player->Stop(); }), std::make_pair(std::string("Incorrect mode"), 2));
  fake_.clearLog();
  player->Play();
  EXPECT_EQ(Log(), "Restart();GetCurrentPos();");
  EXPECT_TRUE(player->Timer()->Enabled());
}

TEST_F(PlayerTest, EndWithoutPlayEndHandlerStaysMarked) {
  auto player = Playing();
  fake_.end();
  player->TimerTick();
  EXPECT_FALSE(player->Playing());
  // The end byte was not cleared: pausing is refused until Restart clears it.
  EXPECT_EQ(ErrorOf([&] { player->SetPaused(true); }).second, 2);
  player->Play();
  EXPECT_TRUE(player->Playing());
  player->SetPaused(true);
  EXPECT_TRUE(player->Paused());
}

TEST_F(PlayerTest, TimerFreqZeroBeforeLoadingGivesATimerThatNeverRuns) {
  TMPEGPlayer player;
  player.SetUseTimer(true);
  player.SetTimerFreq(0);
  EXPECT_FALSE(player.UseTimer());
  player.SetPathToDLL(FAKE_MPEGDLL_DIR);
  player.InitLibrary();
  EXPECT_EQ(player.Timer()->Interval(), 0);
  int calls = 0;
  player.OnPosUpdate = [&](int, int) { ++calls; };
  player.OnPlayEnd = [&](TMPEGPlayer&) { ++calls; };
  player.SetUseTimer(true);  // consulted again, but the interval stays 0
  player.SetStreamName("/music/a.mp3");
  fake_.clearLog();
  player.Play();
  EXPECT_FALSE(player.Timer()->Enabled());
  EXPECT_EQ(Log().find("GetCurrentPos"), std::string::npos);
  EXPECT_EQ(calls, 0);

  // A later TimerFreq is stored but does not reach the timer.
  player.SetTimerFreq(250);
  EXPECT_EQ(player.Timer()->Interval(), 0);
}

TEST_F(PlayerTest, LibraryErrorsLeaveTheFlagsAsTheyWere) {
  auto player = Loaded();
  player->SetStreamName("/music/gone.mp3");
  fake_.fail("Open", 3);
  EXPECT_EQ(ErrorOf([&] { player->Open(); }), std::make_pair(std::string("Input stream error"), 3));
  EXPECT_FALSE(player->Opened());
  EXPECT_EQ(player->LastError(), 3);

  fake_.fail("Open", 0);
  fake_.playResult(7);
  EXPECT_EQ(ErrorOf([&] { player->Play(); }),
            std::make_pair(std::string("MPEG library not loaded"), 0));
  EXPECT_TRUE(player->Opened());
  EXPECT_FALSE(player->Playing());
  EXPECT_EQ(player->PlayedXTimes(), 1);

  fake_.playResult(0);
  fake_.fail("Play", 5);
  EXPECT_EQ(ErrorOf([&] { player->Play(); }),
            std::make_pair(std::string("Output device failure"), 5));
  EXPECT_FALSE(player->Playing());
}

TEST_F(PlayerTest, PriorityMapsToThreadLevelsAndReachesALoadedLibrary) {
  const std::pair<TPlayPriority, int> table[] = {
      {TPlayPriority::Idle, -15},       {TPlayPriority::Lowest, -2},
      {TPlayPriority::BelowNormal, -1}, {TPlayPriority::Normal, 0},
      {TPlayPriority::AboveNormal, 1},  {TPlayPriority::Highest, 2},
      {TPlayPriority::TimeCritical, 15}};
  auto player = Loaded();
  std::string expected;
  for (const auto& [priority, value] : table) {
    player->SetPlayerPriority(priority);
    EXPECT_EQ(player->PlayerPriority(), priority);
    EXPECT_EQ(PriorityValue(priority), value);
    expected += "SetPriority(" + std::to_string(value) + ");";
  }
  EXPECT_EQ(Log(), expected);
  EXPECT_EQ(PriorityOf(3), TPlayPriority::Normal);

  fake_.fail("SetPriority", 1);
  EXPECT_EQ(ErrorOf([&] { player->SetPlayerPriority(TPlayPriority::Idle); }),
            std::make_pair(std::string("Internal decoder error"), 1));
}

TEST_F(PlayerTest, StreamModeHandsTheCallbacksThatCallTheEvents) {
  auto player = Loaded();
  player->SetFromStream(true);
  player->Open();
  EXPECT_EQ(Log(), "Open(null,1,cb,ctx);GetLength();");
  // No events assigned: no context, nothing read, -1 for size and seek.
  fake_.clearLog();
  fake_.runCallbacks();
  EXPECT_EQ(Log(), "cb(0,null,-1,0,,0,-1,0);");

  std::string closed;
  player->OnOpenStream = [](bool& nonseekable, void*& context) {
    nonseekable = true;
    context = reinterpret_cast<void*>(0x42);
  };
  player->OnGetStreamSize = [](void* context, int& res) {
    res = context == reinterpret_cast<void*>(0x42) ? 1234 : -7;
  };
  player->OnReadStream = [](void*, void* buffer, int count, int& read, bool& res) {
    static const char kData[] = "ID3";
    std::memcpy(buffer, kData, 3);
    read = count >= 3 ? 3 : 0;
    res = true;
  };
  player->OnSeekStream = [](void*, int bytes, int method, int& res) { res = bytes * 10 + method; };
  player->OnRestartStream = [](void*, bool& res) { res = true; };
  player->OnCloseStream = [&](void* context) { closed = context ? "closed" : "null"; };
  fake_.clearLog();
  fake_.runCallbacks();
  EXPECT_EQ(Log(), "cb(1,ctx,1234,3,ID3,1,51,1);");
  EXPECT_EQ(closed, "closed");
}

TEST_F(PlayerTest, DestroyingAnOpenPlayerClosesTheStream) {
  // The library holds the address of the player's end byte while a stream
  // is open: it must not write there once the player is gone.
  auto player = Playing();
  player.reset();
  EXPECT_EQ(Log(), "Close();");

  auto closed = Loaded();
  closed.reset();
  EXPECT_EQ(Log(), "");
}

}  // namespace
}  // namespace tovix

namespace tovix {
namespace {

TEST_F(PlayerTest, AnEndIsSeenOnceForItsOwnStreamAndAFailureIsNotRaisedByTheTimer) {
  auto player = Loaded();
  int ends = 0;
  int failure = -1;
  player->OnPlayEnd = [&](TMPEGPlayer& p) {
    ++ends;
    failure = p.LastError();
  };
  // A decode to a wave file ends with no tick to see it; the next start of
  // another stream must not end at once.
  player->SetOutFilename("/tmp/a.wav");
  player->SetOutputDevice(TOutputDevice::pcmfile);
  player->SetStreamName("/music/a.mp3");
  player->Play();
  fake_.end();
  player->SetStreamName("/music/b.mp3");
  player->Play();
  player->TimerTick();
  EXPECT_EQ(ends, 0);
  EXPECT_TRUE(player->Playing());

  // Playing that fails: the end handler runs once and finds the code; the
  // timer raises nothing and stops.
  fake_.endFailed(3);
  EXPECT_EQ(ErrorOf([&] { player->TimerTick(); }).second, -1);
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(failure, 3);
  EXPECT_FALSE(player->Playing());
  EXPECT_FALSE(player->Timer()->Enabled());
  player->SetStreamName("/music/c.mp3");
  player->Open();
  EXPECT_EQ(player->LastError(), 0);

  // An error raised inside a tick (here by the position handler) stops the
  // timer, so it is raised once and not at every tick.
  player->OnPosUpdate = [](int, int) { throw TMPEGError("Input stream error", 3); };
  EXPECT_EQ(ErrorOf([&] { player->Play(); }).second, 3);
  EXPECT_FALSE(player->Timer()->Enabled());
  EXPECT_TRUE(player->Playing());
}

}  // namespace
}  // namespace tovix

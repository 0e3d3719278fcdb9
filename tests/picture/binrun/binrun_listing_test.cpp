// How often the BIN run lists its target folder: looking each song's .BIN
// up in any letter case on its own listed it once or twice per song.
#include <gtest/gtest.h>

#include <filesystem>

#include "picture/binrun.h"
#include "picture/binrun/binrunfakes.h"
#include "support/listedfolders.h"

namespace tovix {
namespace {

namespace fs = std::filesystem;

TEST(BinRunListings, TargetFolderIsListedOnceAndCaseVariantsStillCount) {
  test::LoadGermanStrings();
  test::WorkingFolder work;
  const std::string source = work.path() + "/mp3";
  fs::create_directory(source);
  constexpr int kSongs = 120;
  for (int i = 0; i < kSongs; ++i)
    test::WriteFile(source + "/s" + std::to_string(i) + ".mp3", test::SongBytes());

  for (const bool replace : {true, false}) {
    SCOPED_TRACE(replace ? "replacing" : "keeping");
    const std::string target = work.path() + (replace ? "/replace" : "/keep");
    fs::create_directory(target);
    // A folder in another letter case stands in the way of its song's .BIN.
    fs::create_directory(target + "/s2.Bin");
    // Already there in another letter case: kept, not made again.
    if (!replace) test::WriteFile(target + "/s1.bin", "old");

    test::FakePictures pictures;
    test::FakeHost host;
    test::FakeBatchRunner runner;
    BinRun run(pictures, host, runner.Env());
    ASSERT_TRUE(run.CalibrateLogoLevel(target));
    BinRunOptions options;
    options.sourceDir = source;
    options.targetDir = target;
    options.replaceBin = replace;
    run.SetOptions(options);
    test::ForgetListedFolders();
    const int made = run.MakeAllBins(source, target);
    // Replacing, the batch looks nothing up, so every listing is the run's
    // own: one for all songs. Keeping, the stand-in batch's "if exist" (the
    // interpreter's, in a real run) lists it for each song on top.
    if (replace) {
      EXPECT_LE(test::TimesListed(target), 1);
    }

    EXPECT_EQ(made, replace ? kSongs - 1 : kSongs - 2);
    EXPECT_EQ(run.Failures(), 1);
    EXPECT_TRUE(host.MemoHas("s2.mp3: der Ordner \"" + target + "/S2.BIN\" steht im Weg"));
    EXPECT_TRUE(fs::is_empty(target + "/s2.Bin"));
    EXPECT_TRUE(fs::exists(target + "/S0.BIN") && fs::exists(target + "/S119.BIN"));
    if (!replace) {
      EXPECT_EQ(test::ReadFile(target + "/s1.bin"), "old");
      EXPECT_FALSE(fs::exists(target + "/S1.BIN"));
    }
  }
}

}  // namespace
}  // namespace tovix

// The BIN run end to end: lame-encoded songs, the preview rendered
// off-screen, tmpbat.bat run by tovix-cmd with the real mklogo and c2bin,
// and the .BIN files decoded again with libavcodec.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <filesystem>
#include <random>

#include "lang/sprachen.h"
#include "mp3/mp3builder.h"
#include "mp3/mpegfile.h"
#include "picture/binrun.h"
#include "picture/binrun/binrunfakes.h"
#include "picture/bitmap.h"
#include "picture/picturebackground.h"
#include "picture/picturename.h"
#include "picture/songpicturemaker.h"
#include "platform/codepage.h"
#include "platform/filesys.h"
#include "settings/settings.h"
#include "tools/mpegdecode.h"

namespace tovix {
namespace {

namespace fs = std::filesystem;

// The picture maker of every run, keeping a copy of every song bitmap
// before its batch deletes it.
class KeepingPictures : public SongPictureMaker {
 public:
  KeepingPictures(const Settings& settings, std::string keep)
      : SongPictureMaker(LayoutFromSettings(settings), RunBackground(settings.BitmapFile)),
        keep_(std::move(keep)) {}
  std::string MakeSongPicture(const SongPictureJob& job) override {
    const SongPicture made = Make(job);
    fs::copy_file(made.bmpName,
                  platform::ToNative(keep_ + "/" + platform::OemToAnsi(made.baseName) + ".BMP"),
                  fs::copy_options::overwrite_existing);
    return made.baseName;
  }

 private:
  std::string keep_;
};

class PumpingHost : public test::FakeHost {
 public:
  void ProcessMessages() override {
    FakeHost::ProcessMessages();
    QCoreApplication::processEvents();
  }
};

struct Song {
  const char* file;
  const char* artist;
  const char* title;
};

// Windows-1252 texts; the umlaut artist is transliterated in the info text.
constexpr Song kSongs[] = {
    {"01 Alpha.mp3", "Abba", "Waterloo"},
    {"02 Beta.mp3", "Die \xC4rzte", "Schrei nach Liebe"},
    {"03 Gamma.mp3", "Queen", "Bohemian Rhapsody"},
    {"04 Delta.mp3", "M\xFCller & S\xF6hne", "100% Gr\xFCn"},
    {"05 Epsilon.mp3", "Zappa", "Peaches en Regalia"},
};

Bitmap Gradient() {
  Bitmap b = MakeBitmap(704, 480);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 704; ++x) {
      std::uint8_t* p = &b.pixels[static_cast<std::size_t>((y * 704 + x) * 3)];
      p[0] = static_cast<std::uint8_t>(40 + x / 8);
      p[1] = static_cast<std::uint8_t>(30 + y / 6);
      p[2] = 120;
    }
  return b;
}

Bitmap Noise() {
  Bitmap b = MakeBitmap(704, 480);
  std::mt19937 random(7);
  for (auto& byte : b.pixels) byte = static_cast<std::uint8_t>(random());
  return b;
}

class BinRunEndToEnd : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    sources_ = new test::TempDir;
    for (const Song& song : kSongs) {
      const std::string path = platform::ToNative(sources_->path() + "/" + song.file);
      test::WriteFile(
          path, test::EncodeWithLame(test::ToneWav(44100, 2, 1.0), "-b 128", sources_->path()));
      TID3Tag tag;
      tag.Artist = song.artist;
      tag.Title = song.title;
      WriteID3Tag(sources_->path() + "/" + song.file, tag);
    }
  }
  static void TearDownTestSuite() {
    delete sources_;
    sources_ = nullptr;
  }

  void SetUp() override {
    test::LoadGermanStrings();
    for (const char* tool : {"tovix-cmd", "mklogo", "c2bin"})
      ASSERT_TRUE(fs::exists(test::ProgramDir() + tool)) << tool << " is not built";
    platform::SetProgramDir(test::ProgramDir());
    // As tovix-cli and the window do: the tools beside the program.
    qputenv("PATH", QByteArray::fromStdString(test::ProgramDir()) + ":" + qgetenv("PATH"));
    for (const char* sub : {"mp3", "bin", "keep"}) fs::create_directory(work.path() + "/" + sub);
    for (const Song& song : kSongs)
      fs::copy_file(platform::ToNative(sources_->path() + "/" + song.file),
                    platform::ToNative(source() + "/" + song.file));
  }
  void TearDown() override { platform::SetProgramDir(""); }

  std::string source() const { return work.path() + "/mp3"; }
  std::string target() const { return work.path() + "/bin"; }
  std::string keep() const { return work.path() + "/keep"; }
  std::string BinOf(const Song& song) const {
    return target() + "/" + platform::OemToAnsi(PictureBaseName(song.file)) + ".BIN";
  }

  int Run(const Bitmap& background, bool replaceBin, bool makeTxt, int* level = nullptr,
          bool save2Jpeg = false) {
    WriteBmpFile(work.path() + "/background.bmp", background);
    Settings settings;
    settings.BitmapFile = work.path() + "/background.bmp";
    KeepingPictures pictures(settings, keep());
    host = std::make_unique<PumpingHost>();
    BinRun run(pictures, *host);
    BinRunOptions options;
    options.sourceDir = source();
    options.targetDir = target();
    options.replaceBin = replaceBin;
    options.makeTxt = makeTxt;
    options.save2Jpeg = save2Jpeg;
    const int count = run.Run(options);
    if (level) *level = run.LogoLevel();
    return count;
  }

  void ExpectDecodesToItsPicture(const Song& song) {
    const std::string bin = test::ReadFile(platform::ToNative(BinOf(song)));
    ASSERT_FALSE(bin.empty()) << song.file;
    EXPECT_LE(bin.size(), static_cast<std::size_t>(kMaxBinBytes));
    const test::DecodedStream decoded = test::DecodeMpeg2(bin);
    ASSERT_EQ(decoded.pictures.size(), 1u) << song.file;
    const Bitmap& picture = decoded.pictures[0];
    EXPECT_EQ(picture.width, 704);
    EXPECT_EQ(picture.height, 480);
    const Bitmap original =
        ReadBmpFile(keep() + "/" + platform::OemToAnsi(PictureBaseName(song.file)) + ".BMP");
    EXPECT_GE(test::Psnr(picture, original), 30.0) << song.file;
  }

  static test::TempDir* sources_;
  test::WorkingFolder work;
  std::unique_ptr<PumpingHost> host;
};

test::TempDir* BinRunEndToEnd::sources_ = nullptr;

TEST_F(BinRunEndToEnd, FiveSongsGiveFiveBinsThatDecodeToTheirPictures) {
  int level = 0;
  EXPECT_EQ(Run(Gradient(), false, true, &level), 5);
  EXPECT_EQ(level, kFirstLogoLevel);
  EXPECT_TRUE(host->errors.empty());
  for (const Song& song : kSongs) ExpectDecodesToItsPicture(song);
  EXPECT_EQ(host->memo.back(), "5 " + LanguageString(40));
  EXPECT_TRUE(host->MemoHas(LanguageString(38) + "2"));
  // Only the two batch files stay in the working folder.
  for (const char* gone : {"BM1.BMP", "BM9999.BMP", "e2logo.c", "e2logo.bin", "menu.vbs"})
    EXPECT_FALSE(fs::exists(gone)) << gone;
  EXPECT_FALSE(fs::exists(target() + "/TST9999.BIN"));

  // The info texts, in list order, umlauts transliterated.
  EXPECT_EQ(test::ReadFile(target() + "/02 Beta.TXT"),
            " \r\n Abba\r\n  Waterloo\r\n*Die Aerzte\r\n* Schrei nach Liebe\r\n \r\n Queen\r\n"
            "  Bohemian Rhapsody\r\n Mueller & Soehne\r\n  100% Gruen\r\n");
  EXPECT_EQ(test::ReadFile(target() + "/05 Epsilon.TXT"),
            " \r\n Mueller & Soehne\r\n  100% Gruen\r\n*Zappa\r\n* Peaches en Regalia\r\n \r\n"
            " \r\n \r\n \r\n \r\n");
}

TEST_F(BinRunEndToEnd, ExistingBinsAreKeptUnlessReplacing) {
  ASSERT_EQ(Run(Gradient(), false, false), 5);
  test::WriteFile(platform::ToNative(BinOf(kSongs[2])), "old");
  // Five songs minus five .BIN files; the pictures and JPEG copies are made all the same.
  EXPECT_EQ(Run(Gradient(), false, false, nullptr, true), 0);
  EXPECT_EQ(test::ReadFile(platform::ToNative(BinOf(kSongs[2]))), "old");
  EXPECT_FALSE(fs::exists("BM3.BMP"));
  for (const Song& song : kSongs) {
    const std::string jpeg =
        target() + "/" + platform::OemToAnsi(PictureBaseName(song.file)) + ".JPG";
    EXPECT_TRUE(platform::Exists(jpeg)) << jpeg;
  }

  EXPECT_EQ(Run(Gradient(), true, false), 5);
  ExpectDecodesToItsPicture(kSongs[2]);
  EXPECT_FALSE(fs::exists(target() + "/02 Beta.TXT"));
}

TEST_F(BinRunEndToEnd, BusyBackgroundRaisesTheLevel) {
  int level = 0;
  EXPECT_EQ(Run(Noise(), true, false, &level), 5);
  EXPECT_GT(level, kFirstLogoLevel);
  EXPECT_TRUE(host->MemoHas(LanguageString(38) + std::to_string(level)));
  for (const Song& song : kSongs) EXPECT_TRUE(platform::Exists(BinOf(song))) << song.file;
  RecordProperty("noise_level", level);
}

TEST_F(BinRunEndToEnd, OneSongGivesOneInfoText) {
  for (std::size_t i = 1; i < std::size(kSongs); ++i)
    fs::remove(platform::ToNative(source() + "/" + kSongs[i].file));
  EXPECT_EQ(Run(Gradient(), true, true), 1);
  EXPECT_EQ(test::ReadFile(target() + "/01 Alpha.TXT"),
            " \r\n \r\n \r\n*Abba\r\n* Waterloo\r\n \r\n \r\n \r\n \r\n \r\n");
}

}  // namespace
}  // namespace tovix

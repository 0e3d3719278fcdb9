// Picture files: the saved BMP, the JPEG copy, loading backgrounds and one
// song's picture from an MP3 file.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>

#include "app/pages/previewcontrols.h"
#include "app/pages/previewfonts.h"
#include "app/pages/previewpage.h"
#include "app/pages/previewsongpicture.h"
#include "picture/jpgtobmp.h"
#include "picture/picturename.h"
#include "picture/songpicturemaker.h"
#include "platform/filesys.h"
#include "preview/preview_helpers.h"
#include "support/tempdir.h"

namespace tovix::test {
namespace {

std::uint32_t U32(const std::string& bytes, std::size_t at) {
  return static_cast<std::uint8_t>(bytes[at]) | (static_cast<std::uint8_t>(bytes[at + 1]) << 8) |
         (static_cast<std::uint8_t>(bytes[at + 2]) << 16) |
         (static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + 3])) << 24);
}

class PreviewFiles : public ::testing::Test {
 protected:
  TempDir dir;
  PreviewPage page;
};

TEST_F(PreviewFiles, SongPictureIsA24BitBmpWhateverTheBackground) {
  for (const auto& [w, h] : {std::pair{10, 10}, {1000, 700}, {704, 480}}) {
    const std::string back = WriteBackground(dir.file("back.bmp"), SolidBitmap(w, h, kRed));
    page.LoadBackgroundPicture(back);
    page.scaleBackground();
    page.SaveSongPicture(dir.file("BM1.BMP"), "", false, false);
    const std::string bytes = ReadFile(dir.file("BM1.BMP"));
    ASSERT_EQ(bytes.size(), 1013814u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(U32(bytes, 10), 54u);   // pixels right after both headers
    EXPECT_EQ(U32(bytes, 14), 40u);   // information header size
    EXPECT_EQ(U32(bytes, 18), 704u);  // width
    EXPECT_EQ(U32(bytes, 22), 480u);  // height, positive: bottom-up
    EXPECT_EQ(bytes[28], 24);         // bits per pixel
    EXPECT_EQ(U32(bytes, 30), 0u);    // uncompressed
  }
}

TEST_F(PreviewFiles, SavingOverwritesAnOlderPicture) {
  WriteFile(dir.file("BM1.BMP"), "old");
  page.SaveSongPicture(dir.file("BM1.BMP"), "", false, false);
  EXPECT_EQ(ReadFile(dir.file("BM1.BMP")).size(), 1013814u);
}

TEST_F(PreviewFiles, PictureOfAHiddenNeverShownPageEqualsTheShownOne) {
  const std::string back = WriteBackground(dir.file("back.bmp"), SolidBitmap(300, 200, kBlue));
  page.LoadBackgroundPicture(back);
  page.centerBackground();
  page.showSong(false);
  ASSERT_FALSE(page.isVisible());
  const QImage hidden = page.RenderSongPicture();
  page.show();
  const QImage shown = page.RenderSongPicture();
  page.hide();
  EXPECT_EQ(hidden, shown);
  EXPECT_EQ(PixelAt(hidden, 352, 240), kBlue);
}

TEST_F(PreviewFiles, JpegCopyOnlyWhenAskedAndAllowed) {
  const std::string bmp = dir.file("BM1.BMP");
  const std::string jpg = dir.file("SONG.JPG");

  page.SaveSongPicture(bmp, jpg, false, true);
  EXPECT_FALSE(platform::Exists(jpg));
  page.SaveSongPicture(bmp, "", true, true);
  EXPECT_FALSE(platform::Exists(jpg));

  page.SaveSongPicture(bmp, jpg, true, false);
  ASSERT_TRUE(platform::Exists(jpg));
  const std::string jpeg = ReadFile(jpg);
  EXPECT_EQ(jpeg.substr(0, 2), "\xFF\xD8");
  EXPECT_EQ(DecodeJpeg(jpeg).width, 704);

  // Present and replacing off: left alone.
  WriteFile(jpg, "keep me");
  page.SaveSongPicture(bmp, jpg, true, false);
  EXPECT_EQ(ReadFile(jpg), "keep me");
  // Replacing on: overwritten.
  page.SaveSongPicture(bmp, jpg, true, true);
  EXPECT_EQ(ReadFile(jpg), jpeg);
}

TEST_F(PreviewFiles, FailedWriteIsReportedNotSwallowed) {
  EXPECT_ANY_THROW(page.SaveSongPicture(dir.file("missing/BM1.BMP"), "", false, false));
  const std::string bmp = dir.file("BM1.BMP");
  EXPECT_ANY_THROW(page.SaveSongPicture(bmp, dir.file("missing/A.JPG"), true, true));
}

TEST_F(PreviewFiles, DotBmpAnywhereInTheUpperCasedPathMeansBitmap) {
  const Bitmap red = SolidBitmap(40, 30, kRed);
  WriteBackground(dir.file("Pic.Bmp"), red);
  page.LoadBackgroundPicture(dir.file("Pic.Bmp"));
  EXPECT_EQ(page.Picture().size(), QSize(40, 30));

  // A bitmap under a name that does not end in .bmp still loads as one.
  WriteBackground(dir.file("x.bmp.old"), red);
  page.LoadBackgroundPicture(dir.file("x.bmp.old"));
  EXPECT_EQ(page.Picture().size(), QSize(40, 30));

  // Anything else goes to the JPEG component.
  WriteFile(dir.file("photo.jpeg"), EncodeJpeg(SolidBitmap(64, 48, kGreen)));
  page.LoadBackgroundPicture(dir.file("photo.jpeg"));
  EXPECT_EQ(page.Picture().size(), QSize(64, 48));

  // A JPEG named like a bitmap is read as a bitmap and fails; the picture is
  // then empty.
  WriteFile(dir.file("photo.bmp.jpg"), EncodeJpeg(SolidBitmap(64, 48, kGreen)));
  EXPECT_THROW(page.LoadBackgroundPicture(dir.file("photo.bmp.jpg")), BitmapError);
  EXPECT_TRUE(page.Picture().isNull());
}

TEST_F(PreviewFiles, ChosenPictureThatCannotBeReadIsReportedAndStillKept) {
  WriteFile(dir.file("broken.jpg"), "\xFF\xD8 not really");
  std::string filter, start;
  page.SetPictureChooser([&](const std::string& s, const std::string& f, QWidget*) {
    start = s;
    filter = f;
    return std::optional<std::string>(dir.file("broken.jpg"));
  });
  std::vector<std::string> reports;
  page.SetErrorReporter([&](const std::string& message) { reports.push_back(message); });
  page.SetBitmapFile(dir.file("before.bmp"));
  page.chooseBackground();
  EXPECT_EQ(start, dir.file("before.bmp"));
  EXPECT_NE(filter.find("*.bmp"), std::string::npos);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("JPEG-Fehler"), std::string::npos) << reports[0];
  EXPECT_EQ(page.BitmapFile(), dir.file("broken.jpg"));
  EXPECT_TRUE(page.Picture().isNull());
}

TEST_F(PreviewFiles, WithoutAPictureOfItsOwnThePageShowsTheSharedBackground) {
  QImage shared(708, 419, QImage::Format_RGB32);
  shared.fill(QColor(0, 255, 0));
  page.SetSharedBackground(shared);
  page.LoadBackgroundPicture("");  // none chosen yet: a first start
  EXPECT_EQ(page.Picture().size(), QSize(708, 419));
  // A first song picture is no black canvas, and the default (window-text
  // coloured) texts stand on something else than black.
  const QImage song = page.RenderSongPicture();
  EXPECT_EQ(PixelAt(song, 300, 250), kGreen);
  EXPECT_NE(page.Artist()->palette().color(page.Artist()->foregroundRole()), QColor(0, 255, 0));

  // A chosen picture that cannot be read is reported; the shared one stays.
  WriteFile(dir.file("broken.bmp"), "BM nothing");
  page.SetErrorReporter([](const std::string&) {});
  page.SetPictureChooser([&](const std::string&, const std::string&, QWidget*) {
    return std::optional<std::string>(dir.file("broken.bmp"));
  });
  page.chooseBackground();
  EXPECT_EQ(PixelAt(page.RenderSongPicture(), 300, 250), kGreen);
}

TEST_F(PreviewFiles, ChosenPictureShowsAtOnceInTheCurrentMode) {
  page.centerBackground();
  const std::string back = WriteBackground(dir.file("back.bmp"), SolidBitmap(100, 51, kRed));
  page.SetPictureChooser([&](const std::string&, const std::string&, QWidget*) {
    return std::optional<std::string>(back);
  });
  page.chooseBackground();
  // Centred at once, no mode button pressed.
  EXPECT_EQ(page.Image1()->geometry(), QRect(302, 215, 100, 51));
  EXPECT_EQ(PixelAt(page.RenderSongPicture(), 352, 240), kRed);
}

TEST_F(PreviewFiles, CancelledChooserKeepsEverything) {
  const std::string back = WriteBackground(dir.file("back.bmp"), SolidBitmap(20, 20, kRed));
  page.SetBitmapFile(back);
  page.LoadBackgroundPicture(back);
  page.SetPictureChooser([](const std::string&, const std::string&, QWidget*) {
    return std::optional<std::string>();
  });
  page.chooseBackground();
  EXPECT_EQ(page.BitmapFile(), back);
  EXPECT_EQ(page.Picture().size(), QSize(20, 20));
}

class RecordingHost : public PreviewHost {
 public:
  void SelectPreviewPage() override { calls.push_back("page 8"); }
  void ShowCurrentPage() override { calls.push_back("show"); }
  void OpenPreviewByUser() override { calls.push_back("by user"); }
  std::vector<std::string> calls;
};

TEST_F(PreviewFiles, OneSongsPictureFromItsMp3) {
  const std::string source = dir.file("mp3");
  const std::string target = dir.file("bin");
  ASSERT_TRUE(platform::MakeDir(source));
  ASSERT_TRUE(platform::MakeDir(target));
  WriteFile(source + "/Meine Lieder.mp3", MakeMp3("Die Band", "Das Lied"));
  RecordingHost host;
  page.SetHost(&host);

  const QString oldDir = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dir.path())));
  // The window's maker: the page's layout, each picture shown on the page.
  SongPictureMaker maker(page.Layout(), page.Picture(), ShowOnPreviewPage(page));
  SongPictureJob job{source, "Meine Lieder.mp3", 3, 7, target, true, false};
  const SongPicture made = maker.Make(job);
  const SongTexts& texts = maker.Texts();
  QDir::setCurrent(oldDir);

  EXPECT_EQ(made.bmpName, "BM3.BMP");
  EXPECT_EQ(made.baseName, "MEINE LIEDER");
  EXPECT_EQ(made.jpegPath, target + "/MEINE LIEDER.JPG");
  EXPECT_EQ(ReadFile(dir.file("BM3.BMP")).size(), 1013814u);
  EXPECT_TRUE(platform::Exists(made.jpegPath));
  EXPECT_EQ(host.calls, (std::vector<std::string>{"page 8", "show"}));
  // What the page shows is what the file holds.
  page.SaveSongPicture(dir.file("shown.bmp"), "", false, true);
  EXPECT_EQ(ReadFile(dir.file("shown.bmp")), ReadFile(dir.file("BM3.BMP")));
  EXPECT_EQ(texts.artist, "Die Band ");
  EXPECT_EQ(ToAnsi(page.Artist()->text()), "Die Band ");
  EXPECT_EQ(ToAnsi(page.Title()->text()), "Das Lied ");
  EXPECT_EQ(ToAnsi(page.Tech()->text()), "128 kBit | 44100 Hz ");

  // Without a tag the labels show a single blank, not the samples.
  WriteFile(source + "/untagged.mp3", MakeMp3("", ""));
  ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dir.path())));
  job.fileName = "untagged.mp3";
  job.k = 4;
  maker.Make(job);
  QDir::setCurrent(oldDir);
  EXPECT_EQ(ToAnsi(page.Artist()->text()), " ");
  EXPECT_EQ(ToAnsi(page.Title()->text()), " ");
  EXPECT_TRUE(platform::Exists(target + "/UNTAGGED.JPG"));
  page.SetHost(nullptr);
}

TEST_F(PreviewFiles, ByUserOpensThroughTheHostUnlessAlreadyShown) {
  RecordingHost host;
  page.SetHost(&host);
  page.showSong(true);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"by user", "show"}));
  page.show();
  host.calls.clear();
  page.showSong(true);
  EXPECT_TRUE(host.calls.empty());
  page.hide();
  page.SetHost(nullptr);
}

}  // namespace
}  // namespace tovix::test

// The five text labels: texts and samples, fonts, shadows and positions.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>

#include "app/pages/previewfonts.h"
#include "app/pages/previewpage.h"
#include "lang/sprachen.h"
#include "preview/preview_helpers.h"
#include "support/tempdir.h"

namespace tovix::test {
namespace {

std::string Text(const QLabel* label) {
  return ToAnsi(label->text());
}

class PreviewLabels : public ::testing::Test {
 protected:
  void WhiteBackground() {
    const std::string path = WriteBackground(dir.file("white.bmp"), SolidBitmap(704, 480, kWhite));
    page.SetBitmapFile(path);
    page.LoadBackgroundPicture(path);
    page.showFullSize();
  }

  Bitmap Save() {
    page.SaveSongPicture(dir.file("BM1.BMP"), "", false, false);
    return ReadBmpFile(dir.file("BM1.BMP"));
  }

  // Glyph pixels of a label: clearly not the white background.
  static int InkIn(const Bitmap& shot, const QRect& area) {
    int ink = 0;
    for (int y = std::max(area.top(), 0); y <= std::min(area.bottom(), 479); ++y)
      for (int x = std::max(area.left(), 0); x <= std::min(area.right(), 703); ++x)
        if (PixelAt(shot, x, y).g < 128) ++ink;
    return ink;
  }

  TempDir dir;
  PreviewPage page;
};

TEST_F(PreviewLabels, EmptySongTextsShowTheSamples) {
  page.SetSongTexts("", "", "", "", "");
  page.showSong(false);
  EXPECT_EQ(Text(page.Artist()), "The Artist");
  EXPECT_EQ(Text(page.Title()), "The Title");
  EXPECT_EQ(Text(page.Tech()), "123 kBit | 45678 Hz");
  EXPECT_EQ(Text(page.Encoder()), "The Encoder Engine");
  EXPECT_EQ(Text(page.Laufzeit()), LanguageString(24) + " 00:00:00");
  for (int i = 0; i < 5; ++i) {
    const QLabel* label =
        std::array{page.Artist(), page.Title(), page.Laufzeit(), page.Tech(), page.Encoder()}[i];
    const QLabel* shadow =
        std::array{page.ArtistShadow(), page.TitleShadow(), page.LaufzeitShadow(),
                   page.TechShadow(), page.EncoderShadow()}[i];
    EXPECT_EQ(shadow->text(), label->text());
  }

  WhiteBackground();
  const Bitmap shot = Save();
  EXPECT_GT(InkIn(shot, page.Artist()->geometry()), 50);
  EXPECT_GT(InkIn(shot, page.Encoder()->geometry()), 50);
}

TEST_F(PreviewLabels, ASingleBlankFromAnEmptyTagShowsNothing) {
  page.SetSongTexts(" ", " ", "128 kBit | 44100 Hz ", "LAME ", "00:03:25 ");
  page.showSong(false);
  EXPECT_EQ(Text(page.Artist()), " ");
  EXPECT_EQ(Text(page.Title()), " ");
  EXPECT_EQ(Text(page.Tech()), "128 kBit | 44100 Hz ");
  EXPECT_EQ(Text(page.Encoder()), "LAME ");
  EXPECT_EQ(Text(page.Laufzeit()), LanguageString(24) + " 00:03:25 ");

  WhiteBackground();
  const Bitmap shot = Save();
  // A blank label and its shadow leave the background untouched.
  EXPECT_EQ(InkIn(shot, page.Artist()->geometry().adjusted(-2, -2, 3, 3)), 0);
  EXPECT_EQ(InkIn(shot, page.Title()->geometry().adjusted(-2, -2, 3, 3)), 0);
  EXPECT_GT(InkIn(shot, page.Tech()->geometry()), 50);
}

TEST_F(PreviewLabels, SongTextsAreShownAsTheyAreWithoutASecondConversion) {
  // Song texts are Windows-1252 already (the tag's code page was dealt with
  // when it was read): ë and ó, which the umlaut guess would have taken for
  // code page 850, stay as they are.
  page.SetSongTexts("No\xEBl ", "Sigur R\xF3s ", "", "", "");
  page.showSong(false);
  EXPECT_EQ(page.Artist()->text(), QString::fromUtf8("Noël "));
  EXPECT_EQ(page.Title()->text(), QString::fromUtf8("Sigur Rós "));
}

TEST_F(PreviewLabels, CapitalUmlautsKeepTheirDotsInEveryFont) {
  // Some faces (fonts-wine's Tahoma) draw the dots of a capital umlaut above
  // the ascent they give; the label must not cut them off.
  ASSERT_TRUE(RegisterTahomaFonts());
  WhiteBackground();
  for (const char* family : {"Tahoma", "DejaVu Sans"}) {
    SCOPED_TRACE(family);
    FontSetting font = page.Font1();
    font.name = family;
    page.SetFont1(font);
    const auto inkOf = [&](const std::string& artist) {
      page.SetSongTexts(artist, "", "", "", "");
      page.showSong(false);
      const QRect label = page.Artist()->geometry();
      return InkIn(Save(), label.adjusted(0, -label.height(), 0, 0));
    };
    EXPECT_GT(inkOf("\xDC"
                    "ber \xC4rzte"),
              inkOf("Uber Arzte") + 20);
  }
}

TEST_F(PreviewLabels, BoldLabelsAreDrawnBold) {
  // The same text in the same face, regular and bold: the bold glyphs must
  // cover clearly more pixels, in the song picture as the BIN run saves it.
  WhiteBackground();
  page.SetSongTexts("Mississippi Blues ", "Mississippi Blues ", "", "", "");
  page.showSong(false);
  const Bitmap asStarted = Save();
  const int startedInk = InkIn(asStarted, page.Artist()->geometry());
  FontSetting font = page.Font1();
  font.bold = false;
  page.SetFont1(font);
  page.showSong(false);
  const int regularInk = InkIn(Save(), page.Artist()->geometry());
  font.bold = true;
  page.SetFont1(font);
  page.showSong(false);
  const int boldInk = InkIn(Save(), page.Artist()->geometry());
  EXPECT_GT(boldInk, regularInk * 6 / 5) << "regular " << regularInk << ", bold " << boldInk;
  // The page starts bold: the stored defaults draw the bold picture.
  EXPECT_EQ(startedInk, boldInk);
}

TEST_F(PreviewLabels, DefaultFontsAtNinetySixDpi) {
  EXPECT_EQ(page.Artist()->font().pixelSize(), 27);
  EXPECT_TRUE(page.Artist()->font().bold());
  EXPECT_FALSE(page.Artist()->font().italic());
  EXPECT_EQ(page.Laufzeit()->font().pixelSize(), 19);
  EXPECT_TRUE(page.Laufzeit()->font().bold());
  EXPECT_TRUE(page.Laufzeit()->font().italic());
  EXPECT_EQ(page.Encoder()->font(), page.Laufzeit()->font());
  EXPECT_EQ(PixelSizeForPoints(20), 27);
  EXPECT_EQ(PixelSizeForPoints(14), 19);
  EXPECT_EQ(PixelSizeForPoints(9), 12);
}

TEST_F(PreviewLabels, RedFont1ColoursBothLabelsButNotTheShadows) {
  FontSetting red{"Tahoma", 0x000000FF, 24, true, false};
  page.SetFontChooser([&](const FontSetting& preset, QWidget*) {
    EXPECT_EQ(preset.size, 20);
    return std::optional<FontSetting>(red);
  });
  page.chooseTitleFont();
  EXPECT_EQ(page.Artist()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_EQ(page.Title()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_EQ(page.ArtistShadow()->palette().color(QPalette::WindowText), QColor(Qt::black));
  EXPECT_EQ(page.TitleShadow()->palette().color(QPalette::WindowText), QColor(Qt::black));
  EXPECT_EQ(page.ArtistShadow()->font(), page.Artist()->font());
  EXPECT_EQ(page.Artist()->font().pixelSize(), 32);
  // Font2 is untouched.
  EXPECT_EQ(page.Laufzeit()->font().pixelSize(), 19);
}

TEST_F(PreviewLabels, CancellingTheFontChooserChangesNothing) {
  page.SetFontChooser([](const FontSetting&, QWidget*) { return std::optional<FontSetting>(); });
  const QFont before = page.Laufzeit()->font();
  page.chooseDetailsFont();
  EXPECT_EQ(page.Laufzeit()->font(), before);
  EXPECT_EQ(page.Font2().size, 14);
}

TEST_F(PreviewLabels, ShadowLiesOnePixelRightAndDownInBlack) {
  FontSetting red{"Tahoma", 0x000000FF, 20, true, false};
  page.SetFontChooser(
      [&](const FontSetting&, QWidget*) { return std::optional<FontSetting>(red); });
  page.chooseTitleFont();
  page.SetSongTexts("HIHIHI ", "", "", "", "");
  page.showSong(false);
  WhiteBackground();
  page.SetLabelPosition(0, 100, 100);
  // Nothing else near the artist.
  for (int i = 1; i < 5; ++i) page.SetLabelPosition(i, 2000, 2000);
  EXPECT_EQ(page.ArtistShadow()->pos(), QPoint(101, 101));
  const Bitmap redLabel = Save();
  // A white label on white leaves only the part of the shadow it does not cover.
  red.color = 0x00FFFFFF;
  page.chooseTitleFont();
  const Bitmap shadowOnly = Save();

  // Ink of the label (any red tint), and where the shadow shows.
  QRect ink, changed;
  int pureBlack = 0;
  const QRect area = page.Artist()->geometry().adjusted(-3, -3, 3, 3);
  ASSERT_TRUE(QRect(30, 30, 650, 421).contains(area));
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 704; ++x) {
      const Rgb a = PixelAt(shadowOnly, x, y);
      const Rgb b = PixelAt(redLabel, x, y);
      if (b.r != b.g && area.contains(x, y)) ink |= QRect(x, y, 1, 1);
      if (a == kWhite || !area.contains(x, y)) continue;
      changed |= QRect(x, y, 1, 1);
      // The shadow is grey to black, never coloured.
      ASSERT_TRUE(a.r == a.g && a.g == a.b) << x << "," << y;
      pureBlack += a == kBlack;
    }
  ASSERT_FALSE(ink.isEmpty());
  // The part of the shadow the label does not cover sticks out exactly one
  // pixel to the right and one down, never up or left.
  EXPECT_EQ(changed.right(), ink.right() + 1);
  EXPECT_EQ(changed.bottom(), ink.bottom() + 1);
  EXPECT_GE(changed.left(), ink.left() + 1);
  EXPECT_GE(changed.top(), ink.top() + 1);
  // In black, although the label is red.
  EXPECT_GT(pureBlack, 20);
}

TEST_F(PreviewLabels, RightClickPromptsWithTheLabelsPosition) {
  std::string caption, preset;
  page.SetPositionPrompt([&](const std::string& c, const std::string& p, QWidget*) {
    caption = c;
    preset = p;
    return std::string("12:345678");
  });
  page.placeLabel(page.Artist(), Qt::RightButton);
  EXPECT_EQ(preset, "94:84");
  EXPECT_EQ(caption, LanguageString(42));
  EXPECT_EQ(page.Artist()->pos(), QPoint(12, 345));
  EXPECT_EQ(page.ArtistShadow()->pos(), QPoint(13, 346));

  page.placeLabel(page.Tech(), Qt::RightButton);
  EXPECT_EQ(preset, "95:320");
  EXPECT_EQ(caption, LanguageString(44));
  page.placeLabel(page.Laufzeit(), Qt::RightButton);
  EXPECT_EQ(caption, LanguageString(45));
}

TEST_F(PreviewLabels, AnswersThatDoNotParseLeaveTheLabel) {
  for (const char* answer : {"abc", "", "12", "x:5", "12:3a"}) {
    page.SetPositionPrompt(
        [&](const std::string&, const std::string&, QWidget*) { return std::string(answer); });
    page.placeLabel(page.Title(), Qt::RightButton);
    EXPECT_EQ(page.Title()->pos(), QPoint(94, 133)) << answer;
    EXPECT_EQ(page.TitleShadow()->pos(), QPoint(95, 134)) << answer;
  }
}

TEST_F(PreviewLabels, OnlyTheRightButtonOnATextLabelPrompts) {
  int asked = 0;
  page.SetPositionPrompt([&](const std::string&, const std::string& p, QWidget*) {
    ++asked;
    return p;
  });
  page.placeLabel(page.Artist(), Qt::LeftButton);
  page.placeLabel(page.ArtistShadow(), Qt::RightButton);
  EXPECT_EQ(asked, 0);
  page.placeLabel(page.Encoder(), Qt::RightButton);
  EXPECT_EQ(asked, 1);
}

TEST(PreviewSettings, FalseStyleFlagsRemoveNothing) {
  PreviewPage page;
  Settings settings;
  settings.Font1 = {"DejaVu Sans", 0x0000FF00, 18, false, false};
  settings.Font2 = {"DejaVu Sans", static_cast<std::int32_t>(0x80000008u), 10, false, false};
  settings.Positions[3] = {7, 300};
  settings.Scale = 3;
  settings.Overscan = 45;
  settings.BitmapFile = "/nonexistent/picture.jpg";
  page.ApplySettings(settings);  // an unreadable picture is ignored

  EXPECT_TRUE(page.Artist()->font().bold());
  EXPECT_TRUE(page.Laufzeit()->font().italic());
  EXPECT_EQ(page.Title()->font().pixelSize(), 24);
  EXPECT_EQ(page.Title()->palette().color(QPalette::WindowText), QColor(0, 255, 0));
  EXPECT_EQ(page.TitleShadow()->palette().color(QPalette::WindowText), QColor(Qt::black));
  EXPECT_EQ(page.Tech()->pos(), QPoint(300, 7));
  EXPECT_EQ(page.TechShadow()->pos(), QPoint(301, 8));
  EXPECT_EQ(page.Overscan(), 45);
  EXPECT_TRUE(page.Picture().isNull());

  Settings stored;
  page.StoreSettings(stored);
  EXPECT_EQ(stored.Font1.name, "DejaVu Sans");
  EXPECT_EQ(stored.Font1.color, 0x0000FF00);
  EXPECT_EQ(stored.Font1.size, 18);
  EXPECT_TRUE(stored.Font1.bold);
  EXPECT_EQ(stored.Font2.color, static_cast<std::int32_t>(0x80000008u));
  EXPECT_TRUE(stored.Font2.italic);
  EXPECT_EQ(stored.Positions[3].top, 7);
  EXPECT_EQ(stored.Positions[3].left, 300);
  EXPECT_EQ(stored.Positions[0].left, 94);
  EXPECT_EQ(stored.Scale, 3);
  EXPECT_EQ(stored.Overscan, 45);
  EXPECT_EQ(stored.BitmapFile, "/nonexistent/picture.jpg");
}

TEST(PreviewSettings, SystemColourFollowsThePalette) {
  const QPalette palette = QApplication::palette();
  EXPECT_EQ(ColorFromNumber(static_cast<std::int32_t>(0x80000008u), palette),
            palette.color(QPalette::WindowText));
  EXPECT_EQ(ColorFromNumber(0x00332211, palette), QColor(0x11, 0x22, 0x33));
  EXPECT_EQ(NumberFromColor(QColor(0x11, 0x22, 0x33)), 0x00332211);
}

TEST(PreviewSettings, TahomaRegistrationIsIdempotent) {
  const bool first = RegisterTahomaFonts();
  EXPECT_EQ(RegisterTahomaFonts(), first);
  if (QFile::exists(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"))) {
    EXPECT_TRUE(first);
    EXPECT_EQ(QFontDatabase::families().count(QStringLiteral("Tahoma")), 1);
  }
}

}  // namespace
}  // namespace tovix::test

// Placement names, the file-dialog filter and the font chooser.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDialog>
#include <QLibraryInfo>
#include <QListView>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <tuple>

#include "app/pages/previewdialogs.h"
#include "app/pages/previewfonts.h"
#include "app/pages/previewpage.h"
#include "lang/sprachen.h"
#include "support/tempdir.h"

namespace tovix::test {
namespace {

TEST(FileFilter, ThePictureFilterInQtForm) {
  EXPECT_EQ(ToQtFileFilter(
                "Alle Dateien (*.bmp;*.jpg)|*.bmp;*.jpg|Bitmaps (*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg"),
            "Alle Dateien (*.bmp *.jpg);;Bitmaps (*.bmp);;JPEG (*.jpg)");
}

TEST(FileFilter, NamesWithoutPatternsGetThemAppended) {
  EXPECT_EQ(ToQtFileFilter("Bilder|*.bmp;*.jpg"), "Bilder (*.bmp *.jpg)");
  EXPECT_EQ(ToQtFileFilter("|*.bmp"), "(*.bmp)");
}

TEST(FileFilter, TextsWithoutPatternsGiveNoFilter) {
  EXPECT_EQ(ToQtFileFilter(""), "");
  EXPECT_EQ(ToQtFileFilter("missing: Str80"), "");
  EXPECT_EQ(ToQtFileFilter("Name|"), "");
  // A trailing name without patterns is dropped, the rest kept.
  EXPECT_EQ(ToQtFileFilter("A|*.a|B"), "A (*.a)");
}

TEST(ModeNames, OneNamePerModeAndNoneBeyond) {
  for (std::uint8_t mode = 0; mode < 5; ++mode)
    EXPECT_EQ(PlacementName(mode), PlacementNames()[mode]);
  EXPECT_EQ(PlacementName(5), "");
  EXPECT_EQ(PlacementName(255), "");
}

// Opens the font chooser on preset, notes the font and the style it shows,
// then picks the style named pick (if any) and presses OK.
std::optional<FontSetting> Choose(const FontSetting& preset, QFont& shown, QString& style,
                                  const QString& pick = {}) {
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    shown = dialog->currentFont();
    QListView* styles = dialog->findChildren<QListView*>().value(1);
    if (!styles) return dialog->reject();
    style = styles->currentIndex().data().toString();
    if (!pick.isEmpty()) {
      const auto found = styles->model()->match(styles->model()->index(0, 0), Qt::DisplayRole, pick,
                                                1, Qt::MatchExactly);
      if (found.isEmpty()) return dialog->reject();
      styles->setCurrentIndex(found.first());
    }
    dialog->accept();
  });
  return ChooseFont(preset, nullptr);
}

TEST(FontChooser, OpensWithTheWholeFontAndOkWithoutChangeChangesNothing) {
  // Tahoma's bold is drawn from its regular face (no face of its own here),
  // DejaVu Sans has real bold and oblique faces.
  ASSERT_TRUE(RegisterTahomaFonts());
  for (const FontSetting& preset :
       {FontSetting{"Tahoma", static_cast<std::int32_t>(0x80000008u), 20, true, false},
        FontSetting{"Tahoma", 0x00FFFF, 14, true, true},
        FontSetting{"Tahoma", 0x000000, 12, false, true},
        FontSetting{"DejaVu Sans", 0x0000FF, 14, true, true},
        FontSetting{"DejaVu Sans", 0x0000FF, 16, true, false}}) {
    SCOPED_TRACE(preset.name + " " + std::to_string(preset.bold) + std::to_string(preset.italic));
    QFont shown;
    QString style;
    const auto chosen = Choose(preset, shown, style);
    EXPECT_EQ(shown.family(), FromAnsi(preset.name));
    EXPECT_EQ(shown.bold(), preset.bold);
    EXPECT_EQ(shown.italic(), preset.italic);
    EXPECT_EQ(shown.pointSize(), preset.size);
    EXPECT_EQ(style.contains("Bold"), preset.bold) << style.toStdString();
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->name, preset.name);
    EXPECT_EQ(chosen->size, preset.size);
    EXPECT_EQ(chosen->color, preset.color);
    EXPECT_EQ(chosen->bold, preset.bold);
    EXPECT_EQ(chosen->italic, preset.italic);
  }
}

// With Qt's own texts in German or French, the dialog looks the style up
// by its translated name ("Gras Italique"): it must still open on the
// label's face, not another cut of the family, and OK keep it exactly.
TEST(FontChooser, OpensOnTheLabelsStyleWithQtInAnyLanguage) {
  ASSERT_TRUE(RegisterTahomaFonts());
  for (const char* locale : {"de", "fr"}) {
    QTranslator translator;
    ASSERT_TRUE(translator.load(QLocale(QString::fromLatin1(locale)), QStringLiteral("qtbase"),
                                QStringLiteral("_"),
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    QCoreApplication::installTranslator(&translator);
    for (const FontSetting& preset : {FontSetting{"Tahoma", 0x00FFFF, 14, true, true},
                                      FontSetting{"DejaVu Serif", 0x0000FF, 14, true, true},
                                      FontSetting{"DejaVu Sans", 0x000000, 12, false, false}}) {
      SCOPED_TRACE(std::string(locale) + " " + preset.name);
      QFont shown;
      QString style;
      const auto chosen = Choose(preset, shown, style);
      EXPECT_EQ(shown.bold(), preset.bold) << style.toStdString();
      EXPECT_EQ(shown.italic(), preset.italic) << style.toStdString();
      EXPECT_FALSE(style.contains(QStringLiteral("Condensed"))) << style.toStdString();
      ASSERT_TRUE(chosen.has_value());
      EXPECT_EQ(std::tie(chosen->name, chosen->size, chosen->bold, chosen->italic),
                std::tie(preset.name, preset.size, preset.bold, preset.italic));
    }
    QCoreApplication::removeTranslator(&translator);
  }
}

TEST(FontChooser, AStyleChosenForTahomaIsTheStyleTheLabelGets) {
  ASSERT_TRUE(RegisterTahomaFonts());
  const FontSetting bold{"Tahoma", 0x000000, 20, true, false};
  QFont shown;
  QString style;
  for (const auto& [pick, wantBold, wantItalic] : {std::tuple{"Regular", false, false},
                                                   {"Italic", false, true},
                                                   {"Bold Italic", true, true}}) {
    SCOPED_TRACE(pick);
    const auto chosen = Choose(bold, shown, style, QString::fromLatin1(pick));
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->name, "Tahoma");
    EXPECT_EQ(chosen->size, 20);
    EXPECT_EQ(chosen->bold, wantBold);
    EXPECT_EQ(chosen->italic, wantItalic);
  }
}

// Runs last in this program: it leaves a language loaded.
TEST(FontChooser, ColourButtonSpeaksTheLanguage) {
  const std::string file = SourceDir() + "dist/tovix.lng";
  const std::pair<int, const char*> captions[] = {
      {1, "Colour..."}, {2, "Couleur..."}, {0, "Farbe..."}};
  for (const auto& [language, caption] : captions) {
    ASSERT_EQ(ApplyLanguage(static_cast<std::uint16_t>(language), file), LanguageResult::kOk);
    EXPECT_EQ(ColorButtonCaption(), QString::fromLatin1(caption));
  }
}

}  // namespace
}  // namespace tovix::test

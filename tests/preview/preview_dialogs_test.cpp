// Placement names, the file-dialog filter and the font chooser.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDialog>
#include <QTimer>

#include "app/pages/previewdialogs.h"
#include "app/pages/previewpage.h"
#include "lang/sprachen.h"

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
    EXPECT_EQ(PreviewPage::ModeName(mode), PlacementNames()[mode]);
  EXPECT_EQ(PreviewPage::ModeName(5), "");
  EXPECT_EQ(PreviewPage::ModeName(255), "");
}

// Opens the font chooser on preset, notes the font it shows, presses OK.
std::optional<PreviewFont> ChooseWithoutChange(const PreviewFont& preset, QFont& shown) {
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    shown = dialog->currentFont();
    dialog->accept();
  });
  return ChooseFont(preset, nullptr);
}

TEST(FontChooser, OpensWithTheWholeFontAndOkWithoutChangeChangesNothing) {
  // A family with bold and italic faces shows them; OK gives the preset back.
  const PreviewFont dejaVu{"DejaVu Sans", 14, 0x0000FF, true, true};
  QFont shown;
  auto chosen = ChooseWithoutChange(dejaVu, shown);
  EXPECT_EQ(shown.family(), "DejaVu Sans");
  EXPECT_TRUE(shown.bold());
  EXPECT_TRUE(shown.italic());
  EXPECT_EQ(shown.pointSize(), 14);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(chosen->name, dejaVu.name);
  EXPECT_EQ(chosen->points, 14);
  EXPECT_EQ(chosen->color, 0x0000FF);
  EXPECT_TRUE(chosen->bold && chosen->italic);
  // Also where the dialog cannot show a style (a family with one face).
  for (const PreviewFont& preset :
       {PreviewFont{"Tahoma", 20, static_cast<std::int32_t>(0x80000008u), true, false},
        PreviewFont{"Tahoma", 14, 0x00FFFF, true, true}}) {
    chosen = ChooseWithoutChange(preset, shown);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->name, preset.name);
    EXPECT_EQ(chosen->points, preset.points);
    EXPECT_EQ(chosen->color, preset.color);
    EXPECT_EQ(chosen->bold, preset.bold);
    EXPECT_EQ(chosen->italic, preset.italic);
  }
}

}  // namespace
}  // namespace tovix::test

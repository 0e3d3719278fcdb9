// Placement names and the file-dialog filter.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tovix::test

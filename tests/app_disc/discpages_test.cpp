// The CD steps in the main window: the TV sheet behind the BIN page's
// button, the image behind page 6's, with the check's findings in a message.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <filesystem>

#include "app/pages/binpage.h"
#include "app/pages/cdbatchpage.h"
#include "app/pages/qtext.h"
#include "app/pages/sheetview.h"
#include "rename/mp3fixture.h"
#include "stillencoder.h"
#include "testwindows.h"

namespace tovix {
namespace {

using test::PutFile;
using test::Song;

class DiscPages : public ::testing::Test {
 protected:
  DiscPages() {
    f.MutableSettings().SourceDir = cd.path();
    f.MutableSettings().BinDir = cd.path();
    f.Seite6->ChooseImageFile = [this](const std::string&, const std::string& filter) {
      filters.push_back(filter);
      return image;
    };
    f.Seite6->FindingsBox = [this](const std::string& text) { boxes.push_back(text); };
  }
  test::TempDir cd;
  test::TempDir out;
  std::string image = out.file("cd.iso");
  std::vector<std::string> filters;
  std::vector<std::string> boxes;
  test::Windows w;
  TForm1& f = *w.form1;
};

TEST_F(DiscPages, ImageButtonWritesTheImageAndNamesWhatIsMissing) {
  PutFile(cd.path(), "Some Band - First Song.mp3", Song("Some Band", "First Song"));
  PutFile(cd.path(), "Some Band - First Song.BIN", "bin");
  PutFile(cd.path(), "Yesterday.mp3", Song("", ""));
  f.Label14Click();
  f.Seite6->ImageButton->click();
  EXPECT_TRUE(w.errors.empty()) << w.errors[0];
  EXPECT_TRUE(boxes.empty());
  ASSERT_EQ(filters, std::vector<std::string>{"Text 195"});
  EXPECT_GT(std::filesystem::file_size(image), 32u * 2048u);
  const std::string label = ToAnsi(f.Seite6->Message());
  EXPECT_EQ(label, "Text 197 " + image + "\nText 178 Yesterday.mp3");
  EXPECT_TRUE(f.Seite6->ImageButton->isEnabled());
}

TEST_F(DiscPages, ACheckThatFailsShowsItsFindingsAndWritesNothing) {
  PutFile(cd.path(), "Some Band - First Song.mp3", Song("Some Band", "First Song"));
  PutFile(cd.path(), "Some Band - First Song.BIN", std::string(163841, 'b'));
  f.Label14Click();
  f.Seite6->ImageButton->click();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "Text 196\rText 174 Some Band - First Song.BIN : 163841 > 163840");
  EXPECT_FALSE(std::filesystem::exists(image));

  // A cancelled file chooser does nothing at all.
  image.clear();
  f.Seite6->ImageButton->click();
  EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(DiscPages, SheetButtonShowsEverySongInAScrollableWindow) {
  Bitmap picture = MakeBitmap(704, 480);
  PutFile(cd.path(), "Abba - One.mp3", Song("", ""));
  PutFile(cd.path(), "Abba - One.BIN", mklogo::EncodeStill(picture, 2));
  PutFile(cd.path(), "Beatles - Two.mp3", Song("", ""));
  f.Label4Click();
  f.Seite4->SheetButton->click();
  EXPECT_TRUE(w.errors.empty());
  ASSERT_NE(f.Seite4->View(), nullptr);
  // Two tiles side by side, each 640 x 480 with its caption.
  EXPECT_EQ(f.Seite4->View()->Sheet().size(), QSize(16 + 2 * 656, 16 + 480 + 34 + 16));
  EXPECT_EQ(f.Seite4->View()->windowTitle(), "Text 199");
  EXPECT_TRUE(f.Seite4->View()->isVisible());
}

}  // namespace
}  // namespace tovix

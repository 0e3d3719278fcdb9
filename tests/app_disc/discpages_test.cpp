// The CD steps in the main window: the TV sheet behind the BIN page's
// button, the image behind page 6's, with the check's findings in a message.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
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
    f.cdBatchPage->ChooseImageFile = [this](const std::string&, const std::string& filter) {
      filters.push_back(filter);
      return image;
    };
    f.cdBatchPage->FindingsBox = [this](const std::string& text) { boxes.push_back(text); };
  }
  test::TempDir cd;
  test::TempDir out;
  std::string image = out.file("cd.iso");
  std::vector<std::string> filters;
  std::vector<std::string> boxes;
  test::Windows w;
  MainWindow& f = *w.mainWindow;
};

TEST_F(DiscPages, ImageButtonWritesTheImageAndNamesWhatIsMissing) {
  PutFile(cd.path(), "Some Band - First Song.mp3", Song("Some Band", "First Song"));
  PutFile(cd.path(), "Some Band - First Song.BIN", "bin");
  PutFile(cd.path(), "Yesterday.mp3", Song("", ""));
  f.showCdBatchPage();
  f.cdBatchPage->ImageButton->click();
  EXPECT_TRUE(w.errors.empty()) << w.errors[0];
  EXPECT_TRUE(boxes.empty());
  ASSERT_EQ(filters, std::vector<std::string>{"Text 195"});
  EXPECT_GT(std::filesystem::file_size(image), 32u * 2048u);
  const std::string label = ToAnsi(f.cdBatchPage->Message());
  EXPECT_EQ(label, "Text 197 " + image + "\nText 178 Yesterday.mp3");
  EXPECT_TRUE(f.cdBatchPage->ImageButton->isEnabled());
}

TEST_F(DiscPages, ACheckThatFailsShowsItsFindingsAndWritesNothing) {
  PutFile(cd.path(), "Some Band - First Song.mp3", Song("Some Band", "First Song"));
  PutFile(cd.path(), "Some Band - First Song.BIN", std::string(163841, 'b'));
  f.showCdBatchPage();
  f.cdBatchPage->ImageButton->click();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "Text 196\rText 174 Some Band - First Song.BIN : 163841 > 163840");
  EXPECT_FALSE(std::filesystem::exists(image));

  // A cancelled file chooser does nothing at all.
  image.clear();
  f.cdBatchPage->ImageButton->click();
  EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(DiscPages, SheetButtonShowsEverySongInAScrollableWindow) {
  Bitmap picture = MakeBitmap(704, 480);
  PutFile(cd.path(), "Abba - One.mp3", Song("", ""));
  PutFile(cd.path(), "Abba - One.BIN", mklogo::EncodeStill(picture, 2));
  PutFile(cd.path(), "Beatles - Two.mp3", Song("", ""));
  f.showBinPage();
  f.binPage->SheetButton->click();
  EXPECT_TRUE(w.errors.empty());
  ASSERT_NE(f.binPage->View(), nullptr);
  // Two tiles side by side, each 640 x 480 with its caption.
  EXPECT_EQ(f.binPage->View()->Sheet().size(), QSize(16 + 2 * 656, 16 + 480 + 34 + 16));
  EXPECT_EQ(f.binPage->View()->windowTitle(), "Text 199");
  EXPECT_TRUE(f.binPage->View()->isVisible());
}

// The view holds one page of at most 48 pictures; the arrows switch, and
// the save button writes every page (the one shown or not).
TEST_F(DiscPages, TvViewShowsOnePageAtATimeAndSavesThemAll) {
  for (int i = 0; i < 49; ++i)
    PutFile(cd.path(), "Song " + std::to_string(10 + i) + ".mp3", Song("", ""));
  PutFile(cd.path(), "Song 58.BIN", mklogo::EncodeStill(MakeBitmap(704, 480), 2));
  f.showBinPage();
  f.binPage->SheetButton->click();
  SheetView* view = f.binPage->View();
  ASSERT_NE(view, nullptr);
  struct Shown {
    int page;
    QSize size;
    bool previous, next;
  };
  const Shown pages[] = {{0, QSize(16 + 3 * 656, 16 + 16 * 530), false, true},
                         {1, QSize(16 + 656, 16 + 530), true, false}};
  for (const Shown& page : pages) {
    SCOPED_TRACE(page.page);
    if (page.page > 0) view->NextButton->click();
    EXPECT_EQ(view->Page(), page.page);
    EXPECT_EQ(view->Sheet().size(), page.size);
    EXPECT_EQ(view->PreviousButton->isEnabled(), page.previous);
    EXPECT_EQ(view->NextButton->isEnabled(), page.next);
  }

  std::vector<std::string> notes;
  f.binPage->ChooseSheetFile = [&](const std::string&, const std::string&) {
    return out.file("tv.png");
  };
  f.binPage->SheetNote = [&](const std::string& text) { notes.push_back(text); };
  view->SaveButton->click();
  EXPECT_TRUE(w.errors.empty()) << w.errors[0];
  EXPECT_EQ(QImage(QString::fromStdString(out.file("tv.png"))).size(), pages[0].size);
  const QImage last(QString::fromStdString(out.file("tv-2.png")));
  EXPECT_EQ(last.size(), pages[1].size);
  // The last page's one tile is the song with the picture: black, not grey.
  EXPECT_LT(qGray(last.pixel(16 + 320, 16 + 240)), 20);
  EXPECT_EQ(notes.size(), 1u);
}

}  // namespace
}  // namespace tovix

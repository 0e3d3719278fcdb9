// The CD batch page driven through the main window, and the main window as
// the preview page's host with real song texts.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "app/clicklabel.h"
#include "app/pagereport.h"
#include "app/pages/cdbatchpage.h"
#include "app/pages/qtext.h"
#include "lang/buildstrings.h"
#include "rename/mp3fixture.h"
#include "testwindows.h"

namespace tovix {
namespace {

using test::GetFile;
using test::HasFile;
using test::PutFile;
using test::Song;

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start) + "<no CR LF>");
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

class CdBatchPageTest : public ::testing::Test {
 protected:
  CdBatchPageTest() {
    f.MutableSettings().SourceDir = cd.path();
    f.MutableSettings().BinDir = cd.path();
  }
  std::string Label() { return ToAnsi(f.cdBatchPage->Message()); }

  test::TempDir cd;
  test::Windows w;
  MainWindow& f = *w.mainWindow;
};

TEST_F(CdBatchPageTest, StartWritesTheBatchPairAndReportsTheFolder) {
  PutFile(cd.path(), "Some Band - First Song.mp3", Song("Some Band", "First Song"));
  PutFile(cd.path(), "Some Band - First Song.BIN", "bin");
  emit f.Label14->clicked();
  EXPECT_EQ(f.PageNumber, 9);
  f.cdBatchPage->SpeedButton17->click();

  EXPECT_TRUE(w.errors.empty());
  const auto shortBat = LinesOf(test::ReadFile(cd.file("Short.bat")));
  const auto longBat = LinesOf(test::ReadFile(cd.file("Long.bat")));
  ASSERT_EQ(shortBat.size(), 7u);
  EXPECT_EQ(shortBat[2], "rem SHORT erzeugt Unterverzeichnisse");
  EXPECT_EQ(shortBat[3], "MD S");
  EXPECT_EQ(shortBat[4], "move \"Some Band - First Song.mp3\" S\\01SOMEB.mp3");
  EXPECT_EQ(shortBat[5], "move \"Some Band - First Song.BIN\" S\\01SOMEB.BIN");
  EXPECT_EQ(shortBat[6], "Echo [ Fertig ]");
  ASSERT_EQ(longBat.size(), 7u);
  EXPECT_EQ(longBat[5], "RD S");

  EXPECT_EQ(Label(),
            "Text 41 " + cd.path() + "\n" + BuildText(str::kCdBatchSummary, {"1", "0", "0", ""}));
  EXPECT_FALSE(f.cdBatchPage->SpeedButton17->isVisibleTo(f.cdBatchPage));
  // The count shown while writing is gone again.
  EXPECT_EQ(f.LedText(), ".");
  // Opening the page again offers Start and the explanation anew.
  f.showCdBatchPage();
  EXPECT_TRUE(f.cdBatchPage->SpeedButton17->isVisibleTo(f.cdBatchPage));
  EXPECT_EQ(f.cdBatchPage->Message(), PlainCaption(BatchPairText()));
}

TEST_F(CdBatchPageTest, WithoutSubdirectoriesTheFilesStayInTheFolder) {
  PutFile(cd.path(), "Yesterday.mp3", Song("", ""));
  f.showCdBatchPage();
  f.cdBatchPage->UseSubDirsCheckBox->setChecked(false);
  f.cdBatchPage->SpeedButton17->click();
  const auto shortBat = LinesOf(test::ReadFile(cd.file("Short.bat")));
  ASSERT_EQ(shortBat.size(), 5u);
  EXPECT_EQ(shortBat[2], "rem SHORT erzeugt KEINE Unterverzeichnisse");
  EXPECT_EQ(shortBat[3], "move \"Yesterday.mp3\" .\\01YESTE.mp3");
}

TEST_F(CdBatchPageTest, FilesLeftOutAreNamedUnderTheResultAsTheyAre) {
  PutFile(cd.path(), "A & B.mp3", Song("", ""));
  // A name a batch line cannot quote (possible on Linux).
  test::WriteFile(cd.file("Rock & \"Roll\".mp3"), Song("", ""));
  f.showCdBatchPage();
  f.cdBatchPage->SpeedButton17->click();
  EXPECT_TRUE(w.errors.empty());
  const std::string label = Label();
  EXPECT_EQ(label.rfind("Text 41 " + cd.path() + "\n", 0), 0u) << label;
  EXPECT_NE(label.find("Rock & ?Roll?.mp3"), std::string::npos) << label;
  const std::string shortBat = test::ReadFile(cd.file("Short.bat"));
  EXPECT_NE(shortBat.find("move \"A & B.mp3\" A\\01A_B_M.mp3"), std::string::npos) << shortBat;
  EXPECT_EQ(shortBat.find("move \"Rock"), std::string::npos);
}

TEST_F(CdBatchPageTest, FolderThatCannotBeWrittenIsReportedAndStartStays) {
  f.MutableSettings().SourceDir = cd.file("missing");
  f.showCdBatchPage();
  f.cdBatchPage->SpeedButton17->click();
  ASSERT_EQ(w.errors.size(), 1u);
  EXPECT_NE(w.errors[0].find("I/O-Fehler"), std::string::npos);
  EXPECT_TRUE(f.cdBatchPage->SpeedButton17->isVisibleTo(f.cdBatchPage));
  EXPECT_EQ(f.cdBatchPage->Message(), PlainCaption(BatchPairText()));
  EXPECT_FALSE(HasFile(cd.path(), "Short.bat"));
}

TEST(PreviewHostOfTheMainWindow, PageAndProgressForTheBinRun) {
  test::Windows w;
  MainWindow& f = *w.mainWindow;
  PreviewHost& host = f;
  host.SelectPreviewPage();
  EXPECT_EQ(f.PageNumber, 8);
  // The BIN run's count, through the report the window gives it.
  PageReport report(f);
  report.CountInLed().WhileOpen();
  report.Progress(3, 7);
  EXPECT_EQ(f.LedText(), "[ 3 / 7 ]");
  EXPECT_EQ(f.LED->text(), QStringLiteral("[ 3 / 7 ]"));
  // Until the window closes, whatever page the run shows.
  EXPECT_TRUE(report.KeepGoing());
  f.close();
  EXPECT_FALSE(report.KeepGoing());
}

TEST(PreviewHostOfTheMainWindow, LastFileOfTheSettingsIsTheSongOfThePreview) {
  test::TempDir songs;
  PutFile(songs.path(), "song.mp3", Song("Some Band", "First Song"));
  const std::string ini = "lastfile=" + songs.file("song.mp3") + "\r\n";
  test::Windows w(ini.c_str());
  MainWindow& f = *w.mainWindow;
  f.showPreviewPage();
  EXPECT_EQ(f.PageNumber, 8);
  EXPECT_EQ(ToAnsi(f.previewPage->Artist()->text()), "Some Band ");
  EXPECT_EQ(ToAnsi(f.previewPage->Title()->text()), "First Song ");
  EXPECT_NE(ToAnsi(f.previewPage->Tech()->text()).find("128"), std::string::npos);
}

TEST(PreviewHostOfTheMainWindow, SongGoneSinceShowsTheSampleTexts) {
  test::TempDir songs;
  PutFile(songs.path(), "song.mp3", Song("Some Band", "First Song"));
  const std::string ini = "lastfile=" + songs.file("song.mp3") + "\r\n";
  test::Windows w(ini.c_str());
  MainWindow& f = *w.mainWindow;
  f.OpenDialog3FileName = songs.file("gone.mp3");
  f.showPreviewPage();
  EXPECT_EQ(ToAnsi(f.previewPage->Artist()->text()), "The Artist");
}

}  // namespace
}  // namespace tovix

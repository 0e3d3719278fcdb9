// The main window and the toolbar: pages, highlights, info text, geometry.
#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include "app/clicklabel.h"
#include "app/pages/binpage.h"
#include "app/pages/cdbatchpage.h"
#include "app/pages/directoriespage.h"
#include "app/pages/pagepanel.h"
#include "app/pages/previewfonts.h"
#include "app/pages/qtext.h"
#include "app/pages/recodepage.h"
#include "app/pages/renamepage.h"
#include "app/pages/uifont.h"
#include "lang/buildstrings.h"
#include "lang/sprachen.h"
#include "platform/ioerror.h"
#include "testwindows.h"

namespace tovix {
namespace {

const QColor kGrey(128, 128, 128);
const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kWhite(255, 255, 255);

class MainWindowTest : public ::testing::Test {
 protected:
  test::Windows w;
  MainWindow& f = *w.mainWindow;
  Toolbar& t = *w.toolbar;

  std::vector<QWidget*> NumberLabels() {
    return {f.Label1, f.Label2, f.Label3, f.Label4, f.Label8, f.Label14, f.Label5};
  }
  // Which number labels are not grey, and which toolbar buttons not white.
  std::string Highlighted() {
    std::string out;
    for (QWidget* l : NumberLabels())
      if (TextColor(l) != kGrey)
        out += l->objectName().toStdString() + (TextColor(l) == kRed ? "(red) " : " ");
    for (int i = 0; i < 6; ++i)
      if (TextColor(t.PageButton(i)) != kWhite)
        out += "T" + std::to_string(i + 1) + (TextColor(t.PageButton(i)) == kRed ? "(red) " : " ");
    return out;
  }
  std::vector<std::string> VisiblePages() {
    std::vector<std::string> out;
    for (QWidget* p : std::initializer_list<QWidget*>{
             f.directoriesPage, f.recodePage, f.recodeOptionsPage, f.renamePage,
             f.renameOptionsPage, f.binPage, f.previewPage, f.cdBatchPage})
      if (p->isVisible()) out.push_back(p->objectName().toStdString());
    return out;
  }  // A source folder holding a.mp3 of the given number of frames (MPEG-1
  // Layer III, 128 kbit/s, stereo), a recode folder, both in the settings,
  // the copy rule chosen and page 2 open. Returns the song's bytes.
  std::string RecodeFolders(const test::TempDir& music, int frames) {
    const std::string src = music.file("src"), rec = music.file("rec");
    QDir().mkpath(QString::fromStdString(src));
    QDir().mkpath(QString::fromStdString(rec));
    std::string song;
    for (int i = 0; i < frames; ++i)
      song += std::string("\xFF\xFB\x90\x04", 4) + std::string(413, '\0');
    test::WriteFile(src + "/a.mp3", song);
    f.MutableSettings().SourceDir = src;
    f.MutableSettings().RecodeDir = rec;
    f.recodeOptionsPage->Recode->setChecked(false);
    f.showRecodePage();
    return song;
  }
};

TEST_F(MainWindowTest, StartsWithTheWelcomeTextAndNoPage) {
  EXPECT_EQ(f.PageNumber, 0);
  EXPECT_EQ(f.BtxText(), InfoText());
  EXPECT_EQ(f.LedText(), "");
  EXPECT_TRUE(VisiblePages().empty());
  EXPECT_EQ(Highlighted(), "");
  EXPECT_EQ(f.size(), QSize(779, 582));
  EXPECT_EQ(t.size(), QSize(104, 305));
  EXPECT_TRUE(f.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(f.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(t.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(f.previewPage->geometry(), QRect(31, 38, 710, 481));
  EXPECT_EQ(f.directoriesPage->geometry(), QRect(32, 100, 708, 419));
  EXPECT_EQ(f.recodeOptionsPage->geometry(), QRect(32, 100, 709, 420));
  EXPECT_TRUE(w.fatals.empty());
}

TEST_F(MainWindowTest, EveryPageHighlightsItsLabelAndButton) {
  struct Case {
    std::function<void()> click;
    int page;
    std::string highlighted;
    std::string visible;
  };
  const Case cases[] = {
      {[&] { f.showDirectoriesPage(); }, 1, "Label1 T1 ", "Seite1"},
      {[&] { f.showRecodePage(); }, 2, "Label2 T2 ", "Seite2"},
      {[&] { f.showRenamePage(); }, 3, "Label3 T3 ", "Seite3"},
      {[&] { f.showBinPage(); }, 4, "Label4 T4 ", "Seite4"},
      {[&] { f.showPreviewPage(); }, 8, "Label8 T5 ", "Seite5"},
      {[&] { f.showCdBatchPage(); }, 9, "Label14 T6 ", "Seite6"},
  };
  for (const Case& c : cases) {
    f.closePage();
    c.click();
    EXPECT_EQ(f.PageNumber, c.page);
    EXPECT_EQ(Highlighted(), c.highlighted) << c.page;
    EXPECT_EQ(VisiblePages(), std::vector<std::string>{c.visible}) << c.page;
  }
}

TEST_F(MainWindowTest, OptionPagesAreRedOrNotHighlighted) {
  f.showRecodePage();
  f.showRecodeOptions();
  EXPECT_EQ(f.PageNumber, 21);
  EXPECT_EQ(Highlighted(), "Label2(red) T2(red) ");
  EXPECT_EQ(VisiblePages(), std::vector<std::string>{"Seite21"});
  EXPECT_EQ(f.LedText(), ".");
  f.backToRecodePage();  // OK back to the recode page
  EXPECT_EQ(f.PageNumber, 2);
  EXPECT_EQ(Highlighted(), "Label2 T2 ");
  EXPECT_EQ(VisiblePages(), std::vector<std::string>{"Seite2"});

  f.showRenamePage();
  f.showRenameOptions();
  EXPECT_EQ(f.PageNumber, 31);
  EXPECT_EQ(Highlighted(), "");
  EXPECT_EQ(VisiblePages(), std::vector<std::string>{"Seite31"});
  f.acceptRenameOptions();  // back to the rename list
  EXPECT_EQ(f.PageNumber, 3);
  EXPECT_EQ(f.LedText(), "Text 87");
}

TEST_F(MainWindowTest, PageOneOpenTwiceKeepsWhatWasTyped) {
  f.showDirectoriesPage();
  f.directoriesPage->QuellEdit->setText("typed, not stored");
  f.showDirectoriesPage();
  EXPECT_EQ(f.directoriesPage->QuellEdit->text(), "typed, not stored");
  EXPECT_EQ(f.LedText(), "Text 85");
  // Once OK hid the page, the label opens it anew from the stored folders.
  f.saveDirectories();
  EXPECT_EQ(f.PageNumber, 1);
  EXPECT_TRUE(VisiblePages().empty());
  f.directoriesPage->QuellEdit->setText("changed again");
  f.showDirectoriesPage();
  EXPECT_EQ(f.directoriesPage->QuellEdit->text(), "typed, not stored");
}

TEST_F(MainWindowTest, InfoTextShowsTheAmpersandsOfItsCredits) {
  // BTX reads "&" as an accelerator mark; the credits must still show theirs.
  const QString shown = f.BTX->text();
  EXPECT_TRUE(shown.contains(QStringLiteral("Tovix-Team & The Qt Project"))) << shown.toStdString();
  EXPECT_TRUE(shown.contains(QStringLiteral("Tovix-Team & mpg123"))) << shown.toStdString();
}

TEST_F(MainWindowTest, QuestionMarkShowsTheInfoTextWithoutAPage) {
  f.showDirectoriesPage();
  f.showInfoText();
  EXPECT_EQ(f.PageNumber, 5);
  EXPECT_TRUE(VisiblePages().empty());
  EXPECT_EQ(Highlighted(), "Label5 ");
  EXPECT_EQ(f.BtxText(), InfoText());
  EXPECT_EQ(f.LedText(), "Text 89");
}

TEST_F(MainWindowTest, DoubleClickTogglesInfoAndVersionText) {
  f.showInfoText();
  f.windowDoubleClicked();
  EXPECT_EQ(f.BtxText(), VersionText());
  EXPECT_EQ(f.LedText(), ".");
  f.windowDoubleClicked();
  EXPECT_EQ(f.BtxText(), InfoText());
  // With a page open the double click closes it; the page number stays.
  f.showBinPage();
  f.windowDoubleClicked();  // BTX shows the version text: the info text comes
  EXPECT_EQ(f.BtxText(), InfoText());
  f.windowDoubleClicked();
  EXPECT_TRUE(VisiblePages().empty());
  EXPECT_EQ(f.PageNumber, 4);
  EXPECT_EQ(f.BtxText(), VersionText());
  // The same through the info label's own double click.
  emit f.BTX->doubleClicked();
  EXPECT_EQ(f.BtxText(), InfoText());
}

TEST_F(MainWindowTest, OopsButtonsCloseEveryPage) {
  f.showRecodePage();
  f.recodePage->SpeedButton8->click();
  EXPECT_EQ(f.PageNumber, 0);
  f.showRenamePage();
  f.renamePage->CoolButton2->click();
  EXPECT_EQ(f.PageNumber, 0);
  f.showBinPage();
  f.binPage->SpeedButton15->click();
  EXPECT_EQ(f.PageNumber, 0);
  f.showCdBatchPage();
  f.cdBatchPage->SpeedButton18->click();
  EXPECT_EQ(f.PageNumber, 0);
  EXPECT_TRUE(VisiblePages().empty());
  EXPECT_EQ(f.BtxText(), VersionText());
  EXPECT_EQ(Highlighted(), "");
}

TEST_F(MainWindowTest, ToolbarButtonsCallTheMainWindow) {
  t.PageButton(3)->click();
  EXPECT_EQ(f.PageNumber, 4);
  t.PageButton(4)->click();
  EXPECT_EQ(f.PageNumber, 8);
  t.PageButton(5)->click();
  EXPECT_EQ(f.PageNumber, 9);
  EXPECT_FALSE(t.Play->isEnabled());
  EXPECT_FALSE(t.Pause->isEnabled());
  EXPECT_FALSE(t.Stop->isEnabled());
  EXPECT_TRUE(t.Load->isEnabled());
}

TEST_F(MainWindowTest, ToolbarStandsBesideTheMainWindow) {
  const QRect m = f.frameGeometry();
  const QRect b = t.frameGeometry();
  EXPECT_EQ(b.x(), m.x() + m.width() - 6);
  EXPECT_EQ(b.x() + b.width() - (m.x() + m.width()), 98);
  EXPECT_EQ(b.y() + b.height(), m.y() + m.height());
}

TEST_F(MainWindowTest, ClosingTheToolbarEndsTheProgram) {
  bool ended = false;
  QObject::connect(&f, &MainWindow::closed, [&] { ended = true; });
  t.close();
  QApplication::processEvents();
  EXPECT_TRUE(ended);
  EXPECT_FALSE(f.isVisible());
  EXPECT_FALSE(test::ReadFile(w.iniPath()).empty());  // the settings were written
}

TEST_F(MainWindowTest, SendeschlussClosesTheMainWindow) {
  bool ended = false;
  QObject::connect(&f, &MainWindow::closed, [&] { ended = true; });
  t.SpeedButton7->click();
  EXPECT_TRUE(ended);
  EXPECT_FALSE(f.isVisible());
  EXPECT_FALSE(t.isVisible());
}

TEST_F(MainWindowTest, CdBatchPageShowsItsTextAndStartsWithSubfolders) {
  f.showCdBatchPage();
  EXPECT_EQ(f.cdBatchPage->Message(), PlainCaption(BatchPairText()));
  EXPECT_TRUE(f.cdBatchPage->UseSubDirsCheckBox->isChecked());
  EXPECT_TRUE(f.cdBatchPage->SpeedButton17->isVisibleTo(f.cdBatchPage));
  EXPECT_EQ(f.LedText(), ".");
}

TEST_F(MainWindowTest, CdBatchStartReportsOnlyAWrittenPair) {
  f.showCdBatchPage();
  f.cdBatchPage->CreateCdBatches = [] { throw IoError(13, "Short.bat"); };
  f.startCdBatch();
  ASSERT_EQ(w.errors.size(), 1u);
  EXPECT_EQ(w.errors[0].rfind("I/O-Fehler 13", 0), 0u) << w.errors[0];
  EXPECT_EQ(f.cdBatchPage->Message(), PlainCaption(BatchPairText()));
  EXPECT_TRUE(f.cdBatchPage->SpeedButton17->isVisibleTo(f.cdBatchPage));

  f.cdBatchPage->CreateCdBatches = [] {};
  f.startCdBatch();
  EXPECT_EQ(f.cdBatchPage->Message(), FromAnsi("Text 41 " + f.CurrentSettings().SourceDir));
  EXPECT_FALSE(f.cdBatchPage->SpeedButton17->isVisibleTo(f.cdBatchPage));
}

TEST_F(MainWindowTest, RecodePageListsTheFolders) {
  f.showRecodePage();
  EXPECT_EQ(f.LedText(), "Text 28");
  const QString memo = f.recodePage->ProgressMemo->toPlainText();
  EXPECT_EQ(memo, FromAnsi(" Text 29   " + f.CurrentSettings().SourceDir + "\n Text 30   "));
}

TEST_F(MainWindowTest, RecodeStartRunsThePassAndBringsButtonsAndToolbarBack) {
  w.Show();
  test::TempDir music;
  const std::string song = RecodeFolders(music, 2);
  const std::string src = music.file("src"), rec = music.file("rec");
  const std::string led = f.LedText();

  // The folder itself as recode folder: refused, nothing hidden.
  f.MutableSettings().RecodeDir = src + "/";
  f.recodeOptionsPage->Recode->setChecked(true);
  f.recodePage->SpeedButton7->click();
  EXPECT_TRUE(f.recodePage->SpeedButton7->isVisible());
  EXPECT_TRUE(
      f.recodePage->ProgressMemo->toPlainText().endsWith(FromAnsi(" " + LanguageString(180))));

  f.MutableSettings().RecodeDir = rec;
  f.recodeOptionsPage->Recode->setChecked(false);
  f.recodePage->SpeedButton7->click();
  const QStringList memo = f.recodePage->ProgressMemo->toPlainText().split('\n');
  ASSERT_EQ(memo.size(), 3) << memo.join('|').toStdString();
  EXPECT_TRUE(
      memo[0].endsWith(QStringLiteral("\"a.mp3\": Xing 2.20|Radium Codec, 128kBit, Stereo")));
  EXPECT_TRUE(memo[1].endsWith(QStringLiteral("Text 36")));
  EXPECT_TRUE(memo[2].endsWith(QStringLiteral("Text 37")));
  EXPECT_EQ(test::ReadFile(rec + "/a.mp3"), song);
  EXPECT_TRUE(f.recodePage->SpeedButton7->isVisible());
  EXPECT_TRUE(f.recodePage->SpeedButton9->isVisible());
  EXPECT_TRUE(t.isVisible());
  EXPECT_FALSE(f.recodePage->Copygauge->isVisible());
  EXPECT_EQ(f.LedText(), led);  // the pass writes nothing into LED
  EXPECT_EQ(f.PageNumber, 2);
  EXPECT_TRUE(w.errors.empty());
}

// The copy lets the window handle its messages; a click on " 2 " then
// neither clears the memo nor shows Start! again, and no Start of any page
// begins a second pass inside the running one.
TEST_F(MainWindowTest, NoPassStartsInsideARunningOne) {
  w.Show();
  test::TempDir music;
  RecodeFolders(music, 400);
  bool during = false;
  QString memoBefore;
  QTimer::singleShot(0, &f, [&] {
    during = f.recodePage->SpeedButton9->isHidden();  // hidden while the pass runs
    memoBefore = f.recodePage->ProgressMemo->toPlainText();
    f.showRecodePage();
    EXPECT_TRUE(f.recodePage->SpeedButton7->isHidden());
    EXPECT_EQ(f.recodePage->ProgressMemo->toPlainText(), memoBefore);
    f.startRecodePass();
    f.startCdBatch();
    EXPECT_EQ(f.LedText(), BuildText(str::kPassRunning));
  });
  f.recodePage->SpeedButton7->click();
  ASSERT_TRUE(during) << "the pass handled no messages";
  EXPECT_EQ(f.recodePage->ProgressMemo->toPlainText().split('\n').size(), 3);
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(music.file("src/Long.bat"))));
  EXPECT_TRUE(f.recodePage->SpeedButton7->isVisible());
}

TEST_F(MainWindowTest, HomepageButtonOpensTheIndexPage) {
  QUrl opened;
  f.OpenUrl = [&](const QUrl& url) { opened = url; };
  f.SpeedButton16->click();
  EXPECT_TRUE(opened.isValid());
  EXPECT_TRUE(opened.path().endsWith("/index.htm")) << opened.toString().toStdString();
}

TEST_F(MainWindowTest, ClockShowsHoursMinutesSeconds) {
  f.showClock();
  EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(f.NIX->text()).hasMatch())
      << f.NIX->text().toStdString();
  EXPECT_EQ(f.Timer2->interval(), 900);
}

}  // namespace
}  // namespace tovix

namespace tovix {
namespace {

TEST(ProgramFonts, TahomaBoldAtPixelSizes) {
  EXPECT_EQ(PixelSizeForPoints(20), 27);
  EXPECT_EQ(PixelSizeForPoints(14), 19);
  EXPECT_EQ(PixelSizeForPoints(11), 15);
  if (!QFileInfo::exists("/usr/share/wine/fonts/tahomabd.ttf")) GTEST_SKIP() << "no Tahoma here";
  test::Windows w;
  const QFontInfo face(w.mainWindow->font());
  EXPECT_EQ(face.family(), "Tahoma");
  EXPECT_TRUE(face.bold());
  EXPECT_EQ(face.pixelSize(), 13);
  EXPECT_EQ(QFontInfo(w.mainWindow->BTX->font()).pixelSize(), 15);
}

}  // namespace
}  // namespace tovix

namespace tovix {
namespace {

// A first start: no background chosen. The preview shows the pages' shared
// background, so the first song pictures are no black canvas with black
// texts on it.
TEST(FirstStart, PreviewShowsTheSharedPageBackground) {
  test::Windows w;
  PreviewPage& preview = *w.mainWindow->previewPage;
  ASSERT_TRUE(w.mainWindow->CurrentSettings().BitmapFile.empty());
  EXPECT_EQ(preview.Picture().size(), w.mainWindow->directoriesPage->Background().size());
  const QImage song = preview.RenderSongPicture();
  const QColor middle = song.pixelColor(352, 240);
  EXPECT_GT(middle.lightness(), 128);
}

}  // namespace
}  // namespace tovix

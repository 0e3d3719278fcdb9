// The BIN page in the main window: the summary on " 4 ", and Start running
// the whole pass through the real interpreter and tools.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <filesystem>

#include "app/mainwindow.h"
#include "app/pages/binpage.h"
#include "app/pages/previewcontrols.h"
#include "app/pages/previewpage.h"
#include "app/pages/recodepage.h"
#include "app/testwindows.h"
#include "app/toolbar.h"
#include "lang/buildstrings.h"
#include "lang/sprachen.h"
#include "mp3/mp3builder.h"
#include "picture/binrun/binrunfakes.h"
#include "platform/filesys.h"

namespace tovix {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> MemoLines(QPlainTextEdit* memo) {
  std::vector<std::string> lines;
  for (const QString& line : memo->toPlainText().split('\n')) lines.push_back(line.toStdString());
  return lines;
}

class BinPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* tool : {"tovix-cmd", "mklogo", "c2bin"})
      ASSERT_TRUE(fs::exists(test::ProgramDir() + tool)) << tool << " is not built";
    fs::create_directory(work.path() + "/mp3");
    fs::create_directory(work.path() + "/bin");
    const std::string mp3 =
        test::EncodeWithLame(test::ToneWav(44100, 2, 0.5), "-b 128", work.path());
    for (const char* name : {"one.mp3", "two.mp3"})
      test::WriteFile(work.path() + "/mp3/" + name, mp3);
    fs::remove(work.path() + "/in.wav");
    fs::remove(work.path() + "/out.mp3");
  }

  // The windows over a program folder that holds links to the real tools.
  std::unique_ptr<test::Windows> Open(const std::string& binDir) {
    const std::string ini = "mp3dir=" + work.path() + "/mp3\r\nbindir=" + binDir + "\r\n";
    auto w = std::make_unique<test::Windows>(ini.c_str());
    for (const char* tool : {"tovix-cmd", "mklogo", "c2bin"})
      fs::create_symlink(test::ProgramDir() + tool, w->dir.file(tool));
    w->mainWindow->binPage->ErrorBox = [this](const std::string& text) { boxes.push_back(text); };
    return w;
  }

  void ExpectControlsBack(test::Windows& w) {
    PreviewPage* p = w.mainWindow->previewPage;
    const std::vector<QWidget*> controls = {p->Kacheln(),  p->bmpCenter(), p->Scale(),
                                            p->FullSize(), p->Rescale(),   p->Over0(),
                                            p->Label7(),   p->UpDown()};
    for (QWidget* control : controls)
      EXPECT_FALSE(control->isHidden()) << control->objectName().toStdString();
    EXPECT_TRUE(w.toolbar->isVisible());
    EXPECT_TRUE(w.mainWindow->binPage->SpeedButton14->isEnabled());
    EXPECT_EQ(w.mainWindow->PageNumber, 4);
    EXPECT_TRUE(w.mainWindow->binPage->isVisible());
    EXPECT_FALSE(w.mainWindow->previewPage->isVisible());
  }

  test::WorkingFolder work;
  std::vector<std::string> boxes;
};

TEST_F(BinPageTest, SummaryWhenThePageOpens) {
  test::WriteFile(work.path() + "/bin/old.bin", "");
  auto w = Open(work.path() + "/bin");
  w->mainWindow->showBinPage();
  const auto lines = MemoLines(w->mainWindow->binPage->makebinmemo);
  ASSERT_GE(lines.size(), 8u);
  EXPECT_EQ(lines[0], LanguageString(17));
  EXPECT_EQ(lines[2], "  " + LanguageString(18) + " " + work.path() + "/mp3 (2 mp3)");
  EXPECT_EQ(lines[3], "  " + LanguageString(19) + " " + work.path() + "/bin (1 bin)");
  EXPECT_EQ(lines[5], "  " + LanguageString(21) + " 30 Pixel (6%)");
  EXPECT_EQ(lines[6].substr(0, 2 + LanguageString(22).size()), "  " + LanguageString(22));
  EXPECT_TRUE(w->mainWindow->binPage->isVisible());
}

TEST_F(BinPageTest, StartMakesTheBinsAndGivesEverythingBack) {
  auto w = Open(work.path() + "/bin");
  w->mainWindow->showBinPage();
  w->mainWindow->binPage->SpeedButton14->click();
  EXPECT_TRUE(boxes.empty()) << boxes[0];
  EXPECT_TRUE(platform::Exists(work.path() + "/bin/ONE.BIN"));
  EXPECT_TRUE(platform::Exists(work.path() + "/bin/TWO.BIN"));
  const auto lines = MemoLines(w->mainWindow->binPage->makebinmemo);
  EXPECT_EQ(lines.back(), "2 " + LanguageString(40));
  EXPECT_EQ(lines[lines.size() - 3], LanguageString(38) + "2");
  EXPECT_EQ(w->mainWindow->binPage->LogoLevel, 2);
  ExpectControlsBack(*w);
}

// The preview lies over the BIN page while pictures are taken: a second
// click on Start lands on the picture and must open no chooser, and no
// other page's Start may begin a pass meanwhile.
TEST_F(BinPageTest, ClicksDuringTheRunStartNothing) {
  auto w = Open(work.path() + "/bin");
  int chooserOpened = 0;
  w->mainWindow->previewPage->SetPictureChooser(
      [&](const std::string&, const std::string&, QWidget*) {
        ++chooserOpened;
        return std::optional<std::string>();
      });
  w->mainWindow->showBinPage();
  bool during = false;
  QTimer::singleShot(0, w->mainWindow.get(), [&] {
    during = !w->mainWindow->binPage->SpeedButton14->isEnabled();
    w->mainWindow->previewPage->chooseBackground();  // what a double click on the picture calls
    w->mainWindow->showRecodePage();
    w->mainWindow->startRecodePass();
  });
  w->mainWindow->binPage->SpeedButton14->click();
  ASSERT_TRUE(during) << "the run handled no messages";
  EXPECT_EQ(chooserOpened, 0);
  EXPECT_FALSE(w->mainWindow->recodePage->ProgressMemo->toPlainText().contains(
      QString::fromStdString(LanguageString(181))));
  EXPECT_TRUE(platform::Exists(work.path() + "/bin/TWO.BIN"));
}

TEST_F(BinPageTest, MissingTargetFolderGivesTheErrorBoxAndGivesEverythingBack) {
  auto w = Open(work.path() + "/nowhere");
  w->mainWindow->showBinPage();
  w->mainWindow->binPage->SpeedButton14->click();
  ASSERT_EQ(boxes.size(), 1u);
  // Said before the calibration, in words, naming the folder.
  EXPECT_EQ(boxes[0], BuildText(str::kNoTargetDir, {work.path() + "/nowhere"}));
  EXPECT_FALSE(platform::Exists(w->dir.file("e2logo.bin")));
  EXPECT_FALSE(platform::Exists("e2logo.bin"));
  EXPECT_EQ(w->mainWindow->LedText().find("Test"), std::string::npos);
  EXPECT_EQ(MemoLines(w->mainWindow->binPage->makebinmemo).back(), "0 " + LanguageString(40));
  ExpectControlsBack(*w);
}

}  // namespace
}  // namespace tovix

// The page state of the main window and the handlers that switch pages.
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>

#include "app/clicklabel.h"
#include "app/mainwindow.h"
#include "app/pagereport.h"
#include "app/pages/binpage.h"
#include "app/pages/binpagerun.h"
#include "app/pages/cdbatchpage.h"
#include "app/pages/directoriespage.h"
#include "app/pages/pagepanel.h"
#include "app/pages/recodepage.h"
#include "app/pages/renamepage.h"
#include "app/toolbar.h"
#include "lang/buildstrings.h"

namespace tovix {

namespace {

const QColor kIdle(128, 128, 128);
const QColor kCurrent(255, 255, 0);
const QColor kOptions(255, 0, 0);
}  // namespace

void MainWindow::ResetPageView() {
  for (QWidget* label :
       {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2), static_cast<QWidget*>(Label3),
        static_cast<QWidget*>(Label4), static_cast<QWidget*>(Label8),
        static_cast<QWidget*>(Label14), static_cast<QWidget*>(Label5)})
    SetTextColor(label, kIdle);
  if (toolbar_)
    for (int i = 0; i < 6; ++i) SetTextColor(toolbar_->PageButton(i), Qt::white);

  QWidget* label = nullptr;
  int button = -1;  // toolbar page button index
  QColor color = kCurrent;
  switch (PageNumber) {
    case 1:
      label = Label1;
      button = 0;
      break;
    case 2:
      label = Label2;
      button = 1;
      break;
    case 3:
      label = Label3;
      button = 2;
      break;
    case 4:
      label = Label4;
      button = 3;
      break;
    case 5:
      label = Label5;
      break;  // the toolbar has no "?" button
    case 8:
      label = Label8;
      button = 4;
      break;
    case 9:
      label = Label14;
      button = 5;
      break;
    case 21:
      label = Label2;
      button = 1;
      color = kOptions;
      break;
    default:
      break;  // 0 and 31 leave everything idle
  }
  if (label) SetTextColor(label, color);
  if (toolbar_ && button >= 0) SetTextColor(toolbar_->PageButton(button), color);

  repaint();
  SetBtx(VersionText());
  SetLed(".");
  HideAllPages();
  repaint();
}

void MainWindow::HideAllPages() {
  for (QWidget* page :
       {static_cast<QWidget*>(directoriesPage), static_cast<QWidget*>(recodePage),
        static_cast<QWidget*>(renamePage), static_cast<QWidget*>(binPage),
        static_cast<QWidget*>(previewPage), static_cast<QWidget*>(cdBatchPage),
        static_cast<QWidget*>(recodeOptionsPage), static_cast<QWidget*>(renameOptionsPage)})
    page->hide();
}

void MainWindow::ShowCurrentPage() {
  QWidget* page = nullptr;
  switch (PageNumber) {
    case 1:
      page = directoriesPage;
      break;
    case 2:
      page = recodePage;
      break;
    case 3:
      page = renamePage;
      break;
    case 4:
      page = binPage;
      break;
    case 8:
      page = previewPage;
      break;
    case 9:
      page = cdBatchPage;
      break;
    case 21:
      page = recodeOptionsPage;
      break;
    case 31:
      page = renameOptionsPage;
      break;
    default:
      break;
  }
  if (page) {
    page->show();
    page->raise();
  }
}

void MainWindow::ToggleInfoText() {
  if (btxText_ != InfoText())
    SetBtx(InfoText());
  else
    ResetPageView();
}

void MainWindow::SwitchTo(std::uint8_t page) {
  PageNumber = page;
  ResetPageView();
}

void MainWindow::showDirectoriesPage() {
  // A second click keeps what the user has typed.
  if (directoriesPage->isVisible()) return;
  SwitchTo(1);
  SetLed(HintOf(Label1));
  directoriesPage->FillEdits(settings_);
  ShowCurrentPage();
}

void MainWindow::showRecodePage() {
  SwitchTo(2);
  ShowCurrentPage();
  // While a pass runs, Start! stays hidden; the running recode pass keeps
  // its memo (a cleared memo and Start! again invited a pass inside it).
  if (passPage_ == 2) {
    SetLed(LanguageString(28));
    return;
  }
  recodePage->SpeedButton7->setVisible(!PassRunning());
  SetLed(recodePage->Prepare(settings_));
}

void MainWindow::showRenamePage() {
  SwitchTo(3);
  SetLed(BuildText(str::kOneMoment));
  ShowCurrentPage();
  if (renamePage->BuildRenameList && !RunPass(3, renamePage->BuildRenameList)) return;
  SetLed(HintOf(Label3));
}

void MainWindow::showBinPage() {
  SwitchTo(4);
  SetLed(HintOf(Label4));
  binPage->makebinmemo->clear();
  Guarded([&] { WriteBinSummary(*binPage, settings_, *previewPage); });
  ShowCurrentPage();
}

void MainWindow::showPreviewPage() {
  previewPage->showSong(true);
}

void MainWindow::OpenPreviewByUser() {
  SwitchTo(8);
  SetLed(HintOf(Label8));
  if (ComposeSongTexts && !OpenDialog3FileName.empty())
    Guarded([&] { ComposeSongTexts(OpenDialog3FileName); });
}

void MainWindow::showCdBatchPage() {
  SwitchTo(9);
  ShowCurrentPage();
  cdBatchPage->Prepare(BatchPairText());
}

void MainWindow::showInfoText() {
  SwitchTo(5);
  SetLed(HintOf(Label5));
  ToggleInfoText();
}

void MainWindow::showRecodeOptions() {
  SwitchTo(21);
  ShowCurrentPage();
}

void MainWindow::backToRecodePage() {
  // Back to the recode page without refreshing its memo.
  SwitchTo(2);
  ShowCurrentPage();
}

void MainWindow::showRenameOptions() {
  SwitchTo(31);
  HideAllPages();
  ShowCurrentPage();
}

void MainWindow::acceptRenameOptions() {
  showRenamePage();
}

void MainWindow::closePage() {
  SwitchTo(0);
}

void MainWindow::applyRenameList() {
  if (renamePage->ApplyRenameList) RunPass(3, renamePage->ApplyRenameList);
}

void MainWindow::saveDirectories() {
  directoriesPage->StoreEdits(settings_);
  ResetPageView();
}

void MainWindow::windowDoubleClicked() {
  ToggleInfoText();
}

void MainWindow::openHomepage() {
  if (OpenUrl) OpenUrl(QUrl(QString::fromLatin1(kHomepage)));
}

void MainWindow::closeProgram() {
  close();
}

void MainWindow::startRecodePass() {
  if (recodePage->RecodePass) RunPass(2, recodePage->RecodePass);
}

void MainWindow::startBinRun() {
  BinRunWindow window;
  window.page = binPage;
  window.preview = previewPage;
  window.mainWindow = this;
  window.toolbar = toolbar_;
  window.setLed = [this](const std::string& text) { SetLed(text); };
  PageReport report(*this);
  report.LinesTo([this](const std::string& text) { MemoAdd(binPage->makebinmemo, text); })
      .CountInLed()
      .LetEventsRun()
      .WhileOpen();
  window.report = &report;
  window.selectPreviewPage = [this] { PageNumber = 8; };
  window.showBinPage = [this] {
    PageNumber = 4;
    HideAllPages();
    ShowCurrentPage();
  };
  // The ID3v2 check box of page 31 holds its setting until the program ends.
  RunPass(4, [&] { RunBinPage(window, CollectSettings()); });
}

void MainWindow::startCdBatch() {
  if (!cdBatchPage->CreateCdBatches) return;
  if (PassRefused()) return;
  cdBatchPage->SpeedButton17->hide();
  bool written = false;
  RunPass(9, [&] {
    cdBatchPage->CreateCdBatches();
    written = true;
  });
  // Only a pair that was really written is reported as such.
  if (written)
    cdBatchPage->ShowResult(LanguageString(str::kBatchPairWritten), settings_.SourceDir);
  else
    cdBatchPage->SpeedButton17->show();
}

}  // namespace tovix

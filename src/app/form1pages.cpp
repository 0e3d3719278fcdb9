// The page state of the main window and the handlers that switch pages.
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>

#include "app/clicklabel.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/pages/binpage.h"
#include "app/pages/binpagerun.h"
#include "app/pages/cdbatchpage.h"
#include "app/pages/directoriespage.h"
#include "app/pages/pagepanel.h"
#include "app/pages/recodepage.h"
#include "app/pages/renamepage.h"
#include "lang/buildstrings.h"

namespace tovix {

namespace {

const QColor kIdle(128, 128, 128);
const QColor kCurrent(255, 255, 0);
const QColor kOptions(255, 0, 0);
}  // namespace

void TForm1::ResetPageView() {
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

void TForm1::HideAllPages() {
  for (QWidget* page :
       {static_cast<QWidget*>(Seite1), static_cast<QWidget*>(Seite2), static_cast<QWidget*>(Seite3),
        static_cast<QWidget*>(Seite4), static_cast<QWidget*>(Seite5), static_cast<QWidget*>(Seite6),
        static_cast<QWidget*>(Seite21), static_cast<QWidget*>(Seite31)})
    page->hide();
}

void TForm1::ShowCurrentPage() {
  QWidget* page = nullptr;
  switch (PageNumber) {
    case 1:
      page = Seite1;
      break;
    case 2:
      page = Seite2;
      break;
    case 3:
      page = Seite3;
      break;
    case 4:
      page = Seite4;
      break;
    case 8:
      page = Seite5;
      break;
    case 9:
      page = Seite6;
      break;
    case 21:
      page = Seite21;
      break;
    case 31:
      page = Seite31;
      break;
    default:
      break;
  }
  if (page) {
    page->show();
    page->raise();
  }
}

void TForm1::ToggleInfoText() {
  if (btxText_ != InfoText())
    SetBtx(InfoText());
  else
    ResetPageView();
}

void TForm1::SwitchTo(std::uint8_t page) {
  PageNumber = page;
  ResetPageView();
}

void TForm1::Label1Click() {
  // A second click keeps what the user has typed.
  if (Seite1->isVisible()) return;
  SwitchTo(1);
  SetLed(HintOf(Label1));
  Seite1->FillEdits(settings_);
  ShowCurrentPage();
}

void TForm1::Label2Click() {
  SwitchTo(2);
  ShowCurrentPage();
  // While a pass runs, Start! stays hidden; the running recode pass keeps
  // its memo (a cleared memo and Start! again invited a pass inside it).
  if (passPage_ == 2) {
    SetLed(LanguageString(28));
    return;
  }
  Seite2->SpeedButton7->setVisible(!PassRunning());
  SetLed(Seite2->Prepare(settings_));
}

void TForm1::Label3Click() {
  SwitchTo(3);
  SetLed(BuildText(str::kOneMoment));
  ShowCurrentPage();
  if (Seite3->BuildRenameList && !RunPass(3, Seite3->BuildRenameList)) return;
  SetLed(HintOf(Label3));
}

void TForm1::Label4Click() {
  SwitchTo(4);
  SetLed(HintOf(Label4));
  Seite4->makebinmemo->clear();
  Guarded([&] { WriteBinSummary(*Seite4, settings_, *Seite5); });
  ShowCurrentPage();
}

void TForm1::Label8Click() {
  Seite5->Label8Click(true);
}

void TForm1::OpenPreviewByUser() {
  SwitchTo(8);
  SetLed(HintOf(Label8));
  if (ComposeSongTexts && !OpenDialog3FileName.empty())
    Guarded([&] { ComposeSongTexts(OpenDialog3FileName); });
}

void TForm1::Label14Click() {
  SwitchTo(9);
  ShowCurrentPage();
  Seite6->Prepare(BatchPairText());
}

void TForm1::Label5Click() {
  SwitchTo(5);
  SetLed(HintOf(Label5));
  ToggleInfoText();
}

void TForm1::SpeedButton9Click() {
  SwitchTo(21);
  ShowCurrentPage();
}

void TForm1::DirectoryListBox4Change() {
  // Back to the recode page without refreshing its memo.
  SwitchTo(2);
  ShowCurrentPage();
}

void TForm1::SpeedButton13Click() {
  SwitchTo(31);
  HideAllPages();
  ShowCurrentPage();
}

void TForm1::ok31Click() {
  Label3Click();
}

void TForm1::canc1Click() {
  SwitchTo(0);
}
void TForm1::CoolButton2Click() {
  SwitchTo(0);
}
void TForm1::SpeedButton15Click() {
  SwitchTo(0);
}

void TForm1::CoolButton1Click() {
  if (Seite3->ApplyRenameList) RunPass(3, Seite3->ApplyRenameList);
}

void TForm1::Button4Click() {
  Seite1->StoreEdits(settings_);
  ResetPageView();
}

void TForm1::CoolForm1DblClick() {
  ToggleInfoText();
}

void TForm1::SpeedButton16Click() {
  if (OpenUrl) OpenUrl(QUrl(QString::fromLatin1(kHomepage)));
}

void TForm1::AUSClick() {
  close();
}

void TForm1::SpeedButton7Click() {
  if (Seite2->RecodePass) RunPass(2, Seite2->RecodePass);
}

void TForm1::SpeedButton14Click() {
  BinRunWindow window;
  window.page = Seite4;
  window.preview = Seite5;
  window.mainWindow = this;
  window.toolbar = toolbar_;
  window.setLed = [this](const std::string& text) { SetLed(text); };
  window.selectPreviewPage = [this] { PageNumber = 8; };
  window.showBinPage = [this] {
    PageNumber = 4;
    HideAllPages();
    ShowCurrentPage();
  };
  // The ID3v2 check box of page 31 holds its setting until the program ends.
  RunPass(4, [&] { RunBinPage(window, CollectSettings()); });
}

void TForm1::SpeedButton17Click() {
  if (!Seite6->CreateCdBatches) return;
  if (PassRefused()) return;
  Seite6->SpeedButton17->hide();
  bool written = false;
  RunPass(9, [&] {
    Seite6->CreateCdBatches();
    written = true;
  });
  // Only a pair that was really written is reported as such.
  if (written)
    Seite6->ShowResult(LanguageString(str::kBatchPairWritten), settings_.SourceDir);
  else
    Seite6->SpeedButton17->show();
}

}  // namespace tovix

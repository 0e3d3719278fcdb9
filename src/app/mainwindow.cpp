#include "app/mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTime>
#include <QTimer>
#include <cstdlib>

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
#include "app/toolbar.h"
#include "chrome/artwork.h"
#include "chrome/browsefolder.h"
#include "chrome/coolform.h"
#include "chrome/dialogplace.h"
#include "lang/buildstrings.h"
#include "lang/sellang.h"
#include "picture/picturebackground.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"
#include "platform/ownfolder.h"
#include "player/mpegplay.h"
#include "player/playererrortext.h"

namespace tovix {

std::string VersionText() {
  return "\rTovix v1.00 [Version 6/2000]\r" + BuildText(str::kVersionLine);
}

namespace {

const QColor kIdle(128, 128, 128);

QString AppTitle() {
  const QString title = QGuiApplication::applicationDisplayName();
  return title.isEmpty() ? QStringLiteral("Tovix") : title;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Form1"));
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  setWindowTitle(QStringLiteral("Tovix (Rovez/Kiss/Tokai ) DVD 71x"));
  RegisterTahomaFonts();
  chrome::KeepDialogsOnScreen();
  setFont(UiFont(13, true));
  languageFile_ = DefaultLanguageFile();

  ShowError = [this](const std::string& text) {
    QMessageBox::critical(this, AppTitle(), FromAnsi(text));
  };
  Fatal = [](const std::string& text) {
    QMessageBox::critical(nullptr, AppTitle(), FromAnsi(text));
    std::exit(1);
  };
  OpenUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
  ChooseLanguage = [this](int current) {
    return languageDialog_ ? languageDialog_->choose(current) : current;
  };

  // The skin is the window's whole face and gives it its size.
  CoolForm1 = new chrome::TCoolForm(this);
  chrome::ApplySkin(*CoolForm1, chrome::Skin::Main);
  const QSize skin = CoolForm1->picture().isNull() ? QSize(779, 582) : CoolForm1->picture().size();
  setFixedSize(skin);
  CoolForm1->setGeometry(0, 0, skin.width(), skin.height());
  connect(CoolForm1, &chrome::TCoolForm::doubleClicked, this, &MainWindow::windowDoubleClicked);

  opendialog1 = new chrome::TBrowseFolder(this);
  opendialog1->SetFlags(chrome::bfFileSysDirsOnly | chrome::bfStatusText);
  opendialog1->SetShowPathInStatusArea(true);

  BuildStatusLabels();
  BuildPages();

  // The settings are read even when the player library could not be loaded,
  // so nothing the user stored is lost at exit.
  CreatePlayer();
  settings_.SourceDir = platform::CurrentDir();
  settings_.BinDir = settings_.SourceDir;
  ini_ = std::make_unique<platform::IniFile>(platform::OwnFolder() + "tovix.ini");
  LoadSettings();

  Timer2 = new QTimer(this);
  Timer2->setInterval(900);
  connect(Timer2, &QTimer::timeout, this, &MainWindow::showClock);
  Timer2->start();
  showClock();

  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
  }
}

MainWindow::~MainWindow() {
  FormDestroy();
}

void MainWindow::BuildStatusLabels() {
  // BTX, Sprache and the homepage button lie under the pages: they are seen
  // only while no page is open.
  BTX = new ClickLabel(QStringLiteral("BTX"), this);
  BTX->setGeometry(55, 136, 665, 337);
  BTX->setAlignment(Qt::AlignCenter);
  BTX->setFont(UiFont(15, true));
  BTX->setWordWrap(true);
  connect(BTX, &ClickLabel::doubleClicked, this, &MainWindow::windowDoubleClicked);

  Sprache = new QPushButton(this);
  Sprache->setObjectName(QStringLiteral("Sprache"));
  Sprache->setGeometry(33, 479, 113, 39);
  Sprache->setText(QStringLiteral("Sprache"));
  Sprache->setToolTip(QStringLiteral("Sprache - Language - Langue"));
  Sprache->setCursor(Qt::PointingHandCursor);
  connect(Sprache, &QPushButton::clicked, this, &MainWindow::switchLanguage);

  SpeedButton16 = new QPushButton(this);
  SpeedButton16->setObjectName(QStringLiteral("SpeedButton16"));
  SpeedButton16->setGeometry(520, 479, 210, 39);
  SetCaption(SpeedButton16, "... zur Tovix-Homepage");
  SpeedButton16->setToolTip(FromAnsi("Verbindung zur Homepage..."));
  SpeedButton16->setCursor(Qt::PointingHandCursor);
  connect(SpeedButton16, &QPushButton::clicked, this, &MainWindow::openHomepage);
  Sprache->setStyleSheet(QString::fromLatin1(kButtonStyle));
  SpeedButton16->setStyleSheet(QString::fromLatin1(kButtonStyle));

  LED = new QLabel(this);
  LED->setObjectName(QStringLiteral("LED"));
  LED->setGeometry(216, 536, 345, 24);
  LED->setAlignment(Qt::AlignCenter);
  SetTextColor(LED, QColor(255, 255, 0));

  NIX = new QLabel(this);
  NIX->setObjectName(QStringLiteral("NIX"));
  NIX->setGeometry(592, 535, 125, 19);
  NIX->setAlignment(Qt::AlignCenter);
  SetTextColor(NIX, QColor(255, 0, 0));

  struct NumberLabel {
    ClickLabel** field;
    const char* name;
    const char* caption;
    int left;
    const char* hint;
    void (MainWindow::*click)();
  };
  const NumberLabel numbers[] = {
      {&Label1, "Label1", " 1 ", 34, "Verzeichnisse festlegen", &MainWindow::showDirectoriesPage},
      {&Label2, "Label2", " 2 ", 56, "Umcodierungsoptionen", &MainWindow::showRecodePage},
      {&Label3, "Label3", " 3 ", 76, "mp3's mit ID3-Tag umbenennen", &MainWindow::showRenamePage},
      {&Label4, "Label4", " 4 ", 97, "Bitmaps -> BIN wandeln", &MainWindow::showBinPage},
      {&Label8, "Label8", " 5 ", 118, "Bitmap -Vorschau", &MainWindow::showPreviewPage},
      {&Label14, "Label14", " 6 ", 142, "...erstelle Batch f\xfcr Yami-CD",
       &MainWindow::showCdBatchPage},
      {&Label5, "Label5", " ? ", 177, "Info anzeigen", &MainWindow::showInfoText},
  };
  for (const NumberLabel& n : numbers) {
    auto* label = new ClickLabel(QString::fromLatin1(n.name), this);
    label->setText(QString::fromLatin1(n.caption));
    label->setGeometry(n.left, 534, 21, 16);
    label->setAlignment(Qt::AlignCenter);
    label->setToolTip(FromAnsi(n.hint));
    label->setCursor(Qt::PointingHandCursor);
    SetTextColor(label, kIdle);
    connect(label, &ClickLabel::clicked, this, n.click);
    *n.field = label;
  }
}

void MainWindow::BuildPages() {
  directoriesPage = new DirectoriesPage(this);
  recodePage = new RecodePage(this);
  recodeOptionsPage = new RecodeOptionsPage(this);
  renamePage = new RenamePage(this);
  renameOptionsPage = new RenameOptionsPage(this);
  binPage = new BinPage(this);
  cdBatchPage = new CdBatchPage(this);
  // All pages share one background.
  const QPixmap background = chrome::PageBackground();
  for (PagePanel* page : std::initializer_list<PagePanel*>{
           directoriesPage, recodePage, renamePage, renameOptionsPage, binPage, cdBatchPage}) {
    page->setGeometry(32, 100, 708, 419);
    page->SetBackground(background);
  }
  recodeOptionsPage->setGeometry(32, 100, 709, 420);
  recodeOptionsPage->SetBackground(background);

  previewPage = new PreviewPage(this);
  previewPage->setObjectName(QStringLiteral("Seite5"));
  previewPage->setGeometry(31, 38, 710, 481);
  previewPage->SetHost(this);
  previewPage->SetSharedBackground(SharedBackground());
  previewPage->hide();

  directoriesPage->SetFolderChooser([this](const std::string& start) -> std::optional<std::string> {
    opendialog1->SetDirectory(start);
    if (!opendialog1->Execute()) return std::nullopt;
    return opendialog1->Directory();
  });
  connect(directoriesPage->Button4, &QPushButton::clicked, this, &MainWindow::saveDirectories);
  connect(directoriesPage->SpeedButton2, &QPushButton::clicked, this, &MainWindow::closePage);
  connect(recodePage->SpeedButton7, &QPushButton::clicked, this, &MainWindow::startRecodePass);
  connect(recodePage->SpeedButton8, &QPushButton::clicked, this, &MainWindow::closePage);
  connect(recodePage->SpeedButton9, &QPushButton::clicked, this, &MainWindow::showRecodeOptions);
  connect(recodeOptionsPage->SpeedButton4, &QPushButton::clicked, this,
          &MainWindow::backToRecodePage);
  connect(renamePage->CoolButton1, &QPushButton::clicked, this, &MainWindow::applyRenameList);
  connect(renamePage->CoolButton2, &QPushButton::clicked, this, &MainWindow::closePage);
  connect(renamePage->SpeedButton13, &QPushButton::clicked, this, &MainWindow::showRenameOptions);
  connect(renameOptionsPage->ok31, &QPushButton::clicked, this, &MainWindow::acceptRenameOptions);
  connect(binPage->SpeedButton14, &QPushButton::clicked, this, &MainWindow::startBinRun);
  connect(binPage->SpeedButton15, &QPushButton::clicked, this, &MainWindow::closePage);
  connect(cdBatchPage->SpeedButton17, &QPushButton::clicked, this, &MainWindow::startCdBatch);
  connect(cdBatchPage->SpeedButton18, &QPushButton::clicked, this, &MainWindow::closePage);
  WirePasses();
  WireDisc();
}

void MainWindow::LoadSettings() {
  settings_ = ReadSettings(*ini_, platform::CurrentDir());
  OpenDialog3FileName = settings_.LastFile;
  if (ComposeSongTexts && !settings_.LastFile.empty())
    Guarded([&] { ComposeSongTexts(settings_.LastFile); });
  // The preview takes fonts, positions (shadows +1/+1), scale, overscan and
  // the background picture; a picture that cannot be loaded is ignored there.
  previewPage->ApplySettings(settings_);
  recodeOptionsPage->ApplySettings(settings_);
  renameOptionsPage->ApplySettings(settings_);
  binPage->ApplySettings(settings_);
}

Settings MainWindow::CollectSettings() const {
  Settings s = settings_;
  s.LastFile = OpenDialog3FileName;
  previewPage->StoreSettings(s);
  recodeOptionsPage->StoreSettings(s);
  renameOptionsPage->StoreSettings(s);
  binPage->StoreSettings(s);
  return s;
}

void MainWindow::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  try {
    WriteSettings(*ini_, CollectSettings());
  } catch (const std::exception& e) {
    // The writer replaces the file only once a whole new one is on disk,
    // so a failure leaves the old settings and every other file as they were.
    if (ShowError) ShowError(ErrorText(e));
  }
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  // FormShow: the language goes into every window, the welcome text shows.
  ApplyLanguage(static_cast<std::uint16_t>(settings_.Language));
  SetBtx(InfoText());
  if (!playerLoadError_.empty() && ShowError) ShowError(playerLoadError_);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  // A recode pass running in this window's loop stops at its next check.
  PageNumber = 0;
  FormDestroy();
  if (toolbar_) toolbar_->hide();
  emit closed();
}

void MainWindow::Guarded(const std::function<void()>& work) {
  try {
    work();
  } catch (const TMPEGError& e) {
    // The component's own words are English whatever the language.
    if (ShowError) ShowError(PlayerErrorText(e));
  } catch (const IoError& e) {
    std::string text = BuildText(str::kIoError, {std::to_string(e.code())});
    if (*e.what()) text += "\r" + ErrorText(e);
    if (ShowError) ShowError(text);
  } catch (const std::exception& e) {
    if (ShowError) ShowError(ErrorText(e));
  }
}

bool MainWindow::PassRefused() {
  if (!PassRunning()) return false;
  SetLed(BuildText(str::kPassRunning));
  return true;
}

bool MainWindow::RunPass(std::uint8_t page, const std::function<void()>& work) {
  if (PassRefused()) return false;
  passPage_ = page;
  struct Release {
    MainWindow& form;
    ~Release() {
      form.passPage_ = 0;
      // Start! of a recode page opened while another pass ran was kept hidden.
      if (form.PageNumber == 2 && form.recodePage->isVisible()) {
        form.recodePage->SpeedButton7->show();
        form.recodePage->SpeedButton9->show();
      }
    }
  } release{*this};
  Guarded(work);
  return true;
}

void MainWindow::SetLed(const std::string& text) {
  ledText_ = text;
  LED->setText(FromAnsi(text));
}

void MainWindow::SetBtx(const std::string& text) {
  btxText_ = text;
  BTX->setText(PlainCaption(text));
}

std::string MainWindow::HintOf(const QWidget* widget) const {
  return ToAnsi(widget->toolTip());
}

void MainWindow::showClock() {
  NIX->setText(QTime::currentTime().toString(QStringLiteral("hh:mm:ss")));
}

}  // namespace tovix

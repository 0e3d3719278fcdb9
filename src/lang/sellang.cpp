#include "lang/sellang.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QToolButton>

#include "platform/codepage.h"

namespace tovix {
namespace {

constexpr int kItemHeight = 16;

QString FromAnsi(const std::string& text) {
  return QString::fromStdString(platform::AnsiToUtf8(text));
}

QFont PixelFont(const QString& family, int pixels) {
  QFont font(family);
  font.setPixelSize(pixels);
  font.setBold(true);
  return font;
}

// The two button faces: a green tick to confirm, a red cross to cancel.
QPixmap ButtonPicture(bool confirm) {
  QPixmap picture(40, 40);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  QPen pen(confirm ? QColor(0, 150, 0) : QColor(200, 0, 0), 7, Qt::SolidLine, Qt::RoundCap,
           Qt::RoundJoin);
  p.setPen(pen);
  if (confirm) {
    QPainterPath tick;
    tick.moveTo(6, 21);
    tick.lineTo(16, 32);
    tick.lineTo(34, 8);
    p.drawPath(tick);
  } else {
    p.drawLine(9, 9, 31, 31);
    p.drawLine(31, 9, 9, 31);
  }
  return picture;
}

QToolButton* PictureButton(QWidget* parent, bool confirm, const QRect& place) {
  auto* button = new QToolButton(parent);
  button->setAutoRaise(true);
  button->setIcon(ButtonPicture(confirm));
  button->setIconSize(QSize(40, 40));
  button->setGeometry(place);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

LanguageDialog::LanguageDialog(int currentLanguage, QWidget* parent,
                               const std::string& languageFile)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      currentLanguage_(currentLanguage),
      selectedLanguage_(currentLanguage) {
  setObjectName("SelSpra");
  setWindowTitle("          Sprache  -  Language  -  Langue");
  setModal(true);
  setFixedSize(376, 184);
  setFont(PixelFont("Tahoma", 13));
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(0, 255, 255));
  setPalette(pal);
  setAutoFillBackground(true);

  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName("ListBox1");
  ListBox1->setGeometry(8, 32, 249, 145);
  ListBox1->setFont(PixelFont("Courier New", 13));
  ListBox1->setUniformItemSizes(true);
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);

  SpeedButton1 = PictureButton(this, true, QRect(264, 16, 105, 49));
  SpeedButton1->setObjectName("SpeedButton1");
  SpeedButton2 = PictureButton(this, false, QRect(264, 122, 105, 47));
  SpeedButton2->setObjectName("SpeedButton2");

  connect(SpeedButton1, &QToolButton::clicked, this, &LanguageDialog::acceptLanguage);
  connect(SpeedButton2, &QToolButton::clicked, this, &LanguageDialog::cancelLanguage);
  // A double click on a line is the quick way to confirm it.
  connect(ListBox1, &QListWidget::itemDoubleClicked, this, &LanguageDialog::acceptLanguage);

  if (auto list = ReadLanguageList(languageFile)) {
    listFound_ = true;
    languages_ = std::move(*list);
  }
  FillList(currentLanguage);
}

void LanguageDialog::FillList(int currentLanguage) {
  ListBox1->clear();
  for (const LanguageEntry& entry : languages_) {
    auto* item = new QListWidgetItem(FromAnsi(entry.name), ListBox1);
    item->setData(Qt::UserRole, entry.number);
    item->setSizeHint(QSize(0, kItemHeight));
  }
  const int line = LineForLanguage(languages_, currentLanguage);
  ListBox1->setCurrentRow(line);
  if (line < 0) ListBox1->clearSelection();
}

int LanguageDialog::choose(int currentLanguage) {
  currentLanguage_ = currentLanguage;
  selectedLanguage_ = currentLanguage;
  exec();
  return selectedLanguage_;
}

void LanguageDialog::acceptLanguage() {
  const QListWidgetItem* item = ListBox1->currentItem();
  const int line = item && item->isSelected() ? ListBox1->row(item) : -1;
  selectedLanguage_ = ChosenLanguage(languages_, line, true, currentLanguage_);
  done(QDialog::Accepted);
}

void LanguageDialog::cancelLanguage() {
  selectedLanguage_ = ChosenLanguage(languages_, -1, false, currentLanguage_);
  done(QDialog::Rejected);
}

void LanguageDialog::reject() {
  cancelLanguage();
}

void LanguageDialog::showEvent(QShowEvent* event) {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  QDialog::showEvent(event);
}

void ShowLanguageFailure(LanguageResult result, QWidget* parent) {
  QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(),
                  QString::fromStdString(LanguageFailureMessage(result)), QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace tovix

#include "app/toolbar.h"

#include <QCloseEvent>
#include <QPushButton>

#include "app/clicklabel.h"
#include "app/mainwindow.h"
#include "app/pages/uifont.h"
#include "chrome/artwork.h"
#include "chrome/coolform.h"

namespace tovix {

Toolbar::Toolbar(MainWindow* main) : QWidget(nullptr), main_(main) {
  setObjectName(QStringLiteral("Form2"));
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  setAttribute(Qt::WA_QuitOnClose, false);
  setFixedSize(104, 305);
  QFont font = UiFont(13, true);
  setFont(font);
  CoolForm2 = new chrome::TCoolForm(this);
  chrome::ApplySkin(*CoolForm2, chrome::Skin::Toolbar);

  static constexpr int kPageTops[6] = {35, 57, 79, 103, 127, 151};
  for (int i = 0; i < 6; ++i) {
    auto* button = new QPushButton(QString::number(i + 1), this);
    button->setObjectName(QStringLiteral("SpeedButton%1").arg(i + 1));
    button->setGeometry(19, kPageTops[i], 51, 24);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    SetTextColor(button, Qt::white);
    pageButtons_[static_cast<std::size_t>(i)] = button;
  }
  connect(pageButtons_[0], &QPushButton::clicked, main, &MainWindow::showDirectoriesPage);
  connect(pageButtons_[1], &QPushButton::clicked, main, &MainWindow::showRecodePage);
  connect(pageButtons_[2], &QPushButton::clicked, main, &MainWindow::showRenamePage);
  connect(pageButtons_[3], &QPushButton::clicked, main, &MainWindow::showBinPage);
  connect(pageButtons_[4], &QPushButton::clicked, main, [main] { main->showPreviewPage(); });
  connect(pageButtons_[5], &QPushButton::clicked, main, &MainWindow::showCdBatchPage);

  // The player buttons carry fixed English hints and start disabled but Load.
  struct PlayerButton {
    QPushButton** field;
    const char* name;
    chrome::Glyph glyph;
    int left, top;
    bool enabled;
  };
  const PlayerButton players[] = {
      {&Load, "Load", chrome::Glyph::Load, 19, 189, true},
      {&Play, "Play", chrome::Glyph::Play, 45, 189, false},
      {&Stop, "Stop", chrome::Glyph::Stop, 19, 213, false},
      {&Pause, "Pause", chrome::Glyph::Pause, 45, 213, false},
  };
  for (const PlayerButton& p : players) {
    auto* button = new QPushButton(this);
    button->setObjectName(QString::fromLatin1(p.name));
    button->setToolTip(QString::fromLatin1(p.name));
    button->setIcon(chrome::GlyphIcon(p.glyph));
    button->setGeometry(p.left, p.top, 25, 25);
    button->setFlat(true);
    button->setEnabled(p.enabled);
    *p.field = button;
  }
  connect(Load, &QPushButton::clicked, main, &MainWindow::loadSong);
  connect(Play, &QPushButton::clicked, main, &MainWindow::playSong);
  connect(Pause, &QPushButton::clicked, main, &MainWindow::pauseSong);
  connect(Stop, &QPushButton::clicked, main, &MainWindow::stopSong);

  SpeedButton7 = new QPushButton(QStringLiteral("AUS"), this);
  SpeedButton7->setObjectName(QStringLiteral("SpeedButton7"));
  SpeedButton7->setToolTip(QStringLiteral("Sendeschluss"));
  SpeedButton7->setGeometry(19, 254, 50, 24);
  SpeedButton7->setFlat(true);
  SpeedButton7->setCursor(Qt::PointingHandCursor);
  SetTextColor(SpeedButton7, QColor(255, 0, 0));
  connect(SpeedButton7, &QPushButton::clicked, main, &MainWindow::closeProgram);

  main->CopyHintsTo(*this);
  PlaceBesideMain();
}

void Toolbar::PlaceBesideMain() {
  const QRect m = main_->frameGeometry();
  move(m.x() + m.width() - 6, m.y() + m.height() - height());
}

void Toolbar::closeEvent(QCloseEvent* event) {
  event->accept();
  if (main_->isVisible()) main_->close();
}

}  // namespace tovix

#include "app/pages/sheetview.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/pages/qtext.h"
#include "disc/sheetpages.h"
#include "lang/buildstrings.h"

namespace tovix {

SheetView::SheetView(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("SheetView"));
  area_ = new QScrollArea(this);
  picture_ = new QLabel(area_);
  area_->setWidget(picture_);
  area_->setBackgroundRole(QPalette::Dark);
  PreviousButton = new QToolButton(this);
  PreviousButton->setArrowType(Qt::LeftArrow);
  NextButton = new QToolButton(this);
  NextButton->setArrowType(Qt::RightArrow);
  PageLabel = new QLabel(this);
  SaveButton = new QPushButton(this);
  auto* bar = new QHBoxLayout;
  bar->setContentsMargins(6, 4, 6, 4);
  bar->addWidget(PreviousButton);
  bar->addWidget(PageLabel);
  bar->addWidget(NextButton);
  bar->addStretch(1);
  bar->addWidget(SaveButton);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addLayout(bar);
  layout->addWidget(area_);
  connect(PreviousButton, &QToolButton::clicked, this, [this] { ShowPage(page_ - 1); });
  connect(NextButton, &QToolButton::clicked, this, [this] { ShowPage(page_ + 1); });
}

int SheetView::Pages() const {
  return SheetPageCount(tiles_.size());
}

void SheetView::ShowSheet(std::vector<SheetTile> tiles, int overscan, const std::string& title,
                          PassReport* progress) {
  tiles_ = std::move(tiles);
  overscan_ = overscan;
  progress_ = progress;
  setWindowTitle(FromAnsi(title));
  SaveButton->setText(FromAnsi(BuildText(str::kSheetSave)));
  ShowPage(0);
  // As wide as a page where the screen allows, most of its height.
  QScreen* shownOn = screen() ? screen() : QGuiApplication::primaryScreen();
  const QRect area = shownOn->availableGeometry();
  resize(
      std::min(sheet_.width() + 24, area.width() * 9 / 10),
      std::min(sheet_.height() + 4 + PageLabel->sizeHint().height() + 8, area.height() * 8 / 10));
  show();
  raise();
}

void SheetView::ShowPage(int page) {
  page_ = std::clamp(page, 0, Pages() - 1);
  // No second switch while a page is being made.
  PreviousButton->setEnabled(false);
  NextButton->setEnabled(false);
  sheet_ = QImage();
  picture_->clear();
  sheet_ = MakeTvSheet(SheetPageTiles(tiles_, page_), overscan_, progress_).image;
  picture_->setPixmap(QPixmap::fromImage(sheet_));
  picture_->resize(sheet_.size());
  area_->verticalScrollBar()->setValue(0);
  PageLabel->setText(
      FromAnsi(BuildText(str::kSheetPage, {std::to_string(page_ + 1), std::to_string(Pages())})));
  PreviousButton->setEnabled(page_ > 0);
  NextButton->setEnabled(page_ + 1 < Pages());
}

}  // namespace tovix

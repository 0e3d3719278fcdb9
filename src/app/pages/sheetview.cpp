#include "app/pages/sheetview.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include "app/pages/qtext.h"

namespace tovix {

SheetView::SheetView(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("SheetView"));
  area_ = new QScrollArea(this);
  picture_ = new QLabel(area_);
  area_->setWidget(picture_);
  area_->setBackgroundRole(QPalette::Dark);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(area_);
}

void SheetView::ShowSheet(const QImage& sheet, const std::string& title) {
  sheet_ = sheet;
  setWindowTitle(FromAnsi(title));
  picture_->setPixmap(QPixmap::fromImage(sheet));
  picture_->resize(sheet.size());
  // As wide as the sheet where the screen allows, most of its height.
  QScreen* shownOn = screen() ? screen() : QGuiApplication::primaryScreen();
  const QRect area = shownOn->availableGeometry();
  resize(std::min(sheet.width() + 24, area.width() * 9 / 10),
         std::min(sheet.height() + 4, area.height() * 8 / 10));
  show();
  raise();
}

}  // namespace tovix

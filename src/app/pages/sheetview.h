#pragma once
// The TV sheet in a window of its own, a page at a time: every song picture
// as the television shows it, a page switch and a button that saves all
// pages. Only the page shown is held, so a large folder costs no more.
#include <QDialog>
#include <QImage>
#include <string>
#include <vector>

#include "disc/tvsheet.h"

class QLabel;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace tovix {

class SheetView : public QDialog {
  Q_OBJECT

 public:
  explicit SheetView(QWidget* parent);
  // Shows the first page of the sheet of tiles under the title
  // (Windows-1252). progress hears each page being made; it must outlive
  // the window's use of it (the main window's does).
  void ShowSheet(std::vector<SheetTile> tiles, int overscan, const std::string& title,
                 PassReport* progress);
  // Makes and shows page (0-based), held within the pages there are.
  void ShowPage(int page);

  const QImage& Sheet() const { return sheet_; }  // the page shown
  int Page() const { return page_; }
  int Pages() const;
  const std::vector<SheetTile>& Tiles() const { return tiles_; }
  int Overscan() const { return overscan_; }

  QToolButton* PreviousButton = nullptr;
  QToolButton* NextButton = nullptr;
  QLabel* PageLabel = nullptr;
  QPushButton* SaveButton = nullptr;

 private:
  QScrollArea* area_ = nullptr;
  QLabel* picture_ = nullptr;
  QImage sheet_;
  std::vector<SheetTile> tiles_;
  int overscan_ = 0;
  int page_ = 0;
  PassReport* progress_ = nullptr;
};

}  // namespace tovix

#pragma once
// The TV sheet in a window of its own, scrollable: every song picture as
// the television shows it.
#include <QDialog>
#include <QImage>

class QLabel;
class QScrollArea;

namespace tovix {

class SheetView : public QDialog {
  Q_OBJECT

 public:
  explicit SheetView(QWidget* parent);
  // Shows sheet under the title (Windows-1252).
  void ShowSheet(const QImage& sheet, const std::string& title);
  const QImage& Sheet() const { return sheet_; }

 private:
  QScrollArea* area_ = nullptr;
  QLabel* picture_ = nullptr;
  QImage sheet_;
};

}  // namespace tovix

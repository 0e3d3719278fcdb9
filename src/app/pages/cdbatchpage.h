#pragma once
// Page 6 (Seite6, page number 9): the CD batch pair Short.bat / Long.bat.
#include <functional>

#include "app/pages/pagepanel.h"

namespace tovix {

class CdBatchPage : public PagePanel {
  Q_OBJECT

 public:
  explicit CdBatchPage(QWidget* parent);

  // Label14Click: Start shown again, the explanation in MakeBatLabel.
  void Prepare(const std::string& batchPairText);
  // Shows a Windows-1252 text in MakeBatLabel.
  void SetMessage(const std::string& text);

  // Writes the batch pair on Start. Wired in by the CD batch module;
  // without it Start does nothing.
  std::function<void()> CreateCdBatches;

  QLabel* MakeBatLabel = nullptr;
  QLabel* Label15 = nullptr;
  QCheckBox* UseSubDirsCheckBox = nullptr;
  QPushButton* SpeedButton17 = nullptr;  // "Start"
  QPushButton* SpeedButton18 = nullptr;  // " oops..."
};

}  // namespace tovix

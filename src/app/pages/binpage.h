#pragma once
// Page 4 (Seite4): the song pictures and their BIN batch, with its summary
// memo and the three options.
#include <functional>

#include "app/pages/pagepanel.h"
#include "app/settings.h"

namespace tovix {

class BinPage : public PagePanel {
  Q_OBJECT

 public:
  explicit BinPage(QWidget* parent);

  void ApplySettings(const Settings& settings);
  void StoreSettings(Settings& settings) const;

  // Writes the page summary into makebinmemo when the page opens, and runs
  // the BIN run on Start. Wired in by the BIN module; without them the memo
  // stays empty and Start does nothing.
  std::function<void()> WriteSummary;
  std::function<void()> BinRun;

  QPlainTextEdit* makebinmemo = nullptr;
  QCheckBox* replaceBin = nullptr;
  QCheckBox* TxtErstellen = nullptr;
  QCheckBox* Save2JPEG = nullptr;
  QPushButton* SpeedButton14 = nullptr;  // "Start"
  QPushButton* SpeedButton15 = nullptr;  // " oops..."
};

}  // namespace tovix

#pragma once
// Page 4 (Seite4): the song pictures and their BIN batch, with its summary
// memo and the three options.
#include <functional>
#include <string>

#include "app/pages/pagepanel.h"
#include "app/settings.h"

class QImage;

namespace tovix {

class SheetView;

class BinPage : public PagePanel {
  Q_OBJECT

 public:
  explicit BinPage(QWidget* parent);

  void ApplySettings(const Settings& settings);
  void StoreSettings(Settings& settings) const;

  // The run's error box: title "Fehler", one button "Abbrechen" (tests
  // replace it). Windows-1252 text.
  std::function<void(const std::string&)> ErrorBox;
  // The mklogo level of the last calibration, kept until the next run.
  int LogoLevel = 2;

  QPlainTextEdit* makebinmemo = nullptr;
  QCheckBox* replaceBin = nullptr;
  QCheckBox* TxtErstellen = nullptr;
  QCheckBox* Save2JPEG = nullptr;
  QPushButton* SpeedButton14 = nullptr;  // "Start"
  QPushButton* SpeedButton15 = nullptr;  // " oops..."
  QPushButton* SheetButton = nullptr;    // the TV sheet of the pictures made

  // The sheet's scrollable window, made when first shown.
  void ShowSheet(const QImage& sheet, const std::string& title);
  SheetView* View() const { return view_; }

 private:
  SheetView* view_ = nullptr;
};

}  // namespace tovix

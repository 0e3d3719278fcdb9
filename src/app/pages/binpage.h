#pragma once
// Page 4 (binPage): the song pictures and their BIN batch, with its summary
// memo and the three options.
#include <functional>
#include <string>
#include <vector>

#include "app/pages/pagepanel.h"
#include "disc/tvsheet.h"
#include "settings/settings.h"

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

  // The sheet's window, made when first shown, at its first page.
  void ShowSheet(std::vector<SheetTile> tiles, int overscan, const std::string& title,
                 PassReport* progress);
  SheetView* View() const { return view_; }
  // The sheet window's save button. Wired in by the main window.
  std::function<void()> SaveSheet;
  // The save file chooser (title, filter in "Name|*.ext" form; "" when
  // cancelled) and the note after saving. Tests replace both.
  std::function<std::string(const std::string&, const std::string&)> ChooseSheetFile;
  std::function<void(const std::string&)> SheetNote;

 private:
  SheetView* view_ = nullptr;
};

}  // namespace tovix

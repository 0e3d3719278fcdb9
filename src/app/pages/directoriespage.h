#pragma once
// Page 1 (Seite1): the four working folders, edited here and stored into
// the settings only by OK.
#include <functional>
#include <optional>
#include <string>

#include "app/pages/pagepanel.h"
#include "settings/settings.h"

class QLineEdit;

namespace tovix {

// Asks for a folder starting at start; nullopt when the user cancels.
// Windows-1252 paths.
using FolderChooser = std::function<std::optional<std::string>(const std::string& start)>;

class DirectoriesPage : public PagePanel {
  Q_OBJECT

 public:
  explicit DirectoriesPage(QWidget* parent);

  void SetFolderChooser(FolderChooser chooser) { chooser_ = std::move(chooser); }

  // Label1Click: the edits show the stored folders.
  void FillEdits(const Settings& settings);
  // Button4Click: the edits become the stored folders.
  void StoreEdits(Settings& settings) const;

  // The "..." buttons, one per edit.
  void SpeedButton5Click();
  void SpeedButton6Click();
  void SpeedButton10Click();
  void SpeedButton11Click();
  // "ziel=mp3": the BIN target becomes the source folder.
  void btn5Click();
  // "Temp=Default": the system's temporary folder, or empty when unknown.
  void SpeedButton12Click();

  QLineEdit* QuellEdit = nullptr;
  QLineEdit* ZielEdit = nullptr;
  QLineEdit* RecodeEdit = nullptr;
  QLineEdit* TempEdit = nullptr;
  QPushButton* Button4 = nullptr;       // OK
  QPushButton* SpeedButton2 = nullptr;  // " oops..."

 private:
  void Browse(QLineEdit* edit);

  FolderChooser chooser_;
};

}  // namespace tovix

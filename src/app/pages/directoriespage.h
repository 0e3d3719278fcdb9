#pragma once
// Page 1 (directoriesPage): the four working folders, edited here and stored into
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

  // showDirectoriesPage: the edits show the stored folders.
  void FillEdits(const Settings& settings);
  // saveDirectories: the edits become the stored folders.
  void StoreEdits(Settings& settings) const;

  // The "..." buttons, one per edit.
  void chooseSourceFolder();
  void chooseTargetFolder();
  void chooseRecodeFolder();
  void chooseTempFolder();
  // "ziel=mp3": the BIN target becomes the source folder.
  void targetIsSource();
  // "Temp=Default": the system's temporary folder, or empty when unknown.
  void defaultTempFolder();

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

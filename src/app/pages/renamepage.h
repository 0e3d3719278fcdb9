#pragma once
// Page 3 (Seite3): the editable review list of planned renames; page 31
// (Seite31): the rename options.
#include <functional>
#include <string>
#include <vector>

#include "app/pages/pagepanel.h"
#include "app/settings.h"
#include "rename/renamelist.h"

namespace tovix {

class RenamePage : public PagePanel {
  Q_OBJECT

 public:
  explicit RenamePage(QWidget* parent);

  // Fills RenameMemo when the page opens (Label3Click, ok31Click), and
  // applies it on OK. Wired in by the rename module; without them the
  // list stays empty and OK does nothing.
  std::function<void()> BuildRenameList;
  std::function<void()> ApplyRenameList;

  // The memo's lines as Windows-1252 texts, and a new list for it.
  std::vector<std::string> Lines() const;
  void SetLines(const std::vector<std::string>& lines);
  // Puts the caret at the end of a 0-based memo line and shows it.
  void PutCaretOnLine(int line);
  // While the list is being built OK is off, so a half-read folder is never
  // applied; nested builds (the page opened again meanwhile) count.
  void BeginBuild();
  void EndBuild();
  bool Building() const { return builds_ > 0; }

  QLabel* StaticText1 = nullptr;
  QPlainTextEdit* RenameMemo = nullptr;
  QPushButton* CoolButton1 = nullptr;    // OK
  QPushButton* CoolButton2 = nullptr;    // " oops..."
  QPushButton* SpeedButton13 = nullptr;  // "Optionen"

 private:
  int builds_ = 0;
};

class RenameOptionsPage : public PagePanel {
  Q_OBJECT

 public:
  explicit RenameOptionsPage(QWidget* parent);

  void ApplySettings(const Settings& settings);
  void StoreSettings(Settings& settings) const;
  // What the check boxes say now.
  RenameOptions Options() const;

  QCheckBox* CreateTag = nullptr;
  QCheckBox* SaveTag = nullptr;
  QCheckBox* Convert2Blank = nullptr;
  QCheckBox* NiceWords = nullptr;
  QCheckBox* ID3v2Tags = nullptr;  // setting ID3v2
  QPushButton* ok31 = nullptr;
};

}  // namespace tovix

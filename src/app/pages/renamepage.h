#pragma once
// Page 3 (renamePage): the editable review list of planned renames; page 31
// (renameOptionsPage): the rename options.
#include <functional>
#include <string>
#include <vector>

#include "app/pages/pagepanel.h"
#include "rename/renamelist.h"
#include "settings/settings.h"

namespace tovix {

class RenamePage : public PagePanel {
  Q_OBJECT

 public:
  explicit RenamePage(QWidget* parent);

  // Fills RenameMemo when the page opens (showRenamePage, acceptRenameOptions), and
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
  // The undo list of the last apply in the memo, under its own caption; OK
  // then applies it as it stands. A new list ends it.
  void ShowUndoList(const std::vector<std::string>& lines, const std::string& caption);
  void EndUndoList();
  bool HoldsUndoList() const { return undoShown_; }
  // The line a pass ends with (an information box; tests record it).
  std::function<void(const std::string&)> ShowSummary;

  QLabel* StaticText1 = nullptr;
  QPlainTextEdit* RenameMemo = nullptr;
  QPushButton* CoolButton1 = nullptr;    // OK
  QPushButton* CoolButton2 = nullptr;    // " oops..."
  QPushButton* SpeedButton13 = nullptr;  // "Optionen"
  QPushButton* UndoButton = nullptr;     // shows the undo list of the last apply

 private:
  int builds_ = 0;
  bool undoShown_ = false;
  QString caption_;  // StaticText1's own while the undo list is shown
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

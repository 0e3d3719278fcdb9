#pragma once
// Page 3 (Seite3): the editable review list of planned renames; page 31
// (Seite31): the rename options.
#include <functional>

#include "app/pages/pagepanel.h"
#include "app/settings.h"

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

  QLabel* StaticText1 = nullptr;
  QPlainTextEdit* RenameMemo = nullptr;
  QPushButton* CoolButton1 = nullptr;    // OK
  QPushButton* CoolButton2 = nullptr;    // " oops..."
  QPushButton* SpeedButton13 = nullptr;  // "Optionen"
};

class RenameOptionsPage : public PagePanel {
  Q_OBJECT

 public:
  explicit RenameOptionsPage(QWidget* parent);

  void ApplySettings(const Settings& settings);
  void StoreSettings(Settings& settings) const;

  QCheckBox* CreateTag = nullptr;
  QCheckBox* SaveTag = nullptr;
  QCheckBox* Convert2Blank = nullptr;
  QCheckBox* NiceWords = nullptr;
  QPushButton* ok31 = nullptr;
};

}  // namespace tovix

#pragma once
// TBrowseFolder: the folder picker. Preselects Directory, shows the selected
// path shortened in a status line, accepts only existing folders whose names
// the program can hold, and can add one extra button of its own.
#include <QAbstractButton>
#include <QFileDialog>
#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>

namespace tovix::chrome {

// Options handed to the picker (the shell's browse-info bits).
using TBrowseInfoFlags = std::uint32_t;
inline constexpr TBrowseInfoFlags bfFileSysDirsOnly = 0x0001;
inline constexpr TBrowseInfoFlags bfDontGoBelowDomain = 0x0002;
inline constexpr TBrowseInfoFlags bfStatusText = 0x0004;
inline constexpr TBrowseInfoFlags bfFileSysAncestors = 0x0008;
inline constexpr TBrowseInfoFlags bfBrowseForComputer = 0x1000;
inline constexpr TBrowseInfoFlags bfBrowseForPrinter = 0x2000;

// Top of the folder tree; values are the shell's special-folder numbers.
enum class TSHFolders : int {
  foDesktop = 0,
  foDesktopExpanded = -1,  // no root: the whole tree
  foPrograms = 2,
  foControlPanel = 3,
  foPrinters = 4,
  foPersonal = 5,
  foFavorites = 6,
  foStartup = 7,
  foRecent = 8,
  foSendto = 9,
  foRecycleBin = 10,
  foStartMenu = 11,
  foDesktopDirectory = 16,
  foMyComputer = 17,
  foNetwork = 18,
  foNetworkNeighborhood = 19,
  foFonts = 20,
  foTemplates = 21,
};

enum class TCustomButtonType { btPushButton, btCheckBox };

// The folder a root stands for on this system; nullopt for roots that are
// no folder here (control panel, printers, network, ...) and for no root.
std::optional<QString> RootFolderPath(TSHFolders root);

class TBrowseFolder : public QObject {
  Q_OBJECT

 public:
  // owner: the window the dialog belongs to when it is a widget.
  explicit TBrowseFolder(QObject* owner = nullptr);
  ~TBrowseFolder() override;

  // Shows the picker modally. True, with Directory set to the chosen folder,
  // when the user confirms; false, Directory unchanged, on cancel.
  bool Execute();

  // In: folder to preselect; out: the chosen folder (Windows-1252 text).
  const std::string& Directory() const { return directory_; }
  void SetDirectory(const std::string& directory) { directory_ = directory; }
  // Text shown above the folder tree (Windows-1252).
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }
  TBrowseInfoFlags Flags() const { return flags_; }
  void SetFlags(TBrowseInfoFlags flags) { flags_ = flags; }
  bool ShowPathInStatusArea() const { return showPathInStatusArea_; }
  void SetShowPathInStatusArea(bool show) { showPathInStatusArea_ = show; }
  TSHFolders RootFolder() const { return rootFolder_; }
  void SetRootFolder(TSHFolders root) { rootFolder_ = root; }

  bool CustomButtonVisible() const { return customButtonVisible_; }
  void SetCustomButtonVisible(bool visible) { customButtonVisible_ = visible; }
  bool CustomButtonEnabled() const { return customButtonEnabled_; }
  void SetCustomButtonEnabled(bool enabled);
  const std::string& CustomButtonCaption() const { return customButtonCaption_; }
  void SetCustomButtonCaption(const std::string& caption);
  int CustomButtonWidth() const { return customButtonWidth_; }
  // Values of 0 or less become 75; takes effect at the next Execute.
  void SetCustomButtonWidth(int width) { customButtonWidth_ = width > 0 ? width : 75; }
  TCustomButtonType CustomButtonType() const { return customButtonType_; }
  void SetCustomButtonType(TCustomButtonType type) { customButtonType_ = type; }
  bool CustomButtonChecked() const { return customButtonChecked_; }
  void SetCustomButtonChecked(bool checked) { customButtonChecked_ = checked; }
  bool SyncCustomButton() const { return syncCustomButton_; }
  void SetSyncCustomButton(bool sync) { syncCustomButton_ = sync; }

  // A window that owns the dialog instead of the owner component's.
  void SetOwnerWindow(QWidget* window) { ownerWindow_ = window; }

  // While the dialog is open: the current selection (Windows-1252, empty
  // when it is no usable folder) and the dialog itself.
  const std::string& CurrentSelection() const { return selection_; }
  QFileDialog* Dialog() const { return dialog_; }
  // The status line's text while the dialog is open.
  QString StatusText() const;
  // Whether OK is allowed for the current selection.
  bool OkEnabled() const { return okEnabled_; }

 signals:
  // The dialog has been created and set up; it is about to be shown.
  void OnInitialized(QWidget* dialog);
  // The selection changed; directory is the selection's path or empty.
  void OnSelectionChanged(QWidget* dialog, const std::string& directory);
  // The extra push button was clicked.
  void OnCustomButtonClick(QWidget* dialog);

 private:
  QWidget* ownerWidget() const;
  void selectionChanged(const QString& nativePath);
  void showSelection(const std::optional<std::string>& folder);

  std::string directory_;
  std::string title_;
  TBrowseInfoFlags flags_ = bfFileSysDirsOnly | bfStatusText;
  bool showPathInStatusArea_ = false;
  TSHFolders rootFolder_ = TSHFolders::foDesktopExpanded;
  bool customButtonVisible_ = false;
  bool customButtonEnabled_ = true;
  std::string customButtonCaption_;
  int customButtonWidth_ = 75;
  TCustomButtonType customButtonType_ = TCustomButtonType::btPushButton;
  bool customButtonChecked_ = false;
  bool syncCustomButton_ = false;

  QPointer<QWidget> ownerWindow_;
  std::string selection_;
  QString shownPath_;  // the native path the selection was taken from
  bool okEnabled_ = false;
  QPointer<QFileDialog> dialog_;
  QPointer<QLabel> status_;
  QPointer<QAbstractButton> customButton_;
};

}  // namespace tovix::chrome

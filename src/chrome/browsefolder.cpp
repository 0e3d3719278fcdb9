#include "chrome/browsefolder.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStandardPaths>

#include "chrome/dialogplace.h"
#include "chrome/filedialoglocale.h"
#include "chrome/pathshort.h"
#include "chrome/screenclamp.h"
#include "platform/codepage.h"
#include "platform/filesys.h"

namespace tovix::chrome {
namespace {

QString FromAnsi(const std::string& text) {
  return QString::fromStdString(platform::AnsiToUtf8(text));
}

// The folder as the program holds it, or nullopt when it is no existing
// folder or its name has characters the program cannot hold.
std::optional<std::string> UsableFolder(const QString& nativePath) {
  if (nativePath.isEmpty()) return std::nullopt;
  std::optional<std::string> ansi = platform::FromNative(nativePath.toStdString());
  if (!ansi || !platform::IsDirectory(*ansi)) return std::nullopt;
  return ansi;
}

QString StandardFolder(QStandardPaths::StandardLocation location) {
  const QString path = QStandardPaths::writableLocation(location);
  return QDir(path).exists() ? path : QDir::homePath();
}

// The picker itself: it refuses to close with OK on anything but a usable
// folder, whatever the user typed into its name line.
class FolderDialog : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;
  std::optional<std::string> chosen;
  QPointer<QWidget> front;

  void accept() override {
    const QStringList files = selectedFiles();
    chosen = UsableFolder(files.isEmpty() ? directory().absolutePath() : files.first());
    if (!chosen) return;
    QFileDialog::accept();
  }

 protected:
  // Placed once shown, when the frame around it is known.
  void showEvent(QShowEvent* event) override {
    QFileDialog::showEvent(event);
    if (!front) return;
    const QRect f = front->frameGeometry();
    const QRect r = frameGeometry();
    const WindowRect placed = PlaceOverWindow({f.x(), f.y(), f.width(), f.height()},
                                              {r.x(), r.y(), r.width(), r.height()});
    move(placed.left, placed.top);
    // Over a window near the screen's edge (the toolbar, say) the dialog
    // would stick out: it comes back onto the screen whole.
    MoveOntoScreen(*this);
  }
};

}  // namespace

std::optional<QString> RootFolderPath(TSHFolders root) {
  switch (root) {
    case TSHFolders::foDesktop:
    case TSHFolders::foDesktopDirectory:
      return StandardFolder(QStandardPaths::DesktopLocation);
    case TSHFolders::foPersonal:
      return StandardFolder(QStandardPaths::DocumentsLocation);
    case TSHFolders::foPrograms:
    case TSHFolders::foStartMenu:
      return StandardFolder(QStandardPaths::ApplicationsLocation);
    case TSHFolders::foFonts:
      return StandardFolder(QStandardPaths::FontsLocation);
    case TSHFolders::foMyComputer:
      return QDir::rootPath();
    default:
      return std::nullopt;
  }
}

TBrowseFolder::TBrowseFolder(QObject* owner) : QObject(owner) {}

TBrowseFolder::~TBrowseFolder() = default;

void TBrowseFolder::SetCustomButtonEnabled(bool enabled) {
  customButtonEnabled_ = enabled;
  if (customButton_) customButton_->setEnabled(enabled);
}

void TBrowseFolder::SetCustomButtonCaption(const std::string& caption) {
  customButtonCaption_ = caption;
  if (customButton_) customButton_->setText(FromAnsi(caption));
}

QString TBrowseFolder::StatusText() const {
  return status_ ? status_->text() : QString();
}

QWidget* TBrowseFolder::ownerWidget() const {
  if (ownerWindow_) return ownerWindow_;
  if (auto* widget = qobject_cast<QWidget*>(parent())) return widget->window();
  return QApplication::activeWindow();
}

void TBrowseFolder::selectionChanged(const QString& nativePath) {
  if (nativePath == shownPath_) return;
  shownPath_ = nativePath;
  showSelection(UsableFolder(nativePath));
}

void TBrowseFolder::showSelection(const std::optional<std::string>& folder) {
  selection_ = folder.value_or(std::string());
  okEnabled_ = folder.has_value();
  if (status_ && showPathInStatusArea_) status_->setText(FromAnsi(ShortenPath(selection_)));
  if (dialog_) {
    if (auto* box = dialog_->findChild<QDialogButtonBox*>()) {
      for (QAbstractButton* button : box->buttons())
        if (box->buttonRole(button) == QDialogButtonBox::AcceptRole) button->setEnabled(okEnabled_);
    }
  }
  if (syncCustomButton_) SetCustomButtonEnabled(okEnabled_);
  emit OnSelectionChanged(dialog_, selection_);
}

bool TBrowseFolder::Execute() {
  QWidget* owner = ownerWidget();
  FolderDialog dialog(owner);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly, (flags_ & bfFileSysDirsOnly) != 0);
  SpeakProgramLanguage(dialog);
  dialog.setWindowTitle(title_.empty() ? QApplication::applicationName() : FromAnsi(title_));
  dialog_ = &dialog;
  shownPath_.clear();
  selection_.clear();
  okEnabled_ = false;

  auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
  if (flags_ & bfStatusText) {
    status_ = new QLabel(&dialog);
    status_->setObjectName("statusText");
    if (grid) grid->addWidget(status_, grid->rowCount(), 0, 1, grid->columnCount());
  }
  if (customButtonVisible_) {
    QAbstractButton* button = nullptr;
    if (customButtonType_ == TCustomButtonType::btCheckBox) {
      auto* box = new QCheckBox(&dialog);
      box->setChecked(customButtonChecked_);
      button = box;
    } else {
      button = new QPushButton(&dialog);
      connect(button, &QAbstractButton::clicked, this,
              [this] { emit OnCustomButtonClick(dialog_); });
    }
    button->setObjectName("customButton");
    button->setText(FromAnsi(customButtonCaption_));
    button->setFixedSize(customButtonWidth_, 23);
    button->setEnabled(customButtonEnabled_);
    customButton_ = button;
    if (grid) grid->addWidget(button, grid->rowCount(), 0, 1, 1, Qt::AlignLeft);
  }

  // What OK would return is the selection: a highlighted or typed folder,
  // else the folder shown. Follow every way it can change.
  auto refresh = [this, &dialog] {
    const QStringList files = dialog.selectedFiles();
    selectionChanged(files.isEmpty() ? dialog.directory().absolutePath() : files.first());
  };
  connect(&dialog, &QFileDialog::currentChanged, this, refresh);
  connect(&dialog, &QFileDialog::directoryEntered, this, refresh);
  if (auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit"))
    connect(edit, &QLineEdit::textChanged, this, refresh);
  for (QAbstractItemView* view : dialog.findChildren<QAbstractItemView*>()) {
    if (view->selectionModel())
      connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, refresh);
  }

  if (!directory_.empty() && platform::IsDirectory(directory_)) {
    dialog.setDirectory(QString::fromStdString(platform::ToNative(directory_)));
    selectionChanged(dialog.directory().absolutePath());
  } else {
    // A start folder that does not exist is not preselected.
    dialog.setDirectory(RootFolderPath(rootFolder_).value_or(QDir::homePath()));
    showSelection(std::nullopt);
    shownPath_ = dialog.directory().absolutePath();
  }

  dialog.front = QApplication::activeWindow() ? QApplication::activeWindow() : owner;
  emit OnInitialized(&dialog);

  const bool confirmed = dialog.exec() == QDialog::Accepted && dialog.chosen.has_value();
  if (confirmed) {
    directory_ = *dialog.chosen;
    selection_ = directory_;
    if (auto* box = qobject_cast<QCheckBox*>(customButton_.data()))
      customButtonChecked_ = box->isChecked();
  }
  dialog_ = nullptr;
  status_ = nullptr;
  customButton_ = nullptr;
  return confirmed;
}

}  // namespace tovix::chrome

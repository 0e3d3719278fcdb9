#include "chrome/filedialoglocale.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QTreeView>

namespace tovix::chrome {
namespace {

// The columns of QFileSystemModel.
constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;

class LocaleProxy : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& index, int role) const override {
    auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files || !index.isValid())
      return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    const QLocale locale;  // the default: the program's language
    if (index.column() == kDateColumn)
      return locale.toString(files->lastModified(source), QLocale::ShortFormat);
    if (index.column() == kSizeColumn && !files->isDir(source))
      return locale.formattedDataSize(files->size(source));
    return QIdentityProxyModel::data(index, role);
  }
};

QString Choose(QWidget* parent, const QString& title, const QString& folder, const QString& filter,
               QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, title, folder, filter);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  SpeakProgramLanguage(dialog);
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? QString() : files.first();
}

}  // namespace

void SpeakProgramLanguage(QFileDialog& dialog) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setProxyModel(new LocaleProxy(&dialog));
  FitColumnsToHeadings(dialog);
}

void FitColumnsToHeadings(QFileDialog& dialog) {
  auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
  if (!tree) return;
  QHeaderView* header = tree->header();
  for (int i = 0; i < header->count(); ++i) {
    const int need = header->sectionSizeHint(i);
    if (!header->isSectionHidden(i) && header->sectionSize(i) < need)
      header->resizeSection(i, need);
  }
}

QString ChooseOpenFileName(QWidget* parent, const QString& title, const QString& folder,
                           const QString& filter) {
  return Choose(parent, title, folder, filter, QFileDialog::AcceptOpen);
}

QString ChooseSaveFileName(QWidget* parent, const QString& title, const QString& folder,
                           const QString& filter) {
  return Choose(parent, title, folder, filter, QFileDialog::AcceptSave);
}

}  // namespace tovix::chrome

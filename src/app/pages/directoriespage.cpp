#include "app/pages/directoriespage.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/pages/qtext.h"
#include "platform/filesys.h"

namespace tovix {

DirectoriesPage::DirectoriesPage(QWidget* parent) : PagePanel(QStringLiteral("Seite1"), parent) {
  struct Row {
    const char* label;
    const char* caption;
    const char* edit;
    const char* button;
    QLineEdit** field;
    void (DirectoriesPage::*browse)();
  };
  const Row rows[] = {
      {"Label10", "Quelle f\xfcr .mp3", "QuellEdit", "SpeedButton5", &QuellEdit,
       &DirectoriesPage::chooseSourceFolder},
      {"Label11", "Ziel f\xfcr .bin && .txt", "ZielEdit", "SpeedButton6", &ZielEdit,
       &DirectoriesPage::chooseTargetFolder},
      {"Label12", "Ziel f\xfcr umcodierte .mp3", "RecodeEdit", "SpeedButton10", &RecodeEdit,
       &DirectoriesPage::chooseRecodeFolder},
      {"Label13", "Temp.Verzeichnis (f\xfcr .wav)", "TempEdit", "SpeedButton11", &TempEdit,
       &DirectoriesPage::chooseTempFolder},
  };
  int top = 40;
  for (const Row& row : rows) {
    AddLabel(QString::fromLatin1(row.label), row.caption, QRect(60, top, 400, 20));
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(row.edit));
    edit->setGeometry(60, top + 22, 540, 26);
    *row.field = edit;
    QPushButton* dots =
        AddButton(QString::fromLatin1(row.button), "...", QRect(608, top + 22, 40, 26));
    connect(dots, &QPushButton::clicked, this, row.browse);
    top += 68;
  }
  // The two shortcuts sit beside the edits they fill.
  QPushButton* btn5 = AddButton(QStringLiteral("btn5"), "ziel=mp3", QRect(470, 108, 130, 22));
  connect(btn5, &QPushButton::clicked, this, &DirectoriesPage::targetIsSource);
  QPushButton* tempDefault =
      AddButton(QStringLiteral("SpeedButton12"), "Temp=Default", QRect(470, 244, 130, 22));
  connect(tempDefault, &QPushButton::clicked, this, &DirectoriesPage::defaultTempFolder);
  Button4 = AddButton(QStringLiteral("Button4"), "OK", QRect(60, 340, 120, 34));
  SpeedButton2 = AddButton(QStringLiteral("SpeedButton2"), " oops...", QRect(200, 340, 120, 34));
}

void DirectoriesPage::FillEdits(const Settings& settings) {
  QuellEdit->setText(FromAnsi(settings.SourceDir));
  ZielEdit->setText(FromAnsi(settings.BinDir));
  RecodeEdit->setText(FromAnsi(settings.RecodeDir));
  TempEdit->setText(FromAnsi(settings.TempDir));
}

void DirectoriesPage::StoreEdits(Settings& settings) const {
  // Stored exactly as typed or chosen: no separator added, no check.
  settings.SourceDir = ToAnsi(QuellEdit->text());
  settings.BinDir = ToAnsi(ZielEdit->text());
  settings.RecodeDir = ToAnsi(RecodeEdit->text());
  settings.TempDir = ToAnsi(TempEdit->text());
}

void DirectoriesPage::Browse(QLineEdit* edit) {
  if (!chooser_) return;
  if (auto folder = chooser_(ToAnsi(edit->text()))) edit->setText(FromAnsi(*folder));
}

void DirectoriesPage::chooseSourceFolder() {
  Browse(QuellEdit);
}
void DirectoriesPage::chooseTargetFolder() {
  Browse(ZielEdit);
}
void DirectoriesPage::chooseRecodeFolder() {
  Browse(RecodeEdit);
}
void DirectoriesPage::chooseTempFolder() {
  Browse(TempEdit);
}

void DirectoriesPage::targetIsSource() {
  ZielEdit->setText(QuellEdit->text());
}

void DirectoriesPage::defaultTempFolder() {
  const auto temp = platform::TempPath();
  TempEdit->setText(temp ? FromAnsi(*temp) : QString());
}

}  // namespace tovix

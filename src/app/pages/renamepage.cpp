#include "app/pages/renamepage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/pages/qtext.h"
#include "app/pages/uifont.h"

namespace tovix {

RenamePage::RenamePage(QWidget* parent) : PagePanel(QStringLiteral("Seite3"), parent) {
  StaticText1 =
      AddLabel(QStringLiteral("StaticText1"),
               "Linke Seite: Original Name =  rechte Seite: neuer Name", QRect(40, 16, 628, 22));
  RenameMemo = AddMemo(QStringLiteral("RenameMemo"), QRect(40, 42, 628, 300), false);
  RenameMemo->setFont(UiFont(13, false, QStringLiteral("Courier New")));
  RenameMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RenameMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  CoolButton1 = AddButton(QStringLiteral("CoolButton1"), "OK", QRect(40, 362, 120, 34));
  CoolButton2 = AddButton(QStringLiteral("CoolButton2"), " oops...", QRect(180, 362, 120, 34));
  SpeedButton13 = AddButton(QStringLiteral("SpeedButton13"), "Optionen", QRect(548, 362, 120, 34));
}

RenameOptionsPage::RenameOptionsPage(QWidget* parent)
    : PagePanel(QStringLiteral("Seite31"), parent) {
  AddLabel(QStringLiteral("Label6"), "Optionen zur Umbenennung", QRect(60, 30, 500, 22));
  auto* box = new QGroupBox(ToQ(" mp3 aus Dateinamen umbenennen : "), this);
  box->setObjectName(QStringLiteral("GroupBox3"));
  box->setGeometry(60, 66, 588, 190);
  CreateTag = AddCheckBox(QStringLiteral("CreateTag"),
                          "ID-TAG aus Dateinamen erzeugen,falls kein TAG vorhanden",
                          QRect(16, 32, 560, 22), true, box);
  SaveTag = AddCheckBox(QStringLiteral("SaveTag"), "ID-TAG auch in mp3 speichern",
                        QRect(16, 70, 560, 22), true, box);
  Convert2Blank = AddCheckBox(QStringLiteral("Convert2Blank"), "'_'  und  '%20%' in Blank wandeln",
                              QRect(16, 108, 560, 22), true, box);
  NiceWords = AddCheckBox(QStringLiteral("NiceWords"), "Wortanfang Immer In Grossbuchstaben",
                          QRect(16, 146, 560, 22), true, box);
  ok31 = AddButton(QStringLiteral("ok31"), "OK", QRect(60, 362, 120, 34));
}

void RenameOptionsPage::ApplySettings(const Settings& settings) {
  NiceWords->setChecked(settings.NiceWords);
  CreateTag->setChecked(settings.MakeTag);
  SaveTag->setChecked(settings.SaveTag);
  Convert2Blank->setChecked(settings.X2Blank);
}

void RenameOptionsPage::StoreSettings(Settings& settings) const {
  settings.NiceWords = NiceWords->isChecked();
  settings.MakeTag = CreateTag->isChecked();
  settings.SaveTag = SaveTag->isChecked();
  settings.X2Blank = Convert2Blank->isChecked();
}

}  // namespace tovix

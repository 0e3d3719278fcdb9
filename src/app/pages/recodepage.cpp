#include "app/pages/recodepage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include "app/pages/qtext.h"
#include "app/pages/radiogroup.h"
#include "app/pages/uifont.h"
#include "lang/buildstrings.h"
#include "lang/sprachen.h"

namespace tovix {

RecodePage::RecodePage(QWidget* parent) : PagePanel(QStringLiteral("Seite2"), parent) {
  ProgressMemo = AddMemo(QStringLiteral("ProgressMemo"), QRect(40, 24, 628, 300), true);
  ProgressMemo->setFont(UiFont(13, false, QStringLiteral("Courier New")));
  Copygauge = new QProgressBar(this);
  Copygauge->setObjectName(QStringLiteral("Copygauge"));
  Copygauge->setRange(0, 100);
  Copygauge->setGeometry(40, 332, 628, 16);
  Copygauge->hide();
  SpeedButton7 = AddButton(QStringLiteral("SpeedButton7"), "Start!", QRect(40, 362, 120, 34));
  SpeedButton8 = AddButton(QStringLiteral("SpeedButton8"), " oops...", QRect(180, 362, 120, 34));
  SpeedButton9 = AddButton(QStringLiteral("SpeedButton9"), "Optionen", QRect(548, 362, 120, 34));
}

std::string RecodePage::Prepare(const Settings& settings) {
  ProgressMemo->clear();
  MemoAdd(ProgressMemo, " " + LanguageString(str::kRecodeSourceLabel) + "   " + settings.SourceDir);
  MemoAdd(ProgressMemo, " " + LanguageString(str::kRecodeTargetLabel) + "   " + settings.RecodeDir);
  return LanguageString(str::kRecodeStatus);
}

RecodeOptionsPage::RecodeOptionsPage(QWidget* parent)
    : PagePanel(QStringLiteral("Seite21"), parent) {
  auto* panel1 = AddLabel(QStringLiteral("Panel1"), "", QRect(0, 0, 709, 30));
  panel1->setAlignment(Qt::AlignCenter);
  panel1->setFrameShape(QFrame::Panel);
  // The panel's title bar already says what Label9 says.
  AddLabel(QStringLiteral("Label9"), "Optionen zur Umcodierung", QRect(60, 40, 400, 22))->hide();
  Recode = AddCheckBox(QStringLiteral("Recode"), BuildText(str::kRecodeSwitch),
                       QRect(60, 74, 400, 22), true);
  auto* box1 = new QGroupBox(FromAnsi("mp3 umcodieren, falls..."), this);
  box1->setObjectName(QStringLiteral("GroupBox1"));
  box1->setGeometry(60, 104, 280, 140);
  GroupBox1 = box1;
  CheckBox2 = AddCheckBox(QStringLiteral("CheckBox2"), BuildText(str::kBitrateUnder128),
                          QRect(16, 28, 250, 22), true, box1);
  CheckBox3 = AddCheckBox(QStringLiteral("CheckBox3"), "Mode <> Stereo", QRect(16, 62, 250, 22),
                          true, box1);
  CheckBox4 = AddCheckBox(QStringLiteral("CheckBox4"), "Encoder kritisch", QRect(16, 96, 250, 22),
                          true, box1);
  auto* box2 = new QGroupBox(FromAnsi("neue Werte"), this);
  box2->setObjectName(QStringLiteral("GroupBox2"));
  box2->setGeometry(370, 104, 280, 180);
  GroupBox2 = box2;
  RadioGroup1 = new RadioGroup(QStringLiteral("RadioGroup1"), FromAnsi("neue Bitrate"),
                               {QStringLiteral("128 kBit"), QStringLiteral("192 kBit")}, box2);
  RadioGroup1->setGeometry(16, 26, 248, 96);
  RadioGroup1->SetItemIndex(0);
  CheckBox7 = AddCheckBox(QStringLiteral("CheckBox7"), "temp. Wave-Datei", QRect(16, 136, 250, 22),
                          true, box2);
  SpeedButton4 = AddButton(QStringLiteral("SpeedButton4"), "OK", QRect(60, 362, 120, 34));
  connect(Recode, &QCheckBox::toggled, this, &RecodeOptionsPage::recodeToggled);
}

void RecodeOptionsPage::recodeToggled() {
  GroupBox1->setVisible(Recode->isChecked());
  GroupBox2->setVisible(Recode->isChecked());
}

void RecodeOptionsPage::ApplySettings(const Settings& settings) {
  Recode->setChecked(settings.Recode);
  CheckBox2->setChecked(settings.If127);
  CheckBox3->setChecked(settings.IfMono);
  CheckBox4->setChecked(settings.IfXing);
  RadioGroup1->SetItemIndex(settings.Bitrate);
  CheckBox7->setChecked(settings.TmpWav);
  recodeToggled();
}

void RecodeOptionsPage::StoreSettings(Settings& settings) const {
  settings.Recode = Recode->isChecked();
  settings.If127 = CheckBox2->isChecked();
  settings.IfMono = CheckBox3->isChecked();
  settings.IfXing = CheckBox4->isChecked();
  settings.Bitrate = RadioGroup1->ItemIndex();
  settings.TmpWav = CheckBox7->isChecked();
}

int RecodeOptionsPage::TargetBitrate() const {
  Settings chosen;
  StoreSettings(chosen);
  return chosen.TargetBitrate();
}

}  // namespace tovix

#include "app/pages/renamepage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>

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
  UndoButton = AddButton(QStringLiteral("UndoButton"),
                         "R\xFC"
                         "ckg\xE4ngig",
                         QRect(320, 362, 150, 34));
  // Not modal: the pass is over, nothing waits for the answer.
  ShowSummary = [this](const std::string& text) {
    auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Tovix"), FromAnsi(text),
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
  };
}

void RenamePage::ShowUndoList(const std::vector<std::string>& lines, const std::string& caption) {
  if (!undoShown_) caption_ = StaticText1->text();
  undoShown_ = true;
  StaticText1->setText(FromAnsi(caption));
  SetLines(lines);
}

void RenamePage::EndUndoList() {
  if (!undoShown_) return;
  undoShown_ = false;
  StaticText1->setText(caption_);
}

std::vector<std::string> RenamePage::Lines() const {
  std::vector<std::string> lines;
  for (QTextBlock block = RenameMemo->document()->firstBlock(); block.isValid();
       block = block.next())
    lines.push_back(ToAnsi(block.text()));
  // The empty block after a final line break is no line of the list.
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

void RenamePage::SetLines(const std::vector<std::string>& lines) {
  QString text;
  for (const std::string& line : lines) {
    if (!text.isEmpty()) text += QLatin1Char('\n');
    text += FromAnsi(line);
  }
  RenameMemo->setPlainText(text);
}

void RenamePage::PutCaretOnLine(int line) {
  const QTextBlock block = RenameMemo->document()->findBlockByNumber(line);
  if (!block.isValid()) return;
  QTextCursor cursor(block);
  cursor.movePosition(QTextCursor::EndOfBlock);
  RenameMemo->setTextCursor(cursor);
  RenameMemo->ensureCursorVisible();
  RenameMemo->setFocus();
}

void RenamePage::BeginBuild() {
  if (builds_++ == 0) CoolButton1->setEnabled(false);
}

void RenamePage::EndBuild() {
  if (builds_ > 0 && --builds_ == 0) CoolButton1->setEnabled(true);
}

RenameOptionsPage::RenameOptionsPage(QWidget* parent)
    : PagePanel(QStringLiteral("Seite31"), parent) {
  AddLabel(QStringLiteral("Label6"), "Optionen zur Umbenennung", QRect(60, 30, 500, 22));
  auto* box = new QGroupBox(FromAnsi(" mp3 aus Dateinamen umbenennen : "), this);
  box->setObjectName(QStringLiteral("GroupBox3"));
  box->setGeometry(60, 66, 588, 190);
  CreateTag = AddCheckBox(QStringLiteral("CreateTag"),
                          "ID-TAG aus Dateinamen erzeugen, falls kein TAG vorhanden",
                          QRect(16, 32, 560, 22), true, box);
  SaveTag = AddCheckBox(QStringLiteral("SaveTag"), "ID-TAG auch in mp3 speichern",
                        QRect(16, 70, 560, 22), true, box);
  Convert2Blank = AddCheckBox(QStringLiteral("Convert2Blank"), "'_'  und  '%20%' in Blank wandeln",
                              QRect(16, 108, 560, 22), true, box);
  NiceWords = AddCheckBox(QStringLiteral("NiceWords"), "Wortanfang Immer In Grossbuchstaben",
                          QRect(16, 146, 560, 22), true, box);
  // Beyond the name options: where the song's artist and title come from.
  ID3v2Tags = AddCheckBox(QStringLiteral("ID3v2Tags"),
                          "Interpret und Titel aus dem ID3v2-TAG, wenn der ID3v1-TAG sie nicht hat",
                          QRect(76, 280, 572, 22), true);
  ok31 = AddButton(QStringLiteral("ok31"), "OK", QRect(60, 362, 120, 34));
}

void RenameOptionsPage::ApplySettings(const Settings& settings) {
  NiceWords->setChecked(settings.NiceWords);
  CreateTag->setChecked(settings.MakeTag);
  SaveTag->setChecked(settings.SaveTag);
  Convert2Blank->setChecked(settings.X2Blank);
  ID3v2Tags->setChecked(settings.ID3v2);
}

void RenameOptionsPage::StoreSettings(Settings& settings) const {
  settings.NiceWords = NiceWords->isChecked();
  settings.MakeTag = CreateTag->isChecked();
  settings.SaveTag = SaveTag->isChecked();
  settings.X2Blank = Convert2Blank->isChecked();
  settings.ID3v2 = ID3v2Tags->isChecked();
}

RenameOptions RenameOptionsPage::Options() const {
  RenameOptions options;
  options.makeTag = CreateTag->isChecked();
  options.x2Blank = Convert2Blank->isChecked();
  options.saveTag = SaveTag->isChecked();
  options.niceWords = NiceWords->isChecked();
  options.id3v2 = ID3v2Tags->isChecked();
  return options;
}

}  // namespace tovix

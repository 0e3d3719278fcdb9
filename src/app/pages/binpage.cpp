#include "app/pages/binpage.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/pages/qtext.h"
#include "app/pages/savefilechooser.h"
#include "app/pages/sheetview.h"
#include "app/pages/uifont.h"
#include "lang/buildstrings.h"

namespace tovix {

BinPage::BinPage(QWidget* parent) : PagePanel(QStringLiteral("Seite4"), parent) {
  makebinmemo = AddMemo(QStringLiteral("makebinmemo"), QRect(50, 24, 601, 265), true);
  makebinmemo->setFont(UiFont(13, false, QStringLiteral("Courier New")));
  replaceBin = AddCheckBox(QStringLiteral("replaceBin"), "Vorhandene .bin ersetzen",
                           QRect(50, 288, 190, 22), false);
  TxtErstellen = AddCheckBox(QStringLiteral("TxtErstellen"), "Textdateien erstellen",
                             QRect(244, 288, 168, 22), false);
  Save2JPEG = AddCheckBox(QStringLiteral("Save2JPEG"), "Bild auch als .jpg speichern",
                          QRect(416, 288, 240, 22), false);
  SpeedButton14 = AddButton(QStringLiteral("SpeedButton14"), "Start", QRect(50, 370, 120, 34));
  SpeedButton15 = AddButton(QStringLiteral("SpeedButton15"), " oops...", QRect(180, 370, 120, 34));
  SheetButton = AddButton(QStringLiteral("SheetButton"), "TV-Ansicht", QRect(320, 370, 150, 34));
  ChooseSheetFile = [this](const std::string& title, const std::string& filter) {
    return ChooseSaveFile(view_ ? static_cast<QWidget*>(view_) : this, title, filter);
  };
  SheetNote = [this](const std::string& text) {
    QMessageBox::information(view_ ? static_cast<QWidget*>(view_) : this, QStringLiteral("Tovix"),
                             FromAnsi(text));
  };
  ErrorBox = [this](const std::string& text) {
    QMessageBox box(QMessageBox::Critical, FromAnsi(BuildText(str::kErrorCaption)), FromAnsi(text),
                    QMessageBox::NoButton, this);
    box.addButton(FromAnsi(BuildText(str::kCancelButton)), QMessageBox::RejectRole);
    box.exec();
  };
}

void BinPage::ShowSheet(std::vector<SheetTile> tiles, int overscan, const std::string& title,
                        PassReport* progress) {
  if (!view_) {
    view_ = new SheetView(this);
    connect(view_->SaveButton, &QPushButton::clicked, this, [this] {
      if (SaveSheet) SaveSheet();
    });
  }
  view_->ShowSheet(std::move(tiles), overscan, title, progress);
}

void BinPage::ApplySettings(const Settings& settings) {
  replaceBin->setChecked(settings.NewBins);
  TxtErstellen->setChecked(settings.MakeTxt);
  Save2JPEG->setChecked(settings.SaveJpg);
}

void BinPage::StoreSettings(Settings& settings) const {
  settings.NewBins = replaceBin->isChecked();
  settings.MakeTxt = TxtErstellen->isChecked();
  settings.SaveJpg = Save2JPEG->isChecked();
}

}  // namespace tovix

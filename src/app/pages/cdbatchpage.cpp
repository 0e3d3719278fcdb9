#include "app/pages/cdbatchpage.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "app/pages/qtext.h"

namespace tovix {

CdBatchPage::CdBatchPage(QWidget* parent) : PagePanel(QStringLiteral("Seite6"), parent) {
  MakeBatLabel = AddLabel(QStringLiteral("MakeBatLabel"), "", QRect(40, 24, 628, 250));
  MakeBatLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  MakeBatLabel->setWordWrap(true);
  // Not persisted: every run starts with subdirectories.
  UseSubDirsCheckBox =
      AddCheckBox(QStringLiteral("UseSubDirsCheckBox"), "", QRect(40, 300, 22, 22), true);
  Label15 = AddLabel(QStringLiteral("Label15"), "Batch erzeugt Unterverzeichnisse",
                     QRect(66, 300, 500, 22));
  SpeedButton17 = AddButton(QStringLiteral("SpeedButton17"), "Start", QRect(40, 362, 120, 34));
  SpeedButton18 = AddButton(QStringLiteral("SpeedButton18"), " oops...", QRect(180, 362, 120, 34));
}

void CdBatchPage::Prepare(const std::string& batchPairText) {
  SpeedButton17->show();
  SetMessage(batchPairText);
}

void CdBatchPage::SetMessage(const std::string& text) {
  SetCaption(MakeBatLabel, text);
}

}  // namespace tovix

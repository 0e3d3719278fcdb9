#include "app/pages/cdbatchpage.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

#include "app/pages/qtext.h"
#include "app/pages/savefilechooser.h"
#include "lang/buildstrings.h"

namespace tovix {

CdBatchPage::CdBatchPage(QWidget* parent) : PagePanel(QStringLiteral("Seite6"), parent) {
  MakeBatLabel = AddLabel(QStringLiteral("MakeBatLabel"), "", QRect(40, 24, 628, 250));
  MakeBatLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  MakeBatLabel->setWordWrap(true);
  // Rich text only for the line spacing: the texts are escaped, file names
  // are no markup.
  MakeBatLabel->setTextFormat(Qt::RichText);
  // Not persisted: every run starts with subdirectories.
  UseSubDirsCheckBox =
      AddCheckBox(QStringLiteral("UseSubDirsCheckBox"), "", QRect(40, 300, 22, 22), true);
  Label15 = AddLabel(QStringLiteral("Label15"), "Batch erzeugt Unterverzeichnisse",
                     QRect(66, 300, 500, 22));
  SpeedButton17 = AddButton(QStringLiteral("SpeedButton17"), "Start", QRect(40, 362, 120, 34));
  SpeedButton18 = AddButton(QStringLiteral("SpeedButton18"), " oops...", QRect(180, 362, 120, 34));
  ImageButton = AddButton(QStringLiteral("ImageButton"), "CD-Abbild", QRect(320, 362, 150, 34));
  ChooseImageFile = [this](const std::string& title, const std::string& filter) {
    return ChooseSaveFile(this, title, filter);
  };
  FindingsBox = [this](const std::string& text) {
    QMessageBox::warning(this, QStringLiteral("Tovix"), FromAnsi(text));
  };
}

void CdBatchPage::Prepare(const std::string& batchPairText) {
  SpeedButton17->show();
  SetMessage(batchPairText);
}

namespace {

// A name inside a caption: its "&" must not turn into an accelerator mark.
std::string Literal(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '&') out += '&';
    out += c;
  }
  return out;
}

}  // namespace

void CdBatchPage::ShowResult(const std::string& heading, const std::string& folder) {
  // The label holds about a dozen lines under the result.
  constexpr std::size_t kShown = 10;
  std::string text = heading + " " + Literal(folder);
  if (!summary_.empty()) text += "\r" + Literal(summary_);
  for (std::size_t i = 0; i < notes_.size() && i < kShown; ++i) text += "\r" + Literal(notes_[i]);
  if (notes_.size() > kShown)
    text += "\r" + BuildText(str::kMoreNotes, {std::to_string(notes_.size() - kShown)});
  SetMessage(text);
}

void CdBatchPage::SetMessage(const std::string& text) {
  // Tahoma's own line distance leaves no room for the dots of a capital
  // umlaut: they would touch the descenders of the line above.
  message_ = PlainCaption(text);
  const QFontMetrics metrics = MakeBatLabel->fontMetrics();
  const int ink =
      metrics.tightBoundingRect(QStringLiteral("\u00C4\u00D6\u00DC\u00C9gjpqy")).height();
  const int lineHeight = std::max(metrics.lineSpacing(), ink + kLineGap);
  MakeBatLabel->setText(
      QStringLiteral("<div style=\"line-height:%1px; white-space:pre-wrap\">").arg(lineHeight) +
      message_.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>")) + QStringLiteral("</div>"));
}

QString CdBatchPage::Message() const {
  return message_;
}

}  // namespace tovix

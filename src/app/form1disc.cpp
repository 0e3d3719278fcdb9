// The main window's hooks into the CD at the end of the job: the TV sheet
// of the BIN page and the CD image of page 6.
#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "app/form1.h"
#include "app/form2.h"
#include "app/pages/binpage.h"
#include "app/pages/cdbatchpage.h"
#include "app/pages/previewpage.h"
#include "app/pages/qtext.h"
#include "app/pages/sheetview.h"
#include "disc/disccheck.h"
#include "disc/isoimage.h"
#include "disc/sheetpages.h"
#include "lang/buildstrings.h"
#include "lang/sprachen.h"

namespace tovix {
namespace {

constexpr int kPageCdBatch = 9;
constexpr std::int64_t kMb = 1000 * 1000;
// The message box shows this many findings; the rest are counted.
constexpr std::size_t kShownFindings = 15;

std::string Progress(std::int64_t done, std::int64_t total) {
  return "[ " + std::to_string(done) + " / " + std::to_string(total) + " ]";
}

// LED shows a pass's count while it runs, then what it showed before.
struct LedBack {
  TForm1& form;
  std::string text;
  ~LedBack() { form.SetLed(text); }
};

class SheetProgress : public PassObserver {
 public:
  explicit SheetProgress(TForm1& form) : form_(form) {}
  void MemoLine(const std::string&) override {}
  void Progress(int done, int total) override {
    form_.SetLed(tovix::Progress(done, total));
    form_.LED->repaint();
  }

 private:
  TForm1& form_;
};

// Progress in MB; the run goes on while page 6 stays open, so " oops..."
// (or any other page) cancels it.
class ImageProgress : public ImageObserver {
 public:
  explicit ImageProgress(TForm1& form) : form_(form) {}
  void Progress(std::int64_t done, std::int64_t total) override {
    const std::int64_t mb = done / kMb;
    if (mb == shown_) return;
    shown_ = mb;
    form_.SetLed(tovix::Progress(mb, (total + kMb - 1) / kMb) + " MB");
    form_.LED->repaint();
  }
  bool GoOn() override {
    QApplication::processEvents();
    return form_.PageNumber == kPageCdBatch;
  }

 private:
  TForm1& form_;
  std::int64_t shown_ = -1;
};

}  // namespace

void TForm1::WireDisc() {
  connect(Seite4->SheetButton, &QPushButton::clicked, this, &TForm1::SheetButtonClick);
  // The sheet's window makes each page it shows; its progress shows in LED.
  sheetProgress_ = std::make_unique<SheetProgress>(*this);
  Seite4->SaveSheet = [this] { SheetSaveClick(); };
  connect(Seite6->ImageButton, &QPushButton::clicked, this, &TForm1::ImageButtonClick);
}

void TForm1::PushDiscStrings() {
  // Before the first load the table is empty: the buttons keep their own text.
  if (LanguageBase() == 9999) return;
  SetCaption(Seite4->SheetButton, LanguageString(str::kSheetButton));
  SetCaption(Seite6->ImageButton, LanguageString(str::kImageButton));
}

void TForm1::SheetButtonClick() {
  if (PassRefused()) return;
  Seite4->SheetButton->setEnabled(false);
  RunPass(4, [&] {
    LedBack back{*this, LedText()};
    std::vector<SheetTile> tiles = SheetSongs(settings_.SourceDir, settings_.BinDir);
    if (tiles.empty()) {
      if (ShowError) ShowError(LanguageString(str::kSheetNoPicture) + ": " + settings_.BinDir);
      return;
    }
    Seite4->ShowSheet(std::move(tiles), Seite5->Overscan(), LanguageString(str::kSheetTitle),
                      sheetProgress_.get());
  });
  Seite4->SheetButton->setEnabled(true);
}

void TForm1::SheetSaveClick() {
  SheetView* view = Seite4->View();
  if (!view) return;
  const std::string path = Seite4->ChooseSheetFile(BuildText(str::kSheetSave), "PNG|*.png");
  if (path.empty()) return;
  view->SaveButton->setEnabled(false);
  Guarded([&] {
    LedBack back{*this, LedText()};
    const SheetFiles files =
        WriteSheetPages(view->Tiles(), view->Overscan(), path, sheetProgress_.get());
    Seite4->SheetNote(
        BuildText(str::kSheetSaved, {std::to_string(files.paths.size()), files.paths.front()}));
  });
  view->SaveButton->setEnabled(true);
}

void TForm1::ImageButtonClick() {
  if (!Seite6->ImageButton->isEnabled()) return;
  if (PassRefused()) return;
  if (settings_.SourceDir.empty()) {
    if (ShowError) ShowError(BuildText(str::kNoSourceDir));
    return;
  }
  const std::string path = Seite6->ChooseImageFile(LanguageString(str::kImageSaveTitle),
                                                   LanguageString(str::kImageFilter));
  if (path.empty()) return;
  Seite6->ImageButton->setEnabled(false);
  Seite6->SpeedButton17->setEnabled(false);
  RunPass(9, [&] {
    LedBack back{*this, LedText()};
    const DiscTree tree = ShortLayoutTree(settings_.SourceDir, settings_.BinDir);
    DiscLimits limits;
    limits.maxFolders = settings_.DiscFolders;
    limits.maxFiles = settings_.DiscFiles;
    const std::vector<DiscFinding> findings = CheckDisc(tree, limits);
    Seite6->ClearNotes();
    if (HasErrors(findings)) {
      std::string text = LanguageString(str::kDiscWouldFail);
      for (std::size_t i = 0; i < findings.size() && i < kShownFindings; ++i)
        text += "\r" + FindingText(findings[i]);
      if (findings.size() > kShownFindings)
        text += "\r... (" + std::to_string(findings.size() - kShownFindings) + ")";
      Seite6->FindingsBox(text);
      return;
    }
    ImageProgress progress(*this);
    try {
      WriteIsoImage(tree, path, true, &progress);
    } catch (const ImageCancelled&) {
      back.text = LanguageString(str::kLogCancelled);  // "Abgebrochen!"
      return;
    }
    for (const DiscFinding& finding : findings) Seite6->AddNote(FindingText(finding));
    Seite6->ShowResult(LanguageString(str::kImageWritten), path);
  });
  Seite6->ImageButton->setEnabled(true);
  Seite6->SpeedButton17->setEnabled(true);
}

}  // namespace tovix

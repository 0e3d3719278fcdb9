// The main window's hooks into the CD at the end of the job: the TV sheet
// of the BIN page and the CD image of page 6.
#include <QPushButton>

#include "app/mainwindow.h"
#include "app/pagereport.h"
#include "app/pages/binpage.h"
#include "app/pages/cdbatchpage.h"
#include "app/pages/previewpage.h"
#include "app/pages/qtext.h"
#include "app/pages/sheetview.h"
#include "app/toolbar.h"
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

}  // namespace

void MainWindow::WireDisc() {
  connect(binPage->SheetButton, &QPushButton::clicked, this, &MainWindow::showTvSheet);
  // The sheet's window makes each page it shows; its progress shows in LED.
  auto sheetProgress = std::make_unique<PageReport>(*this);
  sheetProgress->CountInLed();
  sheetProgress_ = std::move(sheetProgress);
  binPage->SaveSheet = [this] { saveTvSheet(); };
  connect(cdBatchPage->ImageButton, &QPushButton::clicked, this, &MainWindow::writeCdImage);
}

void MainWindow::PushDiscStrings() {
  // Before the first load the table is empty: the buttons keep their own text.
  if (LanguageBase() == 9999) return;
  SetCaption(binPage->SheetButton, LanguageString(str::kSheetButton));
  SetCaption(cdBatchPage->ImageButton, LanguageString(str::kImageButton));
}

void MainWindow::showTvSheet() {
  if (PassRefused()) return;
  binPage->SheetButton->setEnabled(false);
  RunPass(4, [&] {
    LedBack back(*this);
    std::vector<SheetTile> tiles = SheetSongs(settings_.SourceDir, settings_.BinDir);
    if (tiles.empty()) {
      if (ShowError) ShowError(LanguageString(str::kSheetNoPicture) + ": " + settings_.BinDir);
      return;
    }
    binPage->ShowSheet(std::move(tiles), previewPage->Overscan(), LanguageString(str::kSheetTitle),
                       sheetProgress_.get());
  });
  binPage->SheetButton->setEnabled(true);
}

void MainWindow::saveTvSheet() {
  SheetView* view = binPage->View();
  if (!view) return;
  const std::string path = binPage->ChooseSheetFile(BuildText(str::kSheetSave), "PNG|*.png");
  if (path.empty()) return;
  view->SaveButton->setEnabled(false);
  Guarded([&] {
    LedBack back(*this);
    const SheetFiles files =
        WriteSheetPages(view->Tiles(), view->Overscan(), path, sheetProgress_.get());
    binPage->SheetNote(
        BuildText(str::kSheetSaved, {std::to_string(files.paths.size()), files.paths.front()}));
  });
  view->SaveButton->setEnabled(true);
}

void MainWindow::writeCdImage() {
  if (!cdBatchPage->ImageButton->isEnabled()) return;
  if (PassRefused()) return;
  if (settings_.SourceDir.empty()) {
    if (ShowError) ShowError(BuildText(str::kNoSourceDir));
    return;
  }
  const std::string path = cdBatchPage->ChooseImageFile(LanguageString(str::kImageSaveTitle),
                                                        LanguageString(str::kImageFilter));
  if (path.empty()) return;
  cdBatchPage->ImageButton->setEnabled(false);
  cdBatchPage->SpeedButton17->setEnabled(false);
  RunPass(9, [&] {
    LedBack back(*this);
    const DiscTree tree = ShortLayoutTree(settings_.SourceDir, settings_.BinDir);
    DiscLimits limits;
    limits.maxFolders = settings_.DiscFolders;
    limits.maxFiles = settings_.DiscFiles;
    const std::vector<DiscFinding> findings = CheckDisc(tree, limits);
    cdBatchPage->ClearNotes();
    if (HasErrors(findings)) {
      std::string text = LanguageString(str::kDiscWouldFail);
      for (std::size_t i = 0; i < findings.size() && i < kShownFindings; ++i)
        text += "\r" + FindingText(findings[i]);
      if (findings.size() > kShownFindings)
        text += "\r... (" + std::to_string(findings.size() - kShownFindings) + ")";
      cdBatchPage->FindingsBox(text);
      return;
    }
    // Progress in MB; the run goes on while page 6 stays open, so " oops..."
    // (or any other page) cancels it.
    PageReport progress(*this);
    progress.CountInLed(kMb, " MB").LetEventsRun().WhileOnPage(kPageCdBatch);
    try {
      WriteIsoImage(tree, path, true, &progress);
    } catch (const ImageCancelled&) {
      back.text = LanguageString(str::kLogCancelled);  // "Abgebrochen!"
      return;
    }
    for (const DiscFinding& finding : findings) cdBatchPage->AddNote(FindingText(finding));
    cdBatchPage->ShowResult(LanguageString(str::kImageWritten), path);
  });
  cdBatchPage->ImageButton->setEnabled(true);
  cdBatchPage->SpeedButton17->setEnabled(true);
}

}  // namespace tovix

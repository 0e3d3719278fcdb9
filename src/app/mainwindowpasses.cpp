// The main window's hooks into the passes of the core: the rename review
// list and its apply step, the CD batch pair, and the song texts of the
// preview.
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <stdexcept>

#include "app/clicklabel.h"
#include "app/mainwindow.h"
#include "app/pagereport.h"
#include "app/pages/cdbatchpage.h"
#include "app/pages/renamepage.h"
#include "app/toolbar.h"
#include "lang/buildstrings.h"
#include "picture/songtexts.h"
#include "platform/filesys.h"
#include "rename/cdbatches.h"
#include "rename/renamelist.h"

namespace tovix {

namespace {

std::string NoSourceDir() {
  return BuildText(str::kNoSourceDir);
}

// The window's undo list: beside its settings, as it belongs to no plan file.
std::string RenameUndoPath(const std::string& settingsPath) {
  const std::size_t sep = settingsPath.rfind(platform::kPathSep);
  return (sep == std::string::npos ? "" : settingsPath.substr(0, sep + 1)) + "rename.undo";
}

}  // namespace

void MainWindow::WirePasses() {
  WireRecode();
  renamePage->BuildRenameList = [this] {
    renamePage->RenameMemo->clear();
    if (settings_.SourceDir.empty()) {
      if (ShowError) ShowError(NoSourceDir());
      return;
    }
    const std::string folder = settings_.SourceDir;
    renamePage->BeginBuild();
    struct BuildEnd {
      RenamePage* page;
      ~BuildEnd() { page->EndBuild(); }
    } end{renamePage};
    // The window runs while the list is built; during renames it does not,
    // or a click could start a second pass over the same files.
    PageReport report(*this);
    report.LinesAsMessages().CountInLed().LetEventsRun();
    renamePage->EndUndoList();
    renamePage->SetLines(tovix::BuildRenameList(folder, renameOptionsPage->Options(), &report));
  };

  connect(renamePage->UndoButton, &QPushButton::clicked, this, [this] {
    if (renamePage->Building()) return;
    const std::string undo = RenameUndoPath(SettingsPath());
    if (!platform::Exists(undo)) {
      if (ShowError) ShowError(BuildText(str::kNoUndo));
      return;
    }
    Guarded(
        [&] { renamePage->ShowUndoList(ReadRenameListFile(undo), BuildText(str::kUndoCaption)); });
  });

  renamePage->ApplyRenameList = [this] {
    if (renamePage->Building()) return;
    if (settings_.SourceDir.empty()) {
      if (ShowError) ShowError(NoSourceDir());
      return;
    }
    // A pass that stops early (a file missing, a tag that cannot be
    // written) must not leave its count in LED: the page title comes back.
    struct LedTitle {
      MainWindow& form;
      bool done = false;
      ~LedTitle() {
        if (!done && form.PageNumber == 3) form.SetLed(form.HintOf(form.Label3));
      }
    } ledTitle{*this};
    PageReport report(*this);
    report.LinesAsMessages().CountInLed();
    RenameOptions options = renameOptionsPage->Options();
    options.companionDir = settings_.BinDir;
    // Every apply leaves its reverse for the undo button; after an undo,
    // the names it took back.
    options.undoFile = RenameUndoPath(SettingsPath());
    if (renamePage->HoldsUndoList()) options = UndoOptions(options);
    const ApplyResult result = tovix::ApplyRenameList(settings_.SourceDir, renamePage->Lines(),
                                                      options, &report, [this] { stopSong(); });
    ledTitle.done = result.outcome == ApplyResult::Outcome::Done;
    if (result.outcome == ApplyResult::Outcome::Done ||
        result.outcome == ApplyResult::Outcome::RenameFailed ||
        result.outcome == ApplyResult::Outcome::Stopped) {
      renamePage->EndUndoList();
      if (renamePage->ShowSummary) renamePage->ShowSummary(ApplySummary(result));
    }
    // A missing old name keeps the page open for the user to fix the line;
    // so does a folder that takes no renames, where nothing changed.
    if (result.outcome != ApplyResult::Outcome::MissingFile &&
        result.outcome != ApplyResult::Outcome::FolderReadOnly)
      closePage();
  };

  cdBatchPage->CreateCdBatches = [this] {
    cdBatchPage->ClearNotes();
    if (settings_.SourceDir.empty()) throw std::runtime_error(NoSourceDir());
    // LED shows the count only while the pair is written.
    LedBack back(*this);
    PageReport report(*this);
    report.LinesTo([this](const std::string& text) { cdBatchPage->AddNote(text); }).CountInLed();
    CdBatchResult result;
    tovix::CreateCdBatches(settings_.SourceDir, settings_.BinDir,
                           cdBatchPage->UseSubDirsCheckBox->isChecked(), &report, &result);
    cdBatchPage->SetSummary(CdBatchSummary(result));
  };

  ComposeSongTexts = [this](const std::string& mp3) {
    // A song that has gone since shows the sample texts, not blanks.
    if (platform::Exists(mp3) && !platform::IsDirectory(mp3))
      tovix::ComposeSongTexts(mp3, mp3Info_, songTexts_, renameOptionsPage->ID3v2Tags->isChecked());
    else
      songTexts_ = SongTexts{};
    previewPage->SetSongTexts(songTexts_);
  };
}

void MainWindow::SelectPreviewPage() {
  PageNumber = 8;
}

}  // namespace tovix

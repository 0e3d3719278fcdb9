#include "app/pages/binpagerun.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

#include "app/pages/binpage.h"
#include "app/pages/pagepanel.h"
#include "app/pages/previewpage.h"
#include "app/pages/previewsongpicture.h"
#include "lang/sprachen.h"
#include "picture/binrun.h"
#include "picture/songpicturemaker.h"
#include "platform/filesys.h"

namespace tovix {
namespace {

// The preview's host for the run: the window's own, plus the page switch
// the run needs.
class RunPreviewHost : public PreviewHost {
 public:
  RunPreviewHost(PreviewHost& inner, const BinRunWindow& window) : inner_(inner), w_(window) {}
  PreviewHost& Inner() const { return inner_; }
  void OpenPreviewByUser() override { inner_.OpenPreviewByUser(); }
  void ShowCurrentPage() override { inner_.ShowCurrentPage(); }
  void SelectPreviewPage() override {
    if (w_.selectPreviewPage) w_.selectPreviewPage();
  }
  bool PassRunning() const override { return true; }

 private:
  PreviewHost& inner_;
  const BinRunWindow& w_;
};

// Lines, the count and the stop question go through the window's report;
// the rest is the BIN page's own.
class WindowHost : public BinRunHost {
 public:
  explicit WindowHost(const BinRunWindow& window) : w_(window) {}
  void Line(const std::string& text, int listLine) override { w_.report->Line(text, listLine); }
  void Progress(std::int64_t done, std::int64_t total) override {
    w_.report->Progress(done, total);
  }
  bool KeepGoing() override { return w_.report->KeepGoing(); }
  void ErrorBox(const std::string& text) override { w_.page->ErrorBox(text); }
  void Status(const std::string& text) override {
    if (w_.setLed) w_.setLed(text);
    if (w_.mainWindow) w_.mainWindow->repaint();
  }
  void ProcessMessages() override { QCoreApplication::processEvents(); }
  void HideLayoutControls(bool hide) override {
    w_.preview->SetLayoutControlsVisible(!hide);
    if (w_.toolbar) w_.toolbar->setVisible(!hide);
  }
  void PrepareWindow() override {
    if (!w_.mainWindow) return;
    if (w_.mainWindow->isMinimized()) w_.mainWindow->showNormal();
    w_.mainWindow->raise();
  }
  void ShowBinPage() override {
    if (w_.showBinPage) w_.showBinPage();
  }

 private:
  const BinRunWindow& w_;
};

}  // namespace

void WriteBinSummary(BinPage& page, const Settings& settings, const PreviewPage& preview) {
  BinSummary summary;
  summary.sourceDir = settings.SourceDir;
  summary.targetDir = settings.BinDir;
  summary.backgroundFile = preview.BitmapFile();
  summary.modeName = PlacementName(preview.ScaleMode());
  summary.overscan = preview.Overscan();
  summary.font1Name = preview.Font1().name;
  summary.font1Size = preview.Font1().size;
  summary.font1Color = preview.Font1().color;
  summary.font2Name = preview.Font2().name;
  summary.font2Size = preview.Font2().size;
  summary.font2Color = preview.Font2().color;
  for (const std::string& line : BinSummaryLines(CountSummaryFiles(summary)))
    MemoAdd(page.makebinmemo, line);
}

int RunBinPage(const BinRunWindow& window, const Settings& settings) {
  BinPage& page = *window.page;
  // Messages run during the wait; a second Start must not nest a run.
  if (!page.SpeedButton14->isEnabled()) return 0;
  page.SpeedButton14->setEnabled(false);
  struct Enable {
    QPushButton* button;
    ~Enable() { button->setEnabled(true); }
  } enable{page.SpeedButton14};

  PutProgramDirOnPath();
  BinRunOptions options;
  options.sourceDir = settings.SourceDir;
  options.targetDir = settings.BinDir;
  options.replaceBin = page.replaceBin->isChecked();
  options.makeTxt = page.TxtErstellen->isChecked();
  options.save2Jpeg = page.Save2JPEG->isChecked();
  options.useId3v2 = settings.ID3v2;

  PreviewPage& preview = *window.preview;
  RunPreviewHost previewHost(preview.Host(), window);
  preview.SetHost(&previewHost);
  struct RestoreHost {
    PreviewPage& preview;
    PreviewHost& host;
    ~RestoreHost() { preview.SetHost(&host); }
  } restoreHost{preview, previewHost.Inner()};

  SongPictureMaker pictures(preview.Layout(), preview.Picture(), ShowOnPreviewPage(preview));
  WindowHost host(window);
  BinRun run(pictures, host);
  run.SetLogoLevel(page.LogoLevel);
  struct KeepLevel {
    BinPage& page;
    BinRun& run;
    ~KeepLevel() { page.LogoLevel = run.LogoLevel(); }
  } keep{page, run};
  return run.Run(options);
}

void PutProgramDirOnPath() {
  const QByteArray dir = QByteArray::fromStdString(platform::ToNative(platform::ProgramDir()));
  QByteArray folder = dir.endsWith('/') && dir.size() > 1 ? dir.left(dir.size() - 1) : dir;
  const QByteArray path = qgetenv("PATH");
  for (const QByteArray& entry : path.split(':'))
    if (entry == folder || entry == dir) return;
  qputenv("PATH", path.isEmpty() ? folder : folder + ':' + path);
}

}  // namespace tovix

// The main window's hook into the recode pass: page 2's memo, gauge and
// buttons, the toolbar window, and the page number as the pass's cancel.
#include <QApplication>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include "app/mainwindow.h"
#include "app/pagereport.h"
#include "app/pages/pagepanel.h"
#include "app/pages/radiogroup.h"
#include "app/pages/recodepage.h"
#include "app/toolbar.h"
#include "picture/songtexts.h"
#include "recode/playerdecoder.h"
#include "recode/recodepass.h"

namespace tovix {
namespace {

// The memo lines and the page number go through the page's report; the
// rest is the recode page's own.
class RecodePageHost : public RecodeHost {
 public:
  RecodePageHost(MainWindow& form, Toolbar* toolbar, Mp3Info& info, SongTexts& texts)
      : form_(form), toolbar_(toolbar), info_(info), texts_(texts), report_(form) {
    report_.LinesTo(
        [&form](const std::string& text) { MemoAdd(form.recodePage->ProgressMemo, text); });
    report_.WhileOnPage(2);
  }

  void Line(const std::string& text, int listLine) override { report_.Line(text, listLine); }
  bool KeepGoing() override { return report_.KeepGoing(); }
  void Stop() override { form_.PageNumber = 0; }
  void ClearMemo() override { form_.recodePage->ProgressMemo->clear(); }
  void ProcessMessages() override { QApplication::processEvents(); }
  void ShowGauge(bool shown) override { form_.recodePage->Copygauge->setVisible(shown); }
  void SetGauge(int percent) override { form_.recodePage->Copygauge->setValue(percent); }
  void HideButtons(bool hide) override {
    form_.recodePage->SpeedButton7->setVisible(!hide);
    form_.recodePage->SpeedButton9->setVisible(!hide);
    if (toolbar_) toolbar_->setVisible(!hide);
  }
  // The window's one record, and its song texts composed on the way.
  void ComposeSongTexts(const std::string& path, Mp3Info& info) override {
    tovix::ComposeSongTexts(path, info_, texts_);
    form_.previewPage->SetSongTexts(texts_);
    info = info_;
  }

 private:
  MainWindow& form_;
  Toolbar* toolbar_;
  Mp3Info& info_;
  SongTexts& texts_;
  PageReport report_;
};

}  // namespace

void MainWindow::WireRecode() {
  recodePage->RecodePass = [this] {
    RecodeOptions options;
    options.sourceDir = settings_.SourceDir;
    options.recodeDir = settings_.RecodeDir;
    options.tempDir = settings_.TempDir;
    options.rule.recode = recodeOptionsPage->Recode->isChecked();
    options.rule.if127 = recodeOptionsPage->CheckBox2->isChecked();
    options.rule.ifMono = recodeOptionsPage->CheckBox3->isChecked();
    options.rule.ifXing = recodeOptionsPage->CheckBox4->isChecked();
    options.rule.targetBitrate = recodeOptionsPage->TargetBitrate();
    options.tmpWav = recodeOptionsPage->CheckBox7->isChecked();

    RecodePageHost host(*this, toolbar_, mp3Info_, songTexts_);
    // The window's one player decodes; it says itself when it has no library.
    PlayerDecoder decoder(MPEGPlayer());
    RecodeEnv env;
    env.player = RecodeDecoder ? RecodeDecoder() : &decoder;
    RecodePass pass(host, env);
    pass.Run(options);
  };
}

}  // namespace tovix

#pragma once
// Page 6 (cdBatchPage, page number 9): the CD batch pair Short.bat / Long.bat.
#include <functional>
#include <string>
#include <vector>

#include "app/pages/pagepanel.h"

namespace tovix {

class CdBatchPage : public PagePanel {
  Q_OBJECT

 public:
  explicit CdBatchPage(QWidget* parent);

  // showCdBatchPage: Start shown again, the explanation in MakeBatLabel.
  void Prepare(const std::string& batchPairText);
  // Shows a Windows-1252 text in MakeBatLabel, with kLineGap pixels at least
  // between the ink of one line and the next.
  void SetMessage(const std::string& text);
  // The text as shown, without the markup that spaces its lines.
  QString Message() const;
  static constexpr int kLineGap = 2;

  // Writes the batch pair on Start. Wired in by the CD batch module;
  // without it Start does nothing.
  std::function<void()> CreateCdBatches;

  // What the pass had to tell (files left out, names it could not fix),
  // shown under the result; a long list is cut with a count of the rest.
  void ClearNotes() {
    notes_.clear();
    summary_.clear();
  }
  // The pass's summary line, shown first under the result.
  void SetSummary(const std::string& summary) { summary_ = summary; }
  void AddNote(const std::string& note) { notes_.push_back(note); }
  const std::vector<std::string>& Notes() const { return notes_; }
  // After a run: heading (a caption of the language file), a blank, the
  // folder, then the notes, one a line. Folder and notes are shown as they
  // are, "&" included.
  void ShowResult(const std::string& heading, const std::string& folder);

  QLabel* MakeBatLabel = nullptr;
  QLabel* Label15 = nullptr;
  QCheckBox* UseSubDirsCheckBox = nullptr;
  QPushButton* SpeedButton17 = nullptr;  // "Start"
  QPushButton* SpeedButton18 = nullptr;  // " oops..."
  QPushButton* ImageButton = nullptr;    // the CD image

  // The image's file chooser (title, filter in "Name|*.ext" form); "" when
  // cancelled. The message box for the check's findings. Tests replace both.
  std::function<std::string(const std::string&, const std::string&)> ChooseImageFile;
  std::function<void(const std::string&)> FindingsBox;

 private:
  std::vector<std::string> notes_;
  std::string summary_;
  QString message_;
};

}  // namespace tovix

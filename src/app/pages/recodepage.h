#pragma once
// Page 2 (recodePage): the recode pass with its progress memo; page 21
// (recodeOptionsPage): the recode options.
#include <functional>

#include "app/pages/pagepanel.h"
#include "settings/settings.h"

class QProgressBar;

namespace tovix {

class RadioGroup;

class RecodePage : public PagePanel {
  Q_OBJECT

 public:
  explicit RecodePage(QWidget* parent);

  // The page preparation after it is shown: the status text for LED (string
  // 28) is returned, the memo shows the two folders.
  std::string Prepare(const Settings& settings);

  // Runs the recode pass when Start! is clicked. The pass is wired in here
  // by the recode module; without it Start! does nothing.
  std::function<void()> RecodePass;

  QPlainTextEdit* ProgressMemo = nullptr;
  QProgressBar* Copygauge = nullptr;
  QPushButton* SpeedButton7 = nullptr;  // "Start!"
  QPushButton* SpeedButton8 = nullptr;  // " oops..."
  QPushButton* SpeedButton9 = nullptr;  // "Optionen"
};

class RecodeOptionsPage : public PagePanel {
  Q_OBJECT

 public:
  explicit RecodeOptionsPage(QWidget* parent);

  void ApplySettings(const Settings& settings);
  void StoreSettings(Settings& settings) const;

  // The two groups are visible exactly while Recode is checked.
  void recodeToggled();
  // 128 or 192 kbit/s by the radio group's item, clamped as the settings
  // record clamps it (no item: 128).
  int TargetBitrate() const;

  QCheckBox* Recode = nullptr;
  QCheckBox* CheckBox2 = nullptr;  // "Bitrate < 128"
  QCheckBox* CheckBox3 = nullptr;  // "Mode <> Stereo"
  QCheckBox* CheckBox4 = nullptr;  // "Encoder kritisch"
  QCheckBox* CheckBox7 = nullptr;  // "temp. Wave-Datei"
  RadioGroup* RadioGroup1 = nullptr;
  QWidget* GroupBox1 = nullptr;
  QWidget* GroupBox2 = nullptr;
  QPushButton* SpeedButton4 = nullptr;  // OK
};

}  // namespace tovix

#pragma once
// A main window and toolbar over a temporary program folder and a small
// generated language file, with message boxes and fatal stops recorded.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/mainwindow.h"
#include "app/toolbar.h"
#include "support/tempdir.h"

namespace tovix::test {

// A language file: language 0 with "Text <n>" for 1..98 unless overridden,
// optionally without some numbers.
std::string LanguageFile(const std::map<int, std::string>& overrides = {},
                         const std::vector<int>& missing = {});

class Windows {
 public:
  // iniBody: the "[Tovix]" section's lines, or nullptr for no tovix.ini.
  explicit Windows(const char* iniBody = nullptr, bool show = true);
  ~Windows();

  std::string iniPath() const { return dir.file("tovix.ini"); }
  // Opens the windows as the program does at start.
  void Show();

  TempDir dir;
  std::unique_ptr<MainWindow> mainWindow;
  std::unique_ptr<Toolbar> toolbar;
  std::vector<std::string> errors;
  std::vector<std::string> fatals;
};

}  // namespace tovix::test

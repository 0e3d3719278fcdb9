#include "testwindows.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>
#include <unistd.h>

#include "lang/buildstrings.h"
#include "platform/filesys.h"

namespace tovix::test {

std::string LanguageFile(const std::map<int, std::string>& overrides,
                         const std::vector<int>& missing) {
  std::string text = "[Languages]\r\ncount=1\r\nLang.1=Deutsch\r\nIdx.1=0\r\n[Strings]\r\n";
  const auto isBuildString = [](int n) {
    const auto& all = BuildStrings();
    return std::any_of(all.begin(), all.end(), [n](const BuildString& s) { return s.number == n; });
  };
  for (int n = 1; n <= 200; ++n) {
    if (std::find(missing.begin(), missing.end(), n) != missing.end()) continue;
    // The build's own strings keep their German texts unless a test names
    // them, as with a language file that predates them.
    if (isBuildString(n) && !overrides.count(n)) continue;
    char key[16];
    std::snprintf(key, sizeof key, "%4.4d", n);
    auto it = overrides.find(n);
    text += std::string(key) + "=" +
            (it != overrides.end() ? it->second : "Text " + std::to_string(n)) + "\r\n";
  }
  return text;
}

Windows::Windows(const char* iniBody, bool show) {
  platform::SetProgramDir(dir.path() + "/");
  if (iniBody) WriteFile(iniPath(), std::string("[Tovix]\r\n") + iniBody);
  WriteFile(dir.file("tovix.lng"), LanguageFile());
  // The decoder library stands beside the program, as in the program folder
  // (TOVIX_TEST_MPEGDLL names another one, or none when empty).
  const char* other = std::getenv("TOVIX_TEST_MPEGDLL");
  const char* programDir = std::getenv("TOVIX_TEST_PROGRAM_DIR");
  const std::string library = other        ? other
                              : programDir ? std::string(programDir) + "/libmpegdll.so"
                                           : "";
  if (!library.empty() && symlink(library.c_str(), dir.file("libmpegdll.so").c_str()) != 0)
    ADD_FAILURE() << "cannot link " << library;
  mainWindow = std::make_unique<MainWindow>();
  mainWindow->ShowError = [this](const std::string& text) { errors.push_back(text); };
  mainWindow->Fatal = [this](const std::string& text) { fatals.push_back(text); };
  mainWindow->OpenUrl = [](const QUrl&) {};
  mainWindow->SetLanguageFile(dir.file("tovix.lng"));
  toolbar = std::make_unique<Toolbar>(mainWindow.get());
  mainWindow->SetToolbar(toolbar.get());
  if (show) Show();
}

void Windows::Show() {
  mainWindow->show();
  toolbar->PlaceBesideMain();
  toolbar->show();
  QApplication::processEvents();
}

Windows::~Windows() {
  // Close before the folder goes, so the settings land in it, not elsewhere.
  if (mainWindow) mainWindow->FormDestroy();
  toolbar.reset();
  mainWindow.reset();
  platform::SetProgramDir("");
}

}  // namespace tovix::test

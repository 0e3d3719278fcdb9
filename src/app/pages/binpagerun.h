#pragma once
// The BIN page's handlers over the BIN run: the summary when the page
// opens, and the run behind Start with the preview page as the stage every
// picture is taken from.
#include <functional>
#include <string>

#include "platform/passreport.h"
#include "settings/settings.h"

class QWidget;

namespace tovix {

class BinPage;
class PreviewPage;

// What the run needs of the main window.
struct BinRunWindow {
  BinPage* page = nullptr;
  PreviewPage* preview = nullptr;
  QWidget* mainWindow = nullptr;
  QWidget* toolbar = nullptr;  // may be null
  std::function<void(const std::string&)> setLed;
  // The run's lines into makebinmemo, "[ k / N ]" in LED, and whether it
  // may go on.
  PassReport* report = nullptr;
  // PageNumber 8: the preview lies over the BIN page while pictures are taken.
  std::function<void()> selectPreviewPage;
  // PageNumber 4, HideAllPages, ShowCurrentPage.
  std::function<void()> showBinPage;
};

// showBinPage's summary lines into makebinmemo.
void WriteBinSummary(BinPage& page, const Settings& settings, const PreviewPage& preview);

// The window's BIN run: the run with the folders of settings and the page's
// options; returns the count reported. Start is disabled while it runs.
int RunBinPage(const BinRunWindow& window, const Settings& settings);

// Puts the program folder first on PATH (once), so tmpbat.bat finds mklogo
// and c2bin beside the program whatever the working folder.
void PutProgramDirOnPath();

}  // namespace tovix

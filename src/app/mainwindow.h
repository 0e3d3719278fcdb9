#pragma once
// MainWindow: the main window. It owns the settings between start and exit,
// the numbered pages and the status labels, and every page handler.
#include <QPointer>
#include <QUrl>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/pages/previewpage.h"
#include "lang/sprachen.h"
#include "platform/inifile.h"
#include "platform/passreport.h"
#include "settings/settings.h"

class QLabel;
class QPushButton;
class QTimer;

namespace tovix {

namespace chrome {
class TBrowseFolder;
class TCoolForm;
}  // namespace chrome

class ClickLabel;
class Toolbar;
class LanguageDialog;
class DirectoriesPage;
class RecodePage;
class RecodeOptionsPage;
class RenamePage;
class RenameOptionsPage;
class BinPage;
class CdBatchPage;
class DecodePlayer;
class TMPEGPlayer;

// The version line shown while no page is open.
std::string VersionText();

// The homepage the homepage button opens.
inline constexpr const char* kHomepage = "http://www.tovix.de/index.htm";

class MainWindow : public QWidget, public PreviewHost {
  Q_OBJECT

 public:
  // FormCreate: sized to its skin, pages placed, settings read from
  // tovix.ini in the program's own folder (platform::OwnFolder).
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // --- Page state ---------------------------------------------------------
  std::uint8_t PageNumber = 0;
  void ResetPageView();
  void HideAllPages();
  void ShowCurrentPage() override;
  void ToggleInfoText();

  // --- Settings -----------------------------------------------------------
  const Settings& CurrentSettings() const { return settings_; }
  Settings& MutableSettings() { return settings_; }
  const std::string& SettingsPath() const { return ini_->path(); }
  // FormDestroy: writes every key; reports a failure in a message box. Runs
  // once, when the window closes (or at destruction at the latest).
  void FormDestroy();
  // Gathers what the controls hold into the settings record.
  Settings CollectSettings() const;

  // --- Language -----------------------------------------------------------
  // Loads the language and pushes its strings into both windows; a broken
  // or missing language file ends the program (message, exit code 1).
  void ApplyLanguage(std::uint16_t language);
  // The toolbar's page buttons take the hints of the page labels.
  void CopyHintsTo(Toolbar& toolbar);
  void SetToolbar(Toolbar* toolbar) { toolbar_ = toolbar; }
  Toolbar* ToolbarWindow() const { return toolbar_; }
  void SetLanguageFile(const std::string& file) { languageFile_ = file; }
  // The language dialog made at start-up (between this window and the
  // toolbar); switchLanguage shows it.
  void SetLanguageDialog(LanguageDialog* dialog) { languageDialog_ = dialog; }

  // The TV sheet of the BIN folder in its window, its pages saved from
  // there; the CD image of page 6.
  void showTvSheet();
  void saveTvSheet();
  void writeCdImage();

  // --- Text helpers for the status labels -------------------------------
  // LED's text and BTX's text as Windows-1252.
  std::string LedText() const { return ledText_; }
  void SetLed(const std::string& text);
  const std::string& BtxText() const { return btxText_; }
  void SetBtx(const std::string& text);
  std::string HintOf(const QWidget* widget) const;

  // --- Seams for tests and for the modules wired in later ---------------
  // Shows an error (message box by default). Windows-1252 text.
  std::function<void(const std::string&)> ShowError;
  // A fatal language error: message box and exit code 1 by default.
  std::function<void(const std::string&)> Fatal;
  // Opens an address (QDesktopServices by default).
  std::function<void(const QUrl&)> OpenUrl;
  // Composes the song texts of an MP3 into the preview; a song that has
  // gone gives the sample texts. Tests may replace it.
  std::function<void(const std::string& mp3)> ComposeSongTexts;
  // The player's file dialog: the MP3 chosen, starting in folder
  // (QFileDialog by default); nullopt when the user cancels.
  std::function<std::optional<std::string>(const std::string& folder)> ChooseMp3File;
  // The decoder of the recode pass's route through a WAV file; the window's
  // player component when not set (tests set a stand-in).
  std::function<DecodePlayer*()> RecodeDecoder;
  // The language dialog: returns the chosen language number given the
  // current one (LanguageDialog by default).
  std::function<int(int current)> ChooseLanguage;

  // --- Controls -----------------------------------------------------------
  chrome::TCoolForm* CoolForm1 = nullptr;
  QLabel* LED = nullptr;
  QLabel* NIX = nullptr;
  ClickLabel* BTX = nullptr;
  ClickLabel* Label1 = nullptr;   // " 1 "
  ClickLabel* Label2 = nullptr;   // " 2 "
  ClickLabel* Label3 = nullptr;   // " 3 "
  ClickLabel* Label4 = nullptr;   // " 4 "
  ClickLabel* Label8 = nullptr;   // " 5 "
  ClickLabel* Label14 = nullptr;  // " 6 "
  ClickLabel* Label5 = nullptr;   // " ? "
  QPushButton* Sprache = nullptr;
  QPushButton* SpeedButton16 = nullptr;  // homepage
  QTimer* Timer2 = nullptr;

  DirectoriesPage* directoriesPage = nullptr;
  RecodePage* recodePage = nullptr;
  RecodeOptionsPage* recodeOptionsPage = nullptr;
  RenamePage* renamePage = nullptr;
  RenameOptionsPage* renameOptionsPage = nullptr;
  BinPage* binPage = nullptr;
  PreviewPage* previewPage = nullptr;
  CdBatchPage* cdBatchPage = nullptr;
  chrome::TBrowseFolder* opendialog1 = nullptr;

  // The file last chosen for the preview player (OpenDialog3's file name).
  std::string OpenDialog3FileName;

  // The one player component: made at start, loaded unless the library
  // could not be (then every player operation says so).
  TMPEGPlayer& MPEGPlayer() { return *player_; }

  // --- Handlers -----------------------------------------------------------
  void showDirectoriesPage();
  void showRecodePage();
  void showRenamePage();
  void showBinPage();
  void showPreviewPage();
  void showCdBatchPage();
  void showInfoText();
  void showRecodeOptions();
  void backToRecodePage();
  void showRenameOptions();
  void acceptRenameOptions();
  void closePage();
  void applyRenameList();
  void saveDirectories();
  void windowDoubleClicked();
  void openHomepage();
  void switchLanguage();
  void closeProgram();
  void loadSong();
  void playSong();
  void pauseSong();
  void stopSong();
  // The player's OnPosUpdate: the elapsed time in LED on the preview page.
  void PlayerPosUpdate(int pos, int len);
  void showClock();
  void startRecodePass();  // recode Start!
  void startBinRun();      // BIN Start
  void startCdBatch();     // CD batch Start

  // PreviewHost: step 1 of the preview built by the user.
  void OpenPreviewByUser() override;
  // PreviewHost: page 8 chosen for a song of the BIN run, and its progress.
  void SelectPreviewPage() override;
  // One pass at a time: true while a recode pass, BIN run, rename list or
  // renames, CD batch pair, TV sheet or CD image runs in this window.
  bool PassRunning() const override { return passPage_ != 0; }

 signals:
  // The main window has closed: the program ends.
  void closed();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildStatusLabels();
  void BuildPages();
  void LoadSettings();
  void SwitchTo(std::uint8_t page);
  // Runs a handler of a module; its failures are shown, never thrown on.
  void Guarded(const std::function<void()>& work);
  // Runs the pass of a page (guarded) unless one is running already: the
  // passes let the window handle its messages, and a Start clicked
  // meanwhile must not begin a second pass inside the first (they share the
  // player, the memo, the files). False when refused.
  bool RunPass(std::uint8_t page, const std::function<void()>& work);
  // True, and LED says why, while a pass runs: a Start then does nothing.
  bool PassRefused();
  void PushStrings();
  // Fills the hooks of the rename, CD batch and preview pages with the
  // passes of the core.
  void WirePasses();
  // Fills the recode page's Start! with the recode pass.
  void WireRecode();
  // FormCreate's player: priority, timer, library. A failure is kept and
  // shown once the window shows.
  void CreatePlayer();
  // Enables the player buttons of the toolbar.
  void SetPlayerButtons(bool play, bool pause, bool stop);
  // The TV sheet button of the BIN page and the image button of page 6.
  void WireDisc();
  void PushDiscStrings();

  Settings settings_;
  // The one record of the song last read, reused for every file.
  Mp3Info mp3Info_;
  SongTexts songTexts_;
  std::unique_ptr<platform::IniFile> ini_;
  std::unique_ptr<TMPEGPlayer> player_;
  std::unique_ptr<PassReport> sheetProgress_;
  std::string playerLoadError_;
  std::string languageFile_;
  std::string ledText_;
  std::string btxText_;
  QPointer<Toolbar> toolbar_;
  LanguageDialog* languageDialog_ = nullptr;
  bool shownOnce_ = false;
  // The page whose pass runs; 0 when none.
  std::uint8_t passPage_ = 0;
  bool destroyed_ = false;
};

}  // namespace tovix

// The main window's settings at start and exit, and the directories page.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <filesystem>

#include "app/pages/binpage.h"
#include "app/pages/directoriespage.h"
#include "app/pages/radiogroup.h"
#include "app/pages/recodepage.h"
#include "app/pages/renamepage.h"
#include "platform/filesys.h"
#include "support/unprivileged.h"
#include "testwindows.h"

namespace tovix {
namespace {

bool Has(const std::string& text, const std::string& line) {
  return text.find(line + "\r\n") != std::string::npos ||
         text.find(line + "\n") != std::string::npos;
}

TEST(MainWindowSettings, NoFileGivesTheDefaultsAndACompleteFileOnExit) {
  test::Windows w;
  MainWindow& f = *w.mainWindow;
  const std::string cwd = platform::CurrentDir();
  EXPECT_EQ(f.CurrentSettings().SourceDir, cwd);
  EXPECT_EQ(f.CurrentSettings().BinDir, cwd);
  EXPECT_TRUE(f.recodeOptionsPage->Recode->isChecked());
  EXPECT_TRUE(
      f.recodeOptionsPage->CheckBox2->isChecked() && f.recodeOptionsPage->CheckBox3->isChecked() &&
      f.recodeOptionsPage->CheckBox4->isChecked() && f.recodeOptionsPage->CheckBox7->isChecked());
  EXPECT_EQ(f.recodeOptionsPage->RadioGroup1->ItemIndex(), 0);
  EXPECT_EQ(f.recodeOptionsPage->TargetBitrate(), 128);
  EXPECT_FALSE(f.binPage->replaceBin->isChecked() || f.binPage->TxtErstellen->isChecked() ||
               f.binPage->Save2JPEG->isChecked());
  EXPECT_TRUE(
      f.renameOptionsPage->NiceWords->isChecked() && f.renameOptionsPage->CreateTag->isChecked() &&
      f.renameOptionsPage->SaveTag->isChecked() && f.renameOptionsPage->Convert2Blank->isChecked());
  EXPECT_EQ(f.previewPage->OverT()->height(), 30);
  f.close();
  const std::string ini = test::ReadFile(w.iniPath());
  for (const std::string& line :
       {"mp3dir=" + cwd, "bindir=" + cwd, std::string("wavedir="), std::string("tempdir="),
        std::string("lastfile="), std::string("bitmap="), std::string("Font1.Name=Tahoma"),
        std::string("Font1.Color=-2147483640"), std::string("Font1.Size=20"),
        // the form's own style: the artist font is bold, the running time bold italic
        std::string("Font1.Style.Bold=1"), std::string("Font1.Style.italic=0"),
        std::string("Font2.Size=14"), std::string("Font2.Style.Bold=1"),
        std::string("Font2.Style.italic=1"), std::string("Artist.Top=84"),
        std::string("Artist.Left=94"), std::string("Encoder.Top=368"), std::string("Scale=0"),
        std::string("Overscan=30"), std::string("Recode=1"), std::string("if127=1"),
        std::string("ifMono=1"), std::string("ifXing=1"), std::string("Bitrate=0"),
        std::string("TmpWav=1"), std::string("NewBins=0"), std::string("MakeTxt=0"),
        std::string("NiceWords=1"), std::string("MakeTag=1"), std::string("SaveTag=1"),
        std::string("X2Blank=1"), std::string("SaveJpg=0"), std::string("Sprache=0")})
    EXPECT_TRUE(Has(ini, line)) << line << "\n" << ini;
}

TEST(MainWindowSettings, StoredValuesReachTheControls) {
  test::Windows w(
      "wavedir=/recode/here\r\nTempDir=/tmp/x\r\nFont1.Style.Bold=0\r\nFont2.Style.Italic=0\r\n"
      "Overscan=286\r\nBitrate=5\r\nRecode=0\r\nNewBins=1\r\nSaveJPG=1\r\nNiceWords=0\r\n"
      "Artist.Top=200\r\nArtist.Left=10\r\n");
  MainWindow& f = *w.mainWindow;
  f.showDirectoriesPage();
  EXPECT_EQ(f.directoriesPage->RecodeEdit->text(), "/recode/here");
  EXPECT_EQ(f.directoriesPage->TempEdit->text(), "/tmp/x");
  // A stored 0 removes nothing from the form's style.
  EXPECT_TRUE(f.previewPage->Artist()->font().bold());
  EXPECT_TRUE(f.previewPage->Laufzeit()->font().italic());
  EXPECT_EQ(f.previewPage->OverT()->height(), 30);
  EXPECT_EQ(f.previewPage->OverL()->width(), 30);
  EXPECT_EQ(f.recodeOptionsPage->RadioGroup1->ItemIndex(), 1);
  EXPECT_EQ(f.recodeOptionsPage->TargetBitrate(), 192);
  EXPECT_FALSE(f.recodeOptionsPage->Recode->isChecked());
  EXPECT_FALSE(f.recodeOptionsPage->GroupBox1->isVisibleTo(f.recodeOptionsPage));
  EXPECT_TRUE(f.binPage->replaceBin->isChecked());
  EXPECT_TRUE(f.binPage->Save2JPEG->isChecked());
  EXPECT_FALSE(f.renameOptionsPage->NiceWords->isChecked());
  EXPECT_EQ(f.previewPage->Artist()->pos(), QPoint(10, 200));
  EXPECT_EQ(f.previewPage->ArtistShadow()->pos(), QPoint(11, 201));
}

TEST(MainWindowSettings, ANegativeBitrateSelectsNoItem) {
  test::Windows w("Bitrate=-7\r\n");
  EXPECT_EQ(w.mainWindow->recodeOptionsPage->RadioGroup1->ItemIndex(), -1);
  // No item recodes at 128 kbit/s, as tovix-cli does (not at 64).
  EXPECT_EQ(w.mainWindow->recodeOptionsPage->TargetBitrate(), 128);
  w.mainWindow->close();
  EXPECT_TRUE(Has(test::ReadFile(w.iniPath()), "Bitrate=-1"));
}

TEST(MainWindowSettings, OkStoresTheFoldersAndOopsDropsThem) {
  {
    test::Windows w("mp3dir=/old/mp3\r\nbindir=/old/bin\r\n");
    MainWindow& f = *w.mainWindow;
    f.showDirectoriesPage();
    f.directoriesPage->QuellEdit->setText("/new/mp3");
    f.directoriesPage->targetIsSource();  // ziel=mp3
    f.directoriesPage->RecodeEdit->setText("/new/recode/");
    f.directoriesPage->TempEdit->setText("/new/temp");
    f.saveDirectories();
    EXPECT_EQ(f.PageNumber, 1);
    f.close();
    const std::string ini = test::ReadFile(w.iniPath());
    EXPECT_TRUE(Has(ini, "mp3dir=/new/mp3")) << ini;
    EXPECT_TRUE(Has(ini, "bindir=/new/mp3")) << ini;
    EXPECT_TRUE(Has(ini, "wavedir=/new/recode/")) << ini;
    EXPECT_TRUE(Has(ini, "tempdir=/new/temp")) << ini;
  }
  {
    test::Windows w("mp3dir=/old/mp3\r\nbindir=/old/bin\r\n");
    MainWindow& f = *w.mainWindow;
    f.showDirectoriesPage();
    f.directoriesPage->QuellEdit->setText("/new/mp3");
    f.directoriesPage->ZielEdit->setText("/new/bin");
    f.closePage();
    EXPECT_EQ(f.PageNumber, 0);
    f.close();
    const std::string ini = test::ReadFile(w.iniPath());
    EXPECT_TRUE(Has(ini, "mp3dir=/old/mp3")) << ini;
    EXPECT_TRUE(Has(ini, "bindir=/old/bin")) << ini;
  }
}

TEST(MainWindowSettings, FolderButtonsFillTheirEdits) {
  test::Windows w;
  MainWindow& f = *w.mainWindow;
  std::vector<std::string> starts;
  f.directoriesPage->SetFolderChooser([&](const std::string& start) -> std::optional<std::string> {
    starts.push_back(start);
    if (starts.size() == 2) return std::nullopt;  // the user cancels
    return "/chosen/" + std::to_string(starts.size());
  });
  f.showDirectoriesPage();
  f.directoriesPage->QuellEdit->setText("/start/q");
  f.directoriesPage->ZielEdit->setText("/start/z");
  f.directoriesPage->chooseSourceFolder();
  f.directoriesPage->chooseTargetFolder();
  f.directoriesPage->chooseRecodeFolder();
  f.directoriesPage->chooseTempFolder();
  EXPECT_EQ(starts, (std::vector<std::string>{"/start/q", "/start/z", "", ""}));
  EXPECT_EQ(f.directoriesPage->QuellEdit->text(), "/chosen/1");
  EXPECT_EQ(f.directoriesPage->ZielEdit->text(), "/start/z");
  EXPECT_EQ(f.directoriesPage->RecodeEdit->text(), "/chosen/3");
  EXPECT_EQ(f.directoriesPage->TempEdit->text(), "/chosen/4");
}

TEST(MainWindowSettings, TempDefaultIsTheSystemsTemporaryFolder) {
  test::Windows w;
  const QByteArray old = qgetenv("TMPDIR");
  qputenv("TMPDIR", QByteArray::fromStdString(w.dir.path()));
  w.mainWindow->showDirectoriesPage();
  w.mainWindow->directoriesPage->defaultTempFolder();
  EXPECT_EQ(w.mainWindow->directoriesPage->TempEdit->text().toStdString(), w.dir.path() + "/");
  if (old.isEmpty())
    qunsetenv("TMPDIR");
  else
    qputenv("TMPDIR", old);
}

TEST(MainWindowSettings, AFailedWriteIsShownAndLosesNoFile) {
  test::Windows w("mp3dir=/old\r\n");
  test::WriteFile(w.dir.file("Song.mp3"), "not touched");
  ASSERT_EQ(chmod(w.iniPath().c_str(), 0444), 0);
  w.mainWindow->close();
  ASSERT_EQ(w.errors.size(), 1u);
  EXPECT_EQ(w.errors[0], "nach " + w.iniPath() + " kann nicht geschrieben werden");
  EXPECT_EQ(test::ReadFile(w.iniPath()), "[Tovix]\r\nmp3dir=/old\r\n");
  EXPECT_EQ(test::ReadFile(w.dir.file("Song.mp3")), "not touched");
  EXPECT_EQ(test::ReadFile(w.dir.file("tovix.lng")), test::LanguageFile());
  // Written once: the close has reported, the end of the window stays quiet.
  w.mainWindow.reset();
  EXPECT_EQ(w.errors.size(), 1u);
  chmod(w.iniPath().c_str(), 0644);
}

TEST(MainWindowSettings, AReadOnlyFolderIsShownAndKeepsTheOldFile) {
  test::Windows w("mp3dir=/old\r\n");
  std::size_t entries = 0;
  for (const auto& e : std::filesystem::directory_iterator(w.dir.path())) entries += e.exists();
  ASSERT_EQ(chmod(w.dir.path().c_str(), 0555), 0);
  // The exit's write as an unprivileged user: root would write anyway.
  const int shown = test::RunUnprivileged({w.dir.path(), w.iniPath()}, [&] {
    w.mainWindow->close();
    return w.errors == std::vector<std::string>{"nach " + w.iniPath() +
                                                " kann nicht geschrieben werden"}
               ? 0
               : 1;
  });
  chmod(w.dir.path().c_str(), 0755);
  EXPECT_EQ(shown, 0);
  EXPECT_EQ(test::ReadFile(w.iniPath()), "[Tovix]\r\nmp3dir=/old\r\n");
  std::size_t after = 0;
  for (const auto& e : std::filesystem::directory_iterator(w.dir.path())) after += e.exists();
  EXPECT_EQ(after, entries);  // no temporary file left
}

}  // namespace
}  // namespace tovix

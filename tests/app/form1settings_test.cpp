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
  TForm1& f = *w.form1;
  const std::string cwd = platform::CurrentDir();
  EXPECT_EQ(f.CurrentSettings().SourceDir, cwd);
  EXPECT_EQ(f.CurrentSettings().BinDir, cwd);
  EXPECT_TRUE(f.Seite21->Recode->isChecked());
  EXPECT_TRUE(f.Seite21->CheckBox2->isChecked() && f.Seite21->CheckBox3->isChecked() &&
              f.Seite21->CheckBox4->isChecked() && f.Seite21->CheckBox7->isChecked());
  EXPECT_EQ(f.Seite21->RadioGroup1->ItemIndex(), 0);
  EXPECT_EQ(f.Seite21->TargetBitrate(), 128);
  EXPECT_FALSE(f.Seite4->replaceBin->isChecked() || f.Seite4->TxtErstellen->isChecked() ||
               f.Seite4->Save2JPEG->isChecked());
  EXPECT_TRUE(f.Seite31->NiceWords->isChecked() && f.Seite31->CreateTag->isChecked() &&
              f.Seite31->SaveTag->isChecked() && f.Seite31->Convert2Blank->isChecked());
  EXPECT_EQ(f.Seite5->OverT()->height(), 30);
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
  TForm1& f = *w.form1;
  f.Label1Click();
  EXPECT_EQ(f.Seite1->RecodeEdit->text(), "/recode/here");
  EXPECT_EQ(f.Seite1->TempEdit->text(), "/tmp/x");
  // A stored 0 removes nothing from the form's style.
  EXPECT_TRUE(f.Seite5->Artist()->font().bold());
  EXPECT_TRUE(f.Seite5->Laufzeit()->font().italic());
  EXPECT_EQ(f.Seite5->OverT()->height(), 30);
  EXPECT_EQ(f.Seite5->OverL()->width(), 30);
  EXPECT_EQ(f.Seite21->RadioGroup1->ItemIndex(), 1);
  EXPECT_EQ(f.Seite21->TargetBitrate(), 192);
  EXPECT_FALSE(f.Seite21->Recode->isChecked());
  EXPECT_FALSE(f.Seite21->GroupBox1->isVisibleTo(f.Seite21));
  EXPECT_TRUE(f.Seite4->replaceBin->isChecked());
  EXPECT_TRUE(f.Seite4->Save2JPEG->isChecked());
  EXPECT_FALSE(f.Seite31->NiceWords->isChecked());
  EXPECT_EQ(f.Seite5->Artist()->pos(), QPoint(10, 200));
  EXPECT_EQ(f.Seite5->ArtistShadow()->pos(), QPoint(11, 201));
}

TEST(MainWindowSettings, ANegativeBitrateSelectsNoItem) {
  test::Windows w("Bitrate=-7\r\n");
  EXPECT_EQ(w.form1->Seite21->RadioGroup1->ItemIndex(), -1);
  // No item recodes at 128 kbit/s, as tovix-cli does (not at 64).
  EXPECT_EQ(w.form1->Seite21->TargetBitrate(), 128);
  w.form1->close();
  EXPECT_TRUE(Has(test::ReadFile(w.iniPath()), "Bitrate=-1"));
}

TEST(MainWindowSettings, OkStoresTheFoldersAndOopsDropsThem) {
  {
    test::Windows w("mp3dir=/old/mp3\r\nbindir=/old/bin\r\n");
    TForm1& f = *w.form1;
    f.Label1Click();
    f.Seite1->QuellEdit->setText("/new/mp3");
    f.Seite1->btn5Click();  // ziel=mp3
    f.Seite1->RecodeEdit->setText("/new/recode/");
    f.Seite1->TempEdit->setText("/new/temp");
    f.Button4Click();
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
    TForm1& f = *w.form1;
    f.Label1Click();
    f.Seite1->QuellEdit->setText("/new/mp3");
    f.Seite1->ZielEdit->setText("/new/bin");
    f.canc1Click();
    EXPECT_EQ(f.PageNumber, 0);
    f.close();
    const std::string ini = test::ReadFile(w.iniPath());
    EXPECT_TRUE(Has(ini, "mp3dir=/old/mp3")) << ini;
    EXPECT_TRUE(Has(ini, "bindir=/old/bin")) << ini;
  }
}

TEST(MainWindowSettings, FolderButtonsFillTheirEdits) {
  test::Windows w;
  TForm1& f = *w.form1;
  std::vector<std::string> starts;
  f.Seite1->SetFolderChooser([&](const std::string& start) -> std::optional<std::string> {
    starts.push_back(start);
    if (starts.size() == 2) return std::nullopt;  // the user cancels
    return "/chosen/" + std::to_string(starts.size());
  });
  f.Label1Click();
  f.Seite1->QuellEdit->setText("/start/q");
  f.Seite1->ZielEdit->setText("/start/z");
  f.Seite1->SpeedButton5Click();
  f.Seite1->SpeedButton6Click();
  f.Seite1->SpeedButton10Click();
  f.Seite1->SpeedButton11Click();
  EXPECT_EQ(starts, (std::vector<std::string>{"/start/q", "/start/z", "", ""}));
  EXPECT_EQ(f.Seite1->QuellEdit->text(), "/chosen/1");
  EXPECT_EQ(f.Seite1->ZielEdit->text(), "/start/z");
  EXPECT_EQ(f.Seite1->RecodeEdit->text(), "/chosen/3");
  EXPECT_EQ(f.Seite1->TempEdit->text(), "/chosen/4");
}

TEST(MainWindowSettings, TempDefaultIsTheSystemsTemporaryFolder) {
  test::Windows w;
  const QByteArray old = qgetenv("TMPDIR");
  qputenv("TMPDIR", QByteArray::fromStdString(w.dir.path()));
  w.form1->Label1Click();
  w.form1->Seite1->SpeedButton12Click();
  EXPECT_EQ(w.form1->Seite1->TempEdit->text().toStdString(), w.dir.path() + "/");
  if (old.isEmpty())
    qunsetenv("TMPDIR");
  else
    qputenv("TMPDIR", old);
}

TEST(MainWindowSettings, AFailedWriteIsShownAndLosesNoFile) {
  test::Windows w("mp3dir=/old\r\n");
  test::WriteFile(w.dir.file("Song.mp3"), "not touched");
  ASSERT_EQ(chmod(w.iniPath().c_str(), 0444), 0);
  w.form1->close();
  ASSERT_EQ(w.errors.size(), 1u);
  EXPECT_EQ(w.errors[0], "nach " + w.iniPath() + " kann nicht geschrieben werden");
  EXPECT_EQ(test::ReadFile(w.iniPath()), "[Tovix]\r\nmp3dir=/old\r\n");
  EXPECT_EQ(test::ReadFile(w.dir.file("Song.mp3")), "not touched");
  EXPECT_EQ(test::ReadFile(w.dir.file("tovix.lng")), test::LanguageFile());
  // Written once: the close has reported, the end of the window stays quiet.
  w.form1.reset();
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
    w.form1->close();
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

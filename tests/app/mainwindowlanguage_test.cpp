// The strings of the language file pushed into both windows, and the two
// fatal stops.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "app/pages/binpage.h"
#include "app/pages/directoriespage.h"
#include "app/pages/qtext.h"
#include "app/pages/radiogroup.h"
#include "app/pages/recodepage.h"
#include "lang/buildstrings.h"
#include "testwindows.h"

namespace tovix {
namespace {

std::string Text(const QWidget* w) {
  if (auto* l = qobject_cast<const QLabel*>(w)) return ToAnsi(l->text());
  if (auto* b = qobject_cast<const QAbstractButton*>(w)) return ToAnsi(b->text());
  if (auto* g = qobject_cast<const QGroupBox*>(w)) return ToAnsi(g->title());
  return "?";
}

QWidget* Find(QWidget& window, const char* name) {
  auto* w = window.findChild<QWidget*>(QString::fromLatin1(name));
  EXPECT_NE(w, nullptr) << name;
  return w;
}

TEST(MainWindowLanguage, CaptionsAndHintsComeFromTheTable) {
  test::Windows w(nullptr, false);
  test::WriteFile(w.dir.file("tovix.lng"), test::LanguageFile({{58, "Ziel f\xfcr .bin && .txt"}}));
  w.Show();
  MainWindow& f = *w.mainWindow;
  EXPECT_EQ(ToAnsi(f.windowTitle()), "Text 53");
  const std::pair<const char*, const char*> captions[] = {
      {"SpeedButton7", "Text 54"},  {"SpeedButton14", "Text 54"},
      {"SpeedButton9", "Text 55"},  {"Label13", "Text 56"},
      {"Label12", "Text 57"},       {"Label11", "Ziel f\xfcr .bin & .txt"},
      {"Label10", "Text 59"},       {"SpeedButton12", "Text 60"},
      {"btn5", "Text 61"},          {"SpeedButton13", "Text 62"},
      {"StaticText1", "Text 63"},   {"Panel1", "Text 64"},
      {"Label9", "Text 64"},        {"GroupBox1", "Text 65"},
      {"CheckBox3", "Text 66"},     {"CheckBox4", "Text 67"},
      {"Kacheln", "Text 51"},       {"GroupBox2", "Text 69"},
      {"RadioGroup1", "Text 70"},   {"CheckBox7", "Text 71"},
      {"Label6", "Text 72"},        {"GroupBox3", "Text 73"},
      {"SaveTag", "Text 74"},       {"CreateTag", "Text 75"},
      {"Convert2Blank", "Text 76"}, {"NiceWords", "Text 77"},
      {"SpeedButton17", "Text 78"}, {"Label15", "Text 79"},
      {"replaceBin", "Text 81"},    {"TxtErstellen", "Text 82"},
      {"Save2JPEG", "Text 83"},     {"SpeedButton16", "Text 92"},
  };
  for (const auto& [name, text] : captions)
    if (QWidget* c = Find(f, name)) {
      EXPECT_EQ(Text(c), text) << name;
    }
  // A build string the file lacks shows its German text.
  EXPECT_EQ(Text(Find(f, "Recode")), BuildText(str::kRecodeSwitch));
  const std::pair<const char*, const char*> hints[] = {
      {"Label1", "Text 85"},  {"Label2", "Text 86"},        {"Label3", "Text 87"},
      {"Label4", "Text 88"},  {"Label5", "Text 89"},        {"Label8", "Text 90"},
      {"Label14", "Text 93"}, {"SpeedButton16", "Text 91"},
  };
  for (const auto& [name, text] : hints)
    if (QWidget* c = Find(f, name)) {
      EXPECT_EQ(ToAnsi(c->toolTip()), text) << name;
    }
  // The toolbar repeats the page hints; its off button says string 37.
  Toolbar& t = *w.toolbar;
  const char* toolbarHints[] = {"Text 85", "Text 86", "Text 87", "Text 88", "Text 90", "Text 93"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(ToAnsi(t.PageButton(i)->toolTip()), toolbarHints[i]) << i;
  EXPECT_EQ(ToAnsi(t.SpeedButton7->toolTip()), "Text 37");
  EXPECT_EQ(ToAnsi(t.Load->toolTip()), "Load");  // fixed English words
  EXPECT_EQ(f.BtxText(), InfoText());
  EXPECT_NE(InfoText().find("Text 1\r\r"), std::string::npos);
  EXPECT_TRUE(w.fatals.empty());
}

TEST(MainWindowLanguage, AMissingStringShowsItsNumber) {
  test::Windows w(nullptr, false);
  test::WriteFile(w.dir.file("tovix.lng"), test::LanguageFile({}, {55, 85}));
  w.Show();
  EXPECT_EQ(Text(w.mainWindow->recodePage->SpeedButton9), "missing: Str55");
  EXPECT_EQ(ToAnsi(w.toolbar->PageButton(0)->toolTip()), "missing: Str85");
}

TEST(MainWindowLanguage, BrokenLanguageFilesStopTheProgram) {
  {
    test::Windows w(nullptr, false);
    w.mainWindow->SetLanguageFile(w.dir.file("no such file.lng"));
    w.Show();
    EXPECT_EQ(w.fatals, std::vector<std::string>{" Stringlist not found: ABORTING"});
  }
  {
    test::Windows w("Sprache=3\r\n", false);
    w.Show();
    EXPECT_EQ(w.fatals, std::vector<std::string>{" Error in languagefile: ABORTING"});
  }
}

TEST(MainWindowLanguage, TheLanguageButtonReloadsAndShowsTheInfoPage) {
  test::Windows w(nullptr, false);
  std::string two = test::LanguageFile();
  two.replace(two.find("count=1\r\n"), 9, "count=2\r\nLang.2=English\r\nIdx.2=1\r\n");
  two += "0150=fr\r\n1055=Options\r\n1085=Folders\r\n1151=OFF\r\n1160=Language\r\n";
  test::WriteFile(w.dir.file("tovix.lng"), two);
  w.Show();
  MainWindow& f = *w.mainWindow;
  int offered = -1;
  f.ChooseLanguage = [&](int current) {
    offered = current;
    return 1;
  };
  // German program, French standard dialogs as the file asks; the off
  // button and the language button keep their German words.
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Annuler");
  EXPECT_EQ(Text(w.toolbar->SpeedButton7), "AUS");
  EXPECT_EQ(Text(f.Sprache), "Sprache");
  f.showBinPage();
  f.switchLanguage();
  EXPECT_EQ(offered, 0);
  // English gives no Qt locale: Qt's own English comes back.
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
  EXPECT_EQ(Text(w.toolbar->SpeedButton7), "OFF");
  EXPECT_EQ(Text(f.Sprache), "Language");
  EXPECT_EQ(f.CurrentSettings().Language, 1);
  EXPECT_EQ(Text(f.recodePage->SpeedButton9), "Options");
  // Nothing of the old language survives.
  EXPECT_EQ(Text(f.directoriesPage->findChild<QLabel*>("Label10")), "missing: Str59");
  EXPECT_EQ(ToAnsi(w.toolbar->PageButton(0)->toolTip()), "Folders");
  EXPECT_EQ(f.PageNumber, 5);
  EXPECT_EQ(f.BtxText(), InfoText());
  f.close();
  EXPECT_NE(test::ReadFile(w.iniPath()).find("Sprache=1"), std::string::npos);
}

TEST(CaptionText, AmpersandsAndLineBreaksAsTheLanguageFileWritesThem) {
  EXPECT_EQ(PlainCaption("a && b"), "a & b");
  EXPECT_EQ(PlainCaption("&Datei"), "Datei");
  EXPECT_EQ(PlainCaption("eins\rzwei\r\ndrei"), "eins\nzwei\ndrei");
  EXPECT_EQ(PlainCaption("f\xfcr"), QString::fromUtf8("für"));
  EXPECT_EQ(ToAnsi(QString::fromUtf8("für €")), "f\xfcr \x80");
  EXPECT_EQ(ToAnsi(QString::fromUtf8("Ωmega")), "_mega");
}

TEST(CaptionText, FileFiltersBecomeQtFilters) {
  EXPECT_EQ(
      FilterToQt("Alle Dateien (*.bmp;*.jpg)|*.bmp;*.jpg|Bitmaps (*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg"),
      "Alle Dateien (*.bmp *.jpg);;Bitmaps (*.bmp);;JPEG (*.jpg)");
  EXPECT_EQ(FilterToQt("MPeg Audio|*.mp3"), "MPeg Audio (*.mp3)");
  EXPECT_EQ(FilterToQt("Lonely name"), "");  // a name without patterns is no filter
  EXPECT_EQ(FilterToQt(""), "");
}

}  // namespace
}  // namespace tovix

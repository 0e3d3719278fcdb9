// The language file the program ships: three languages, every used string
// present, the German wording the windows hold.
#include <gtest/gtest.h>

#include <functional>

#include <map>

#include "lang/buildstrings.h"
#include "lang/languagelist.h"
#include "lang/sprachen.h"
#include "mp3/mpegfile.h"
#include "picture/bitmap.h"
#include "picture/jpgtobmp.h"
#include "platform/codepage.h"
#include "platform/inifile.h"
#include "platform/ioerror.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

std::string ShippedFile() {
  return test::SourceDir() + "dist/tovix.lng";
}

std::string Ansi(const char* utf8) {
  return platform::Utf8ToAnsi(utf8).value();
}

bool IsBuildString(int n) {
  for (const BuildString& s : BuildStrings())
    if (s.number == n) return true;
  return false;
}

bool Used(int n) {
  return (n >= 1 && n <= 98 && n != 15 && n != 16) || n == 161 || n == 162 ||
         (n >= 170 && n <= 184) || (n >= 190 && n <= 199) || IsBuildString(n);
}

// The German texts the windows and the program hold for these numbers.
const std::map<int, std::string>& GermanDefaults() {
  static const std::map<int, std::string> defaults = {
      {1, Ansi("Herzlich Willkommen!")},
      {3, Ansi("Ich freue mich über jede! Reaktion")},
      {5, Ansi("Vielen Dank an:")},
      {6, Ansi(" und vor allem an alle bei <Rovez> !")},
      {7, Ansi("Linke Seite = Original, rechte Seite = neuer Name ...")},
      {8, Ansi("Diese Funktion erzeugt ein Paar Batchdateien, welche")},
      {9, Ansi("die diversen .mp3, .bin, .jpg und .txt ggfs. in Unterverzeichnisse,")},
      {10, Ansi("benannt mit den 1.Buchstaben des Interpreten und auf 8 Zeichen")},
      {11, Ansi("gekürzt, verschieben. ")},
      {12, Ansi("\"SHORT.BAT\" erzeugt Unterverzeichnisse && kurze Namen")},
      {13, Ansi("\"LONG.BAT\" macht diesen Vorgang rückgängig.")},
      {14, Ansi("! Die Verzeichnisse für .mp3 und .bin müssen gleich sein !")},
      {37, Ansi("Sendeschluss")},
      // 47..51 feed the radio buttons and the placement names; the file
      // holds the button captions.
      {47, Ansi("Bitmap in Originalgröße ")},
      {48, Ansi("Bitmap passend vergrößern")},
      {49, Ansi("Bitmap in Overscan einpassen")},
      {50, Ansi("Bitmap zentrieren")},
      {51, Ansi("Bitmap kacheln")},
      {53, Ansi("Tovix (Rovez/Kiss/Tokai ) DVD 71x")},
      {54, Ansi("Start")},
      {55, Ansi("Optionen")},
      {56, Ansi("Temp.Verzeichnis (für .wav)")},
      {57, Ansi("Ziel für umcodierte .mp3")},
      {58, Ansi("Ziel für .bin && .txt")},
      {59, Ansi("Quelle für .mp3")},
      {60, Ansi("Temp=Default")},
      {61, Ansi("ziel=mp3")},
      {62, Ansi("Optionen")},
      {63, Ansi("Linke Seite: Original Name =  rechte Seite: neuer Name")},
      {64, Ansi("Optionen zur Umcodierung")},
      {65, Ansi("mp3 umcodieren, falls...")},
      {66, Ansi("Mode <> Stereo")},
      {67, Ansi("Encoder kritisch")},
      {68, Ansi("mp3 umcodieren, falls...")},
      {69, Ansi("neue Werte")},
      {70, Ansi("neue Bitrate")},
      {71, Ansi("temp. Wave-Datei")},
      {72, Ansi("Optionen zur Umbenennung")},
      {73, Ansi(" mp3 aus Dateinamen umbenennen : ")},
      {74, Ansi("ID-TAG auch in mp3 speichern")},
      {75, Ansi("ID-TAG aus Dateinamen erzeugen, falls kein TAG vorhanden")},
      {76, Ansi("'_'  und  '%20%' in Blank wandeln")},
      {77, Ansi("Wortanfang Immer In Grossbuchstaben")},
      {78, Ansi("Start")},
      {79, Ansi("Batch erzeugt Unterverzeichnisse")},
      {80, Ansi("Alle Dateien (*.bmp;*.jpg)|*.bmp;*.jpg|Bitmaps (*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg")},
      {81, Ansi("Vorhandene .bin ersetzen")},
      {82, Ansi("Textdateien erstellen")},
      {83, Ansi("Bild auch als .jpg speichern")},
      {85, Ansi("Verzeichnisse festlegen")},
      {86, Ansi("Umcodierungsoptionen")},
      {87, Ansi("mp3's mit ID3-Tag umbenennen")},
      {88, Ansi("Bitmaps -> BIN wandeln")},
      {89, Ansi("Info anzeigen")},
      {90, Ansi("Bitmap -Vorschau")},
      {91, Ansi("Verbindung zur Homepage...")},
      {92, Ansi("... zur Tovix-Homepage")},
      {93, Ansi("...erstelle Batch für Yami-CD")},
      {94, Ansi("Doppelklick! zum Laden eines Bildes")},
      {95, Ansi("Doppelklick! zum Ändern der Textattribute, RechtsKlick zur Positionierung")},
      // The window's sentence has 104 characters, more than a string holds;
      // the file drops "leider" to keep it whole.
      {96, Ansi("Dieser (schwarz markierte) Teil des Bitmaps wird auf dem TV-Schirm nicht "
                "dargestellt...(Overscan)")},
      {97, Ansi("Encoder nicht erkannt")},
  };
  return defaults;
}

TEST(ShippedLanguageFile, ListsGermanEnglishAndFrench) {
  const auto list = ReadLanguageList(ShippedFile());
  ASSERT_TRUE(list);
  ASSERT_EQ(list->size(), 3u);
  EXPECT_EQ((*list)[0].name, "Deutsch");
  EXPECT_EQ((*list)[0].number, 0);
  EXPECT_EQ((*list)[1].name, "English");
  EXPECT_EQ((*list)[1].number, 1);
  EXPECT_EQ((*list)[2].name, Ansi("Français"));
  EXPECT_EQ((*list)[2].number, 2);
}

class ShippedLanguage : public ::testing::TestWithParam<int> {};

TEST_P(ShippedLanguage, EveryUsedStringHasAText) {
  ASSERT_EQ(ApplyLanguage(static_cast<std::uint16_t>(GetParam()), ShippedFile()),
            LanguageResult::kOk);
  for (int n = 1; n <= kLanguageStringCount; ++n) {
    const std::string missing = "missing: Str" + std::to_string(n);
    if (Used(n)) {
      EXPECT_NE(LanguageString(n), missing) << n;
      EXPECT_FALSE(LanguageString(n).empty()) << n;
      EXPECT_LT(LanguageString(n).size(), kMaxLanguageStringLength + 1) << n;
    } else {
      EXPECT_EQ(LanguageString(n), missing) << n;
    }
  }
}

TEST_P(ShippedLanguage, TextsJoinedToOthersKeepTheirBlanks) {
  ASSERT_EQ(ApplyLanguage(static_cast<std::uint16_t>(GetParam()), ShippedFile()),
            LanguageResult::kOk);
  // 6 follows a CR, 73 is a group caption in the window's own style, 27
  // follows a review line; 26 and 38 are directly followed by more text.
  for (int n : {6, 27, 73}) EXPECT_EQ(LanguageString(n).front(), ' ') << n;
  for (int n : {26, 38}) EXPECT_EQ(LanguageString(n).back(), ' ') << n;
  // The filter keeps its form: pairs of description and pattern.
  const std::string& filter = LanguageString(80);
  int bars = 0;
  for (char c : filter) bars += c == '|';
  EXPECT_EQ(bars, 5);
  EXPECT_NE(filter.find("*.bmp;*.jpg"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(AllThree, ShippedLanguage, ::testing::Values(0, 1, 2));

TEST(ShippedLanguageFile, GermanHoldsTheWindowsOwnTexts) {
  ASSERT_EQ(ApplyLanguage(0, ShippedFile()), LanguageResult::kOk);
  for (const auto& [n, text] : GermanDefaults()) EXPECT_EQ(LanguageString(n), text) << n;
}

TEST(ShippedLanguageFile, GermanHoldsTheBuildsOwnTextsAndEveryLanguageItsQtLocale) {
  ASSERT_EQ(ApplyLanguage(0, ShippedFile()), LanguageResult::kOk);
  for (const BuildString& s : BuildStrings())
    EXPECT_EQ(LanguageString(s.number), s.german) << s.number;
  const char* locales[] = {"de", "en", "fr"};
  for (std::uint16_t language = 0; language < 3; ++language) {
    ASSERT_EQ(ApplyLanguage(language, ShippedFile()), LanguageResult::kOk);
    EXPECT_EQ(LanguageString(str::kQtLocale), locales[language]);
    // Every placeholder of a message is kept by its translation.
    for (const BuildString& s : BuildStrings())
      for (const char* mark : {"%1", "%2", "%3"})
        EXPECT_EQ(s.german.find(mark) == std::string_view::npos,
                  LanguageString(s.number).find(mark) == std::string::npos)
            << s.number << " " << mark << " " << language;
  }
}

TEST(ShippedLanguageFile, FileModuleFailuresSpeakTheChosenLanguage) {
  test::TempDir dir;
  const std::string shortFile = dir.file("short.mp3");
  test::WriteFile(shortFile, std::string(100, 'x'));
  struct Case {
    std::uint16_t language;
    std::string path;
    std::string expected;
  };
  const Case cases[] = {
      {1, shortFile, "\"" + shortFile + "\" is too short to hold a tag; it was left as it was"},
      {2, shortFile,
       Ansi("« ") + shortFile +
           Ansi(" » est trop court pour contenir un tag ; il est resté tel quel")},
      {1, dir.file("none.mp3"),
       "cannot open \"" + dir.file("none.mp3") + "\": the file does not exist"},
      {2, dir.file("none.mp3"),
       Ansi("impossible d'ouvrir « ") + dir.file("none.mp3") +
           Ansi(" » : le fichier n'existe pas")},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(ApplyLanguage(c.language, ShippedFile()), LanguageResult::kOk);
    try {
      WriteID3Tag(c.path, TID3Tag{});
      ADD_FAILURE() << c.path << " took a tag";
    } catch (const IoError& e) {
      EXPECT_EQ(ErrorText(e), c.expected) << int(c.language);
    }
  }
  EXPECT_EQ(test::ReadFile(shortFile), std::string(100, 'x'));
  ASSERT_EQ(ApplyLanguage(0, ShippedFile()), LanguageResult::kOk);
}

TEST(ShippedLanguageFile, PictureAndSettingsFailuresSpeakTheChosenLanguageAndGermanAsAlways) {
  test::TempDir dir;
  const std::string gone = dir.file("none/x.bmp");
  const std::string ini = dir.file("none/tovix.ini");
  auto failure = [&](const std::function<void()>& work) -> std::string {
    try {
      work();
    } catch (const std::exception& e) {
      return ErrorText(e);
    }
    return "no failure";
  };
  const std::function<void()> works[] = {
      [&] { ReadBmpFile(gone); },
      [&] { WriteBmpFile(gone, MakeBitmap(2, 2)); },
      [&] { DecodeBmp("BM not a bitmap at all, far too short"); },
      [&] { DecodeJpeg(std::string(64, 'x')); },
      [&] {
        platform::IniFile file(ini);
        file.WriteString("Farbe", "colour", "1");
      },
  };
  const std::vector<std::string> expected[] = {
      {"Datei " + gone + Ansi(" kann nicht geöffnet werden"),
       "Datei " + gone + " kann nicht erstellt werden", Ansi("Bitmap ist ungültig"),
       "JPEG-Fehler #", "nach " + ini + " kann nicht geschrieben werden"},
      {"cannot open the file " + gone, "cannot create the file " + gone, "The bitmap is not valid",
       "JPEG error #", "cannot write to " + ini},
      {"impossible d'ouvrir le fichier " + gone, Ansi("impossible de créer le fichier ") + gone,
       "Le bitmap n'est pas valide", Ansi("Erreur JPEG n° "),
       Ansi("impossible d'écrire dans ") + ini},
  };
  for (std::uint16_t language : {0, 1, 2}) {
    ASSERT_EQ(ApplyLanguage(language, ShippedFile()), LanguageResult::kOk);
    for (std::size_t i = 0; i < std::size(works); ++i) {
      const std::string said = failure(works[i]);
      // The JPEG error ends in the codec's own message number.
      EXPECT_EQ(said.substr(0, expected[language][i].size()), expected[language][i])
          << language << " " << i;
    }
  }
  ASSERT_EQ(ApplyLanguage(0, ShippedFile()), LanguageResult::kOk);
}

TEST(ShippedLanguageFile, LanguagesDifferWhereTheyShould) {
  ASSERT_EQ(ApplyLanguage(1, ShippedFile()), LanguageResult::kOk);
  const std::string english = LanguageString(55);
  const std::string englishInfo = InfoText();
  ASSERT_EQ(ApplyLanguage(2, ShippedFile()), LanguageResult::kOk);
  EXPECT_NE(LanguageString(97), Ansi("Encoder nicht erkannt"));
  EXPECT_NE(InfoText(), englishInfo);
  ASSERT_EQ(ApplyLanguage(0, ShippedFile()), LanguageResult::kOk);
  EXPECT_NE(LanguageString(55), english);
}

TEST(ShippedLanguageFile, IsWindows1252WithCrLfLines) {
  const std::string bytes = test::ReadFile(ShippedFile());
  ASSERT_FALSE(bytes.empty());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
    }
    if (bytes[i] == '\r') {
      ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << i;
    }
  }
  // "ü" is one byte 0xFC, not the two bytes of UTF-8.
  EXPECT_NE(bytes.find("f\xFCr"), std::string::npos);
  EXPECT_EQ(bytes.find("\xC3\xBC"), std::string::npos);
}

}  // namespace
}  // namespace tovix

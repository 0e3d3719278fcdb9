#include "lang/buildstrings.h"

#include <array>

#include "lang/sprachen.h"

namespace tovix {
namespace {

constexpr auto kBuildStrings = std::to_array<BuildString>({
    {str::kQtLocale, "de"},
    {str::kOffButton, "AUS"},
    {str::kNoSourceDir,
     "Kein mp3-Verzeichnis festgelegt: bitte zuerst auf Seite 1 eines w\xE4hlen."},
    {str::kNoTargetDir,
     "Den Zielordner f\xFCr .bin \"%1\" gibt es nicht: bitte auf Seite 1 einen "
     "vorhandenen Ordner w\xE4hlen."},
    {str::kUnusableTarget,
     "Der Zielordner \"%1\" hat ein Zeichen, das keine Batchdatei tragen kann: "
     "bitte einen anderen w\xE4hlen."},
    {str::kTestNotDone, "Die Testdatei \"%1\" wurde nicht fertig: %2 endete nicht in %3 s."},
    {str::kTestTooLarge,
     "Auch mit Stufe %1 ist das Testbild %2 Bytes gro\xDF (h\xF6"
     "chstens %3). Bitte ein ruhigeres Bild w\xE4hlen."},
    {str::kFolderUnreadable, "Ordner kann nicht gelesen werden: %1"},
    {str::kSongBatchTimeout,
     "%1: %2 endete nicht in %3 s, weiter mit dem n\xE4"
     "chsten Lied"},
    {str::kSongNoBin, "%1: keine .BIN erstellt (%2)"},
    {str::kLanguageButton, "Sprache"},
    {str::kFolderNoRename,
     "Im Ordner %1 kann nicht umbenannt werden (I/O-Fehler %2): nichts wurde ge\xE4ndert."},
    {str::kNoAudioOutput, "keine Audioausgabe"},
    {str::kPlayUnreadable, "Wiedergabe beendet: die Datei ist nicht lesbar"},
    {str::kPlayOutputGone, "Wiedergabe beendet: die Audioausgabe ist ausgefallen"},
    {str::kRenameSummary,
     "%1 Dateien umbenannt (dazu %2 Begleitdateien), %3 TAGs geschrieben, %4 ausgelassen%5"},
    {str::kCdBatchSummary,
     "Short.bat/Long.bat: %1 Lieder eingeordnet, %2 auf der Platte umbenannt, %3 ausgelassen%4"},
    {str::kAndMore, "und %1 weitere"},
    {str::kNameClash, "Datei ausgelassen: %1 ergibt denselben Namen wie %2 (%3)"},
    {str::kDiffersInCase, "die Namen unterscheiden sich nur in Gro\xDF-/Kleinschreibung"},
    {str::kSameName,
     "beide hei\xDF"
     "en %1"},
    {str::kForbiddenChar,
     "Neuer Name mit einem Zeichen, das Windows und CDs nicht tragen (/ \\ : * ? \" < > |), Zeile"},
    {str::kUndoButton,
     "R\xFC"
     "ckg\xE4ngig"},
    {str::kUndoCaption,
     "R\xFC"
     "ckg\xE4ngig: links jetziger Name = rechts fr\xFC"
     "herer Name"},
    {str::kNoUndo,
     "Es gibt keine Umbenennung, die r\xFC"
     "ckg\xE4ngig zu machen w\xE4re."},
    {str::kCompanionTaken,
     "Zeile %1: %2 kann nicht %3 hei\xDF"
     "en, den Namen gibt es schon. Nichts wurde umbenannt."},
    {str::kCompanionFailed,
     "Zeile %1: %2 kann nicht umbenannt werden, darum beh\xE4lt %3 seinen Namen."},
    {str::kNotOnDisc, "Fehlt auf der CD, Short.bat kann das Lied nicht einordnen:"},
    {str::kSongNoAudio,
     "%1: keine MPEG-Audiodaten (kein g\xFCltiger Frame-Kopf), keine .BIN erstellt"},
    {str::kSongUnreadable, "%1: kann nicht gelesen werden (I/O-Fehler %2), keine .BIN erstellt"},
    {str::kSheetPage, "Seite %1 von %2"},
    {str::kSheetSave, "Alle Seiten speichern ..."},
    {str::kSheetSaved, "%1 Seite(n) gespeichert, die erste als %2"},
    {str::kPassRunning, "Es l\xE4uft noch ein anderer Durchgang: bitte warten, bis er fertig ist."},
    {str::kBatchWildcardName,
     "\"%1\": * und ? im Namen kann keine Batchdatei weitergeben, die Datei bleibt, wie sie "
     "ist"},
    {str::kWavPathTooLong,
     "Der Pfad der WAV-Datei ist l\xE4nger als %1 Zeichen, bitte ein k\xFCrzeres "
     "Temp.Verzeichnis w\xE4hlen: %2"},
    {str::kBitrateUnder128, "Bitrate < 128"},
    {str::kOneMoment, "Moment...."},
    {str::kIoError, "I/O-Fehler %1"},
    {str::kErrorCaption, "Fehler"},
    {str::kCancelButton, "Abbrechen"},
    {str::kNameNotWritable, "%1: Tovix kann diesen Namen nicht schreiben."},
    {str::kMoreNotes, "... und %1 weitere"},
    {str::kVersionLine, "(C) 2000-2024 Tovix-Autoren, Linux-Ausgabe"},
    {str::kRecodeSwitch, "mp3 umcodieren (sonst nur kopieren)"},
    {str::kPlayerNotLoaded,
     "Die MPEG-Bibliothek ist nicht geladen: Abspielen und Dekodieren sind nicht m\xF6glich."},
    {str::kPlayerCannotLoad, "Die MPEG-Bibliothek kann nicht geladen werden."},
    {str::kPlayerDecoder, "Interner Fehler des Dekoders."},
    {str::kPlayerWrongState, "Das kann der Player gerade nicht (falscher Zustand)."},
    {str::kPlayerStream, "Die Datei kann nicht gelesen oder dekodiert werden."},
    {str::kPlayerNoSeek, "In dieser Datei kann nicht gesprungen werden."},
    {str::kPlayerOutput, "Die Audio-Ausgabe funktioniert nicht."},
    {str::kPlayerNoFile, "Noch keine Datei zum Abspielen gew\xE4hlt."},
    {str::kPlayerOther, "Fehler des Players (Code %1)."},
});

}  // namespace

std::span<const BuildString> BuildStrings() {
  return kBuildStrings;
}

bool LanguageGives(int n) {
  // Before any language is loaded the table holds empty texts.
  return n >= 1 && n <= kLanguageStringCount && !LanguageString(n).empty() &&
         LanguageString(n) != "missing: Str" + std::to_string(n);
}

std::string BuildText(int n) {
  if (LanguageGives(n)) return LanguageString(n);
  for (const BuildString& s : kBuildStrings)
    if (s.number == n) return std::string(s.german);
  return {};
}

std::string BuildText(int n, std::initializer_list<std::string> args) {
  const std::string text = BuildText(n);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
      const std::size_t arg = static_cast<std::size_t>(text[i + 1] - '1');
      if (arg < args.size()) {
        out += *(args.begin() + arg);
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

}  // namespace tovix

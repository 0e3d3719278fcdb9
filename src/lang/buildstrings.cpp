#include "lang/buildstrings.h"

#include <array>
#include <cerrno>

#include "platform/ioerror.h"

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
    {str::kCannotWrite, "\"%1\" kann nicht geschrieben werden"},
    {str::kCannotCreate, "\"%1\" kann nicht angelegt werden"},
    {str::kCannotRead, "\"%1\" kann nicht gelesen werden"},
    {str::kCannotDelete, "\"%1\" kann nicht gel\xF6scht werden"},
    {str::kCannotEnter, "Der Ordner \"%1\" kann nicht betreten werden"},
    {str::kDoesNotExist, "\"%1\" gibt es nicht"},
    {str::kNotAFolder, "\"%1\" ist kein Ordner"},
    {str::kExistsKept, "Die Datei \"%1\" gibt es schon; sie wird nicht ersetzt"},
    {str::kReadOnlyFile, "Datei ist schreibgesch\xFCtzt: %1"},
    {str::kCannotCopy, "\"%1\" kann nicht nach \"%2\" kopiert werden (I/O-Fehler %3)"},
    {str::kFolderInTheWay, "der Ordner \"%1\" steht im Weg"},
    {str::kBinToolsFailed, "%1: mklogo, c2bin oder move fehlgeschlagen"},
    {str::kOldBinKept, "%1: schreibgesch\xFCtzt, die alte .BIN bleibt"},
    {str::kTestFileFailed, "Die Testdatei kann nicht erstellt werden: %1."},
    {str::kSongGone, "das Lied ist nicht mehr da"},
    {str::kSongNoBinSkip, "%1: %2, keine .BIN"},
    {str::kSongSkipped,
     "%1: %2, \xFC"
     "bersprungen"},
    {str::kQuoteInName, "Anf\xFChrungszeichen im Namen"},
    {str::kControlInName, "Steuerzeichen im Namen"},
    {str::kWhyLowRate, "Bitrate unter 128 (%1)"},
    {str::kWhyNotStereo, "nicht Stereo (%1)"},
    {str::kWhyCritical, "kritischer Encoder \"%1\""},
    {str::kWhyOtherRate, "Bitrate %1, neu %2 kBit"},
    {str::kWhyCopied, "kopiert"},
    {str::kWhyRecodeOff, "kopiert (Umcodieren ist aus)"},
    {str::kImageFailed, "Das CD-Abbild kann nicht erzeugt werden (eine Datei ist nicht lesbar?)"},
    {str::kSkippedUnusableName,
     "Datei ausgelassen, ihr Name hat Anf\xFChrungszeichen, Backslash, Steuer- oder "
     "Nicht-1252-Zeichen: %1"},
    {str::kSkippedBatchName,
     "Datei ausgelassen, ihr Name passt in keine Batchdatei (Zeichen au\xDF"
     "erhalb von Codepage 850): %1"},
    {str::kSkippedVanished, "Datei ausgelassen, sie ist nicht mehr da: %1"},
    {str::kSkippedNameClash,
     "Datei ausgelassen: %1 ergibt denselben Namen wie %2 (nur Gro\xDF-/Kleinschreibung anders)"},
    {str::kCliNotAFile, "\"%1\" ist keine Datei"},
    {str::kBatchCasePair,
     "Dateien ausgelassen: %1 und %2 unterscheiden sich nur in Gro\xDF-/Kleinschreibung"},
    {str::kCannotRenameTo, "%1 kann nicht in %2 umbenannt werden"},
    {str::kListTooLarge, "Datei ist zu gro\xDF f\xFCr eine Umbenennungsliste: %1"},
    {str::kTooShortForTag, "%1 ist zu kurz f\xFCr einen ID3-TAG (unter 128 Bytes)"},
    {str::kTooShortSkipped,
     "%1 ist zu kurz f\xFCr einen ID3-TAG (unter 128 Bytes) und wird \xFC"
     "bergangen"},
    {str::kCliUnknownCommand, "unbekannter Befehl \"%1\""},
    {str::kCliUnknownOption, "unbekannte Option \"%1\""},
    {str::kCliNoValue, "%1 nimmt keinen Wert"},
    {str::kCliNeedsValue, "%1 braucht einen Wert"},
    {str::kCliBadValue, "%1: \"%2\" geht nicht (%3)"},
    {str::kCliGivenTwice, "%1 steht zweimal da"},
    {str::kCliNotAKey, "--set: \"%1\" ist kein Schl\xFCssel der Einstellungsdatei"},
    {str::kCliNoCommand, "kein Befehl angegeben"},
    {str::kCliOperands, "%1: falsche Zahl von Operanden (%2)"},
    {str::kCliDemoNoSettings,
     "demo l\xE4uft mit den Grundeinstellungen, ohne Einstellungsdatei: --ini und --save "
     "weglassen"},
    {str::kCliEither, "%1: entweder %2 oder %3 angeben"},
    {str::kCliTryHelp, "Mehr mit \"%1 --help\"."},
    {str::kCliNotWin1252,
     "\"%1\" hat ein Zeichen, das Windows-1252 nicht kennt; Tovix kann so eine Datei nicht nennen"},
    {str::kCliSettingsMissing,
     "die Einstellungsdatei \"%1\" gibt es nicht; es gelten die Grundeinstellungen"},
    {str::kCliWritten, "geschrieben: %1"},
    {str::kCliIoError, "%1 (I/O-Fehler %2)"},
    {str::kCliSettingsKey, "%1 (Einstellung %2)"},
    {str::kCliFolderNotSet, "kein Ordner festgelegt"},
    {str::kCliNotInProgramFolder, "%1 fehlt im Programmordner %2"},
    {str::kCliNotOnPath, "%1 ist weder im Programmordner %2 noch im PATH"},
    {str::kCliSongsNoBin, "%1 Lied(er) ohne .BIN-Datei (oben genannt)"},
    {str::kCliSongsNoBinIn, "%1 Lied(er) ohne .BIN-Datei in \"%2\""},
    {str::kCliFolderNotEmpty,
     "der Ordner \"%1\" ist nicht leer; bitte einen neuen oder leeren Ordner angeben (nichts "
     "geschrieben)"},
    {str::kCliNoLame,
     "lame ist nicht installiert (Debian: apt-get install lame); die Demo braucht es"},
    {str::kCliDemoReady, "Die Beispiel-CD liegt fertig in %1"},
    {str::kCliDemoSongs, "  Lieder (.mp3), einige mit TAG, einige ohne: %1"},
    {str::kCliDemoLook, "Das Bild eines Liedes ansehen:"},
    {str::kCliDemoLayOut,
     "Die CD in kurze Namen legen und zur\xFC"
     "ck (in %1):"},
    {str::kCliDemoMaking, "Erzeuge die Beispiel-Lieder mit lame ..."},
    {str::kCliCannotStart, "%1 kann nicht gestartet werden (Fehler %2)"},
    {str::kCliEndedWith, "%1 endete mit Exit-Code %2"},
    {str::kCliDiscAsItStands, "CD \"%1\" wie sie ist: %2 Ordner, %3 Dateien, %4 von %5 MB"},
    {str::kCliDiscAsShort,
     "CD \"%1\" wie Short.bat sie anlegt: %2 Ordner, %3 Dateien, %4 von %5 MB"},
    {str::kCliDiscFails, "die CD w\xFCrde nicht funktionieren (siehe die Zeilen oben)"},
    {str::kCliNoImage, "die CD w\xFCrde nicht funktionieren (siehe oben); kein Abbild geschrieben"},
    {str::kCliLinesWritten, "%1 Zeile(n) geschrieben in %2 (Windows-1252)"},
    {str::kCliRenamed, "%1 Datei(en) umbenannt"},
    {str::kCliNothingRenamed,
     "nichts wurde umbenannt; Zeile %1 von %2 berichtigen und erneut anwenden"},
    {str::kCliTextsWritten, "%1 Infotext-Datei(en) geschrieben in %2"},
    {str::kCliNothingToShow,
     "keine Lieder und keine .BIN-Dateien in \"%1\": nichts zu zeigen (nichts geschrieben)"},
    {str::kCliSheetWritten, "Blatt geschrieben: %1: %2 Bilder, %3 Lieder ohne .BIN, %4 defekt"},
    {str::kCliUndoWith,
     "r\xFC"
     "ckg\xE4"
     "ngig machen mit: tovix-cli rename --apply %1"},
    {str::kCliSheetPages, "%1 Seiten, %2 bis %3"},
    {str::kIoCannotOpen,
     "\"%1\" kann nicht ge\xF6"
     "ffnet werden: %2"},
    {str::kIoCannotRead, "\"%1\" kann nicht gelesen werden: %2"},
    {str::kIoCannotWrite, "\"%1\" kann nicht geschrieben werden: %2"},
    {str::kTagFileTooShort, "\"%1\" ist zu kurz f\xFCr ein Tag; die Datei blieb, wie sie war"},
    {str::kTagFileEndedEarly, "\"%1\" kann nicht gelesen werden: die Datei endet zu fr\xFCh"},
    {str::kTagReadOnlyLost,
     "Das Tag von \"%1\" ist geschrieben, aber die Datei ist nicht wieder schreibgesch\xFCtzt"},
    {str::kTagEnded, "Die Datei endet mitten in ihrem Tag"},
    {str::kReasonNoFile, "die Datei gibt es nicht"},
    {str::kReasonNoAccess, "kein Zugriff"},
    {str::kReasonDiskFull, "der Datentr\xE4ger ist voll"},
    {str::kReasonOther, "Systemfehler %1"},
    {str::kIsoCannotStart, "libisofs kann nicht starten"},
    {str::kIsoBrokenTree, "Interner Fehler beim Abbild: %1 hat keinen Ordner"},
    {str::kIniCannotWrite, "nach %1 kann nicht geschrieben werden"},
    {str::kFileCannotOpen,
     "Datei %1 kann nicht ge\xF6"
     "ffnet werden"},
    {str::kFileCannotCreate, "Datei %1 kann nicht erstellt werden"},
    {str::kBitmapInvalid, "Bitmap ist ung\xFCltig"},
    {str::kJpegFailed, "JPEG-Fehler #%1"},
    {str::kPngCannotMake, "PNG kann nicht erzeugt werden"},
    {str::kCliModuleMissing, "%1 braucht die Bibliothek %2, die sich nicht laden l\xE4sst: %3"},
});

}  // namespace

std::span<const BuildString> BuildStrings() {
  return kBuildStrings;
}

bool LanguageGives(int n) {
  // Before the first load the table is empty: nothing is given yet.
  if (n < 1 || n > kLanguageStringCount) return false;
  const std::string& text = LanguageString(n);
  return !text.empty() && text != "missing: Str" + std::to_string(n);
}

std::string BuildText(int n) {
  if (LanguageGives(n)) return LanguageString(n);
  for (const BuildString& s : kBuildStrings)
    if (s.number == n) return std::string(s.german);
  return {};
}

std::string BuildText(int n, std::initializer_list<std::string> args) {
  return FillIn(BuildText(n), args);
}

std::string FillIn(const std::string& text, std::initializer_list<std::string> args) {
  return FillIn(text, std::vector<std::string>(args));
}

std::string ReasonText(int code) {
  switch (code) {
    case ENOENT:
    case ENOTDIR:
      return BuildText(str::kReasonNoFile);
    case EACCES:
    case EPERM:
    case EROFS:
      return BuildText(str::kReasonNoAccess);
    // A file grown past its limit has no room either, as far as the user can tell.
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return BuildText(str::kReasonDiskFull);
    default:
      return BuildText(str::kReasonOther, {std::to_string(code)});
  }
}

std::string ErrorText(const std::exception& error) {
  const auto* worded = dynamic_cast<const WordedError*>(&error);
  if (!worded || worded->textNumber() == 0) return error.what();
  std::vector<std::string> args = worded->textArgs();
  if (const auto* io = dynamic_cast<const IoError*>(&error)) args.push_back(ReasonText(io->code()));
  return FillIn(BuildText(worded->textNumber()), args);
}

std::string FillIn(const std::string& text, const std::vector<std::string>& args) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
      const std::size_t arg = static_cast<std::size_t>(text[i + 1] - '1');
      if (arg < args.size()) {
        out += args[arg];
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

}  // namespace tovix

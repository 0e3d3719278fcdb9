#include "helptexts.h"

namespace tovix::cli {
namespace {

constexpr const char* kOptions =
    "Optionen (vor oder nach dem Befehl):\n"
    "  --ini DATEI        die Einstellungen aus DATEI lesen statt aus der\n"
    "                     tovix.ini des Programms\n"
    "  --set SCHLÜSSEL=WERT  einen Schlüssel der Einstellungsdatei für diesen Lauf\n"
    "                     ändern, z. B. --set mp3dir=/musik/cd1 --set NewBins=1\n"
    "                     (mehrfach möglich; Schlüssel wie in tovix.ini, Groß-\n"
    "                     und Kleinschreibung egal)\n"
    "  --save             die Einstellungen samt Änderungen in die Einstellungs-\n"
    "                     datei zurückschreiben (ohne --save wird dort nichts\n"
    "                     geschrieben)\n"
    "  --help, -h         dieser Text; \"tovix-cli BEFEHL --help\" für einen Befehl\n"
    "\n"
    "Die Sprachdatei wird gelesen wie vom Programm: tovix.lng im aktuellen Ordner,\n"
    "sonst tovix.lng im Programmordner; die Sprache ist der Schlüssel Sprache.\n"
    "Memo- und Protokollzeilen gehen auf die Standardausgabe, Meldungen auf die\n"
    "Standardfehlerausgabe, der Fortschritt (\"[ k / N ]\") dorthin, wenn sie ein\n"
    "Terminal ist. Exit-Codes: 0 fertig, 1 der Durchgang meldete einen Fehler,\n"
    "2 ein falscher Aufruf.\n";

constexpr const char* kCommands =
    "Befehle:\n"
    "  scan PFAD...                 die Tabelle, die tovix-scan ausgibt\n"
    "  picture MP3 OUT.BMP [--jpeg OUT.JPG]\n"
    "                               das Bild eines Liedes, wie der BIN-Lauf es macht\n"
    "  bins                         der BIN-Lauf: eine .BIN-Bilddatei je Lied\n"
    "  texts                        nur die Infotext-Dateien (.TXT)\n"
    "  rename --plan DATEI          die Liste der geplanten Umbenennungen schreiben\n"
    "  rename --apply DATEI         so eine Liste prüfen und anwenden\n"
    "  cdbatch [--no-subdirs]       Short.bat und Long.bat schreiben\n"
    "  recode [--plan] [--jobs N]   die MP3-Dateien für den Spieler umcodieren\n"
    "                               oder kopieren\n"
    "  sheet OUT.png                alle Liedbilder, wie der Fernseher sie zeigt\n"
    "  disc --check [--as-is]       was die CD am Funktionieren hindern würde\n"
    "  disc OUT.iso [--as-is]       ein CD-Abbild, angelegt wie Short.bat es anlegt\n"
    "  demo ORDNER                  eine Beispiel-CD in ORDNER anlegen und den\n"
    "                               ganzen Ablauf darauf ausführen\n"
    "  play MP3 [--wav OUT.WAV]     ein Lied abspielen oder in eine Wave-Datei\n"
    "                               dekodieren\n";

constexpr CommandHelpText kHelp[] = {
    {"scan",
     "Aufruf: tovix-cli scan PFAD...\n"
     "\n"
     "Zeigt, was Tovix aus MP3-Dateien liest: eine Kopfzeile, dann je Datei eine\n"
     "durch Tabulatoren getrennte Zeile mit den Daten des Kopfes und dem ID3v1-TAG.\n"
     "Ein Ordner listet seine *.mp3-Dateien in der Reihenfolge der Durchgänge.\n"
     "Exit-Code 1, wenn ein Pfad fehlt oder nicht lesbar ist (die anderen werden\n"
     "trotzdem gelistet).\n"},
    {"picture",
     "Aufruf: tovix-cli picture MP3 OUT.BMP [--jpeg OUT.JPG]\n"
     "\n"
     "Zeichnet das Liedbild von MP3 genau so, wie der BIN-Lauf es macht: Anordnung,\n"
     "Schriften, Hintergrundbild (Schlüssel bitmap), Skalierung und Overscan-Rand\n"
     "der Einstellungen, ohne Bildschirm gezeichnet. Schreibt ein 704 x 480 großes\n"
     "24-Bit-Bitmap nach OUT.BMP und mit --jpeg eine JPEG-Kopie (Qualität 100).\n"},
    {"bins",
     "Aufruf: tovix-cli bins\n"
     "\n"
     "Der BIN-Lauf der BIN-Seite: sucht die mklogo-Stufe, bei der ein Bild in den\n"
     "Spieler passt (Kalibrierung), macht dann das Bild jedes Liedes und wandelt es\n"
     "mit mklogo und c2bin in seine .BIN-Datei. Quellordner: Schlüssel mp3dir;\n"
     "Zielordner: Schlüssel bindir. Vorhandene .BIN bleiben, außer mit NewBins=1;\n"
     "SaveJpg=1 legt je Lied eine .JPG dazu, MakeTxt=1 die Infotext-Dateien. Die\n"
     "Memo-Zeilen der Seite gehen auf die Standardausgabe. Die Werkzeuge laufen in\n"
     "einem eigenen temporären Arbeitsordner.\n"},
    {"texts",
     "Aufruf: tovix-cli texts\n"
     "\n"
     "Schreibt nur die Infotext-Dateien: eine .TXT je MP3 des Quellordners\n"
     "(Schlüssel mp3dir) in den BIN-Ordner (Schlüssel bindir), mit dem Lied davor,\n"
     "dem Lied selbst und den zwei danach. Vorhandene .TXT werden ersetzt.\n"},
    {"rename",
     "Aufruf: tovix-cli rename --plan DATEI\n"
     "        tovix-cli rename --apply DATEI\n"
     "\n"
     "--plan schreibt die Liste der geplanten Umbenennungen des Quellordners\n"
     "(Schlüssel mp3dir) nach DATEI, genau wie die Umbenennen-Seite sie baut, eine\n"
     "Zeile je Datei:\n"
     "  \"alter Name.mp3\"=\"Interpret - Titel.mp3\"\n"
     "--plan ändert keine Datei. Mit ID3v2=1 kommen Interpret oder Titel, die dem\n"
     "ID3v1-TAG fehlen, aus dem ID3v2-TAG; mit MakeTag=1 wird ein noch fehlender\n"
     "für den geplanten Namen aus dem Dateinamen gemacht.\n"
     "DATEI nach Belieben bearbeiten (neue Namen ändern, Zeilen löschen), dann:\n"
     "--apply prüft zuerst jede Zeile: jeder alte Name muss da sein und jeder neue\n"
     "ein einfacher Dateiname (scheitert eine Zeile, wird nichts umbenannt). Dann\n"
     "speichert es für die Dateien aus DATEI mit MakeTag=1 und SaveTag=1 den TAG,\n"
     "den die Seite beim Bauen ihrer Liste speichert, benennt die Dateien um und\n"
     "schreibt mit SaveTag=1 Interpret und Titel aus den neuen Namen (auch in\n"
     "schreibgeschützte Dateien); mit NiceWords=1 beginnen Wörter groß. Planen und\n"
     "Anwenden enden also, wo die Liste der Seite und OK enden. Eine Umbenennung\n"
     "ersetzt nie eine Datei.\n"
     "\n"
     "Ein neuer Name muss auf eine CD passen (keins von / \\ : * ? \" < > |). Jedes\n"
     "Lied nimmt seine .BIN, .JPG und .TXT gleichen Namens im BIN-Ordner (Schlüssel\n"
     "bindir) mit; keine davon darf einen vorhandenen Namen bekommen. --apply\n"
     "schreibt DATEI.undo, die Liste umgekehrt: tovix-cli rename --apply DATEI.undo\n"
     "gibt jeder Datei ihren Namen zurück (Begleitdateien auch; eine Liste, deren\n"
     "Name auf .undo endet, wird angewendet, wie sie ist: ohne Großschreibung, ohne\n"
     "TAGs).\n"
     "\n"
     "DATEI ist eine Textdatei in Windows-1252 (wie die Liste der Seite), mit\n"
     "CR-LF-Zeilenenden; mit einem Editor bearbeiten, der diese Kodierung behält.\n"},
    {"cdbatch",
     "Aufruf: tovix-cli cdbatch [--no-subdirs]\n"
     "\n"
     "Schreibt Short.bat und Long.bat in den Quellordner (Schlüssel mp3dir), wie die\n"
     "CD-Batch-Seite. Short.bat verschiebt jede MP3-Datei (samt ihrer .bin, .jpg und\n"
     ".txt aus dem BIN-Ordner, Schlüssel bindir) unter kurzem Namen in einen nach\n"
     "ihrem Anfangsbuchstaben benannten Unterordner; Long.bat holt sie zurück.\n"
     "--no-subdirs lässt die Dateien im Ordner und kürzt nur die Namen. Die\n"
     "Batchdateien werden nicht ausgeführt; auf diesem System führt man sie mit\n"
     "tovix-cmd aus dem Programmordner aus.\n"},
    {"recode",
     "Aufruf: tovix-cli recode [--plan] [--jobs N]\n"
     "\n"
     "Der Umcodier-Durchgang von Seite 2: jede MP3-Datei des Quellordners\n"
     "(Schlüssel mp3dir) wird mit lame über Mp3ToMp3.bat umcodiert (oder, mit\n"
     "TmpWav=1, in eine WAV-Datei im Ordner des Schlüssels TempDir dekodiert und\n"
     "über Wavtomp3.bat kodiert) oder unverändert in den Umcodier-Ordner (Schlüssel\n"
     "WaveDir) kopiert. Umcodiert wird bei Recode=1, wenn die Bitrate unter 128\n"
     "liegt (if127=1), die Datei nicht reines Stereo ist (ifMono=1), ihr Encoder\n"
     "kritisch ist (ifXing=1) oder ihre Bitrate nicht die neue ist (Bitrate=0:\n"
     "128 kBit, 1: 192 kBit). Die Memo-Zeilen gehen auf die Standardausgabe und in\n"
     "TOVIX.LOG im Umcodier-Ordner. Die Quelldateien bleiben unverändert. Strg+C\n"
     "bricht ab wie \" oops...\" auf der Seite.\n"
     "\n"
     "--plan     nichts ausführen; je Datei Name, \"recode\" oder \"copy\" und die\n"
     "           entscheidende Regel ausgeben, durch Tabulatoren getrennt; eine\n"
     "           umzucodierende Datei mit * oder ? im Namen (Platzhalter für die\n"
     "           Batchdateien) ist \"refused\" mit dem Grund und bleibt, wie sie ist\n"
     "--jobs N   N Dateien zugleich umcodieren (Vorgabe: Zahl der Prozessoren);\n"
     "           die Zeilen jeder Datei bleiben beisammen, in Dateireihenfolge\n"
     "\n"
     "Exit-Code 1, wenn eine Datei mit einem Fehler endete, der Durchgang\n"
     "abgebrochen oder abgelehnt wurde.\n"},
    {"sheet",
     "Aufruf: tovix-cli sheet OUT.png\n"
     "\n"
     "Dekodiert jede .BIN des BIN-Ordners (Schlüssel bindir) und legt die Bilder so\n"
     "an, wie der Fernseher sie zeigt: je 640 x 480 (704 x 480 bei\n"
     "4:3), der Overscan-Rand der Einstellungen (Schlüssel Overscan) schattiert,\n"
     "jedes mit seinem Lied beschriftet, in der Reihenfolge des MP3-Ordners\n"
     "(Schlüssel mp3dir). Ein Lied ohne .BIN ist ein leerer Rahmen, der das sagt,\n"
     "eine nicht dekodierbare .BIN ein roter Rahmen; .BIN-Dateien ohne Lied folgen\n"
     "unter ihrem eigenen Namen. Die Bilder kommen in PNG-Seiten zu höchstens 48:\n"
     "OUT.png, OUT-2.png, OUT-3.png, ... (Dateien dieser Namen werden ersetzt).\n"},
    {"disc",
     "Aufruf: tovix-cli disc --check [--as-is] [--size MB]\n"
     "        tovix-cli disc OUT.iso [--as-is] [--size MB] [--replace]\n"
     "\n"
     "Der CD-Ordner ist der MP3-Ordner (Schlüssel mp3dir), der auch der BIN-Ordner\n"
     "(Schlüssel bindir) sein muss, wie beim CD-Batch-Paar.\n"
     "--check listet alles, was die CD am Funktionieren hindern würde, jeweils mit\n"
     "seiner Datei, und endet mit 1, wenn es etwas gibt: mehr als das Medium fasst\n"
     "(--size 650, 700 oder 800 MB; Vorgabe 700), mehr als 8 Ordnerebenen, mehr\n"
     "Ordner oder Dateien, als der Spieler liest (Schlüssel DiscFolders, Vorgabe\n"
     "255, und DiscFiles, Vorgabe 999), eine .BIN über 163840 Bytes, Namen, die sich\n"
     "nur in Groß-/Kleinschreibung unterscheiden, Namen, die die CD nicht tragen\n"
     "kann. Lieder ohne .BIN und MP3-Dateien, die Short.bat liegen lässt, sind\n"
     "Warnungen und lassen die Prüfung nicht scheitern.\n"
     "Mit OUT.iso läuft zuerst die Prüfung; besteht sie, wird ein ISO-9660-Abbild\n"
     "der Stufe 1 (8.3-Namen aus A-Z, 0-9, _) geschrieben, von Haus aus so angelegt,\n"
     "wie Short.bat den Ordner anlegt: Buchstabenordner (0-9 wird 0_9, Umlaute AE,\n"
     "OE, UE), kurze nummerierte Namen, neben jedem Lied seine .BIN, .JPG und .TXT\n"
     "unter demselben kurzen Namen. Der Ordner selbst bleibt unverändert. --as-is\n"
     "nimmt den Ordner, wie er ist (nachdem Short.bat lief), und lehnt Namen ab, die\n"
     "nicht sauber 8.3 sind. Der Datenträgername ist der Name des Ordners, genauso\n"
     "bereinigt. Das Abbild wird neben OUT.iso geschrieben und erst fertig an seinen\n"
     "Platz gelegt; ein vorhandenes OUT.iso bleibt, außer mit --replace.\n"},
    {"demo",
     "Aufruf: tovix-cli demo ORDNER\n"
     "\n"
     "Legt in ORDNER (fehlt er, wird er angelegt; vorhandene Dateien werden nie\n"
     "ersetzt) einen kleinen Beispiel-CD-Ordner an: eine Handvoll mit lame kodierter\n"
     "Lieder, einige mit ID3v1-TAG, einige ohne, und ein Hintergrundbild; führt\n"
     "darauf mit den Grundeinstellungen (nur die Sprache kommt aus der\n"
     "Einstellungsdatei) den BIN-Lauf, die Infotexte und das CD-Batch-Paar aus,\n"
     "macht die TV-Ansicht (tv-sheet.png) und das CD-Abbild (tovix-demo.iso) in\n"
     "ORDNER und sagt, wo die Ergebnisse liegen.\n"},
    {"play",
     "Aufruf: tovix-cli play MP3 [--wav OUT.WAV]\n"
     "\n"
     "Spielt MP3 über die Player-Komponente und die Dekoderbibliothek libmpegdll.so\n"
     "des Programmordners ab und zeigt jede Sekunde die gespielte Zeit; der Ton geht\n"
     "an die Standardausgabe des Systems (TOVIX_AUDIO_OUT nennt ein anderes\n"
     "libout123-Modul, z. B. dummy). Mit --wav wird das Lied stattdessen in die neue\n"
     "Wave-Datei OUT.WAV dekodiert (16-Bit-PCM, so schnell die Dekodierung geht);\n"
     "eine vorhandene Datei wird nicht ersetzt. Exit-Code 1, wenn die Bibliothek\n"
     "oder das Lied scheitert, mit der Meldung und dem Code des Players.\n"},
};

}  // namespace

const HelpTexts kGermanHelp = {
    "Aufruf: tovix-cli [OPTIONEN] BEFEHL [ARGUMENTE...]\n",
    "Führt die Durchgänge von Tovix ohne Fenster aus, mit den Einstellungen des\n"
    "Programms: tovix.ini im Programmordner oder in $XDG_CONFIG_HOME/tovix/\n"
    "(~/.config/tovix/), wenn der Programmordner nicht beschreibbar ist (eine\n"
    "installierte Kopie).\n",
    kCommands,
    kOptions,
    kHelp,
};

}  // namespace tovix::cli

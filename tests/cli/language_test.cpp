// tovix-cli speaks the language of the setting Sprache in every command,
// its help, bad calls and failures included: an English or French run shows
// no German word, a German run no English one. Names of files and tags are
// taken out of the output first, as they are the user's, not the program's.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

#include "cli/clifixture.h"
#include "rename/mp3fixture.h"

namespace tovix {
namespace {

using test::CliOutcome;
using test::TempDir;

// Words only German texts hold (lower case), and the umlauts and sharp s.
const std::set<std::string> kGermanWords = {
    "nicht",       "kann",        "werden",    "datei",     "dateien",  "ordner",
    "lied",        "lieder",      "keine",     "kein",      "fehler",   "und",
    "oder",        "mit",         "der",       "ist",       "aufruf",   "befehl",
    "befehle",     "zeile",       "bild",      "bilder",    "erstelle", "sendeschluss",
    "fertig",      "geschrieben", "gewandelt", "umcodiert", "kopiert",  "ausgelassen",
    "einstellung", "schrift",     "farbe",     "optionen",  "gibt",     "es"};
const char* const kGermanLetters[] = {"\xC3\xA4", "\xC3\xB6", "\xC3\xBC", "\xC3\x9F",
                                      "\xC3\x84", "\xC3\x96", "\xC3\x9C"};
// Words only English texts hold.
const std::set<std::string> kEnglishWords = {
    "the",      "is",      "not",      "cannot",    "written",   "folder", "folders", "file",
    "files",    "song",    "songs",    "missing",   "skipped",   "usage",  "unknown", "settings",
    "pictures", "failed",  "copied",   "without",   "exist",     "exists", "given",   "line",
    "lines",    "renamed", "creating", "converted", "broadcast", "error",  "commands"};

// The names the run prints back: the fixture's songs, tags and folders, the
// demo's songs. Longest first, so a name is not cut by a shorter one.
const std::vector<std::string> kNames = {
    "Zugv\xC3\xB6gel - Reise nach S\xC3\xBC"
    "den",
    "Caf\xC3\xA9 ohne Tag", "Neu - Caf\xC3\xA9", "Die Wellen - Abendlied",
    "\xC3\x9C"
    "ber den Wolken",
    "Nordlicht - Polarnacht", "Sonnenschein", "Morgentau", "07 Ohne Namen", "Kerstin Adler",
    "Die Wellen", "Erster Titel", "Hintergrund", "Tovix Demo", "Abendlied", "Polarnacht",
    "Nordlicht", "kaputt", "track01", "track02", "Band", "pair", "PAIR", "Sprache",
    // Commands, options and the scan table's field names keep their names.
    "--as-is", "picture",
    "File\tDuration\tFileLength\tVersion\tLayer\tSampleRate\tBitRate\tMode\tCopyright\t"
    "Original\tNoCrc\tPadding\tFrameLength\tEncoder\tTitle\tArtist\tAlbum\tComment\tYear\t"
    "Track\tGenre\tLyricsKind"};

// The words of text that the given list holds, after names are taken out.
std::set<std::string> Offending(std::string text, const std::vector<std::string>& paths,
                                const std::set<std::string>& words, bool umlauts) {
  for (const std::string& name : paths)
    for (std::size_t at; !name.empty() && (at = text.find(name)) != std::string::npos;)
      text.replace(at, name.size(), " ");
  for (const std::string& name : kNames)
    for (std::size_t at; (at = text.find(name)) != std::string::npos;)
      text.replace(at, name.size(), " ");
  std::set<std::string> found;
  std::string word;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const unsigned char c = i < text.size() ? static_cast<unsigned char>(text[i]) : ' ';
    if (std::isalpha(c) || c >= 0x80) {
      word += static_cast<char>(std::tolower(c));
      continue;
    }
    if (words.count(word)) found.insert(word);
    word.clear();
  }
  if (umlauts)
    for (const char* letter : kGermanLetters)
      if (text.find(letter) != std::string::npos) found.insert(letter);
  return found;
}

struct Call {
  std::vector<std::string> args;  // "@" stands for the fixture's folder
  const char* locked = nullptr;   // a folder made read-only for the run
};

TEST(CliLanguage, EveryCommandSpeaksTheChosenLanguage) {
  TempDir program;
  ASSERT_TRUE(test::MakeProgramFolder(program));
  ASSERT_TRUE(test::MirrorProgramFiles(program.path(), {"libmpegdll.so"}));
  const std::vector<Call> calls = {
      {{"--help"}},
      {{"help", "rename"}},
      {{"disc", "--help"}},
      {{"burn"}},
      {{"picture", "one.mp3"}},
      {{"--set", "colour=red"}},
      {{"disc", "--check", "--size", "600"}},
      {{"recode", "--jobs", "0"}},
      {{"rename"}},
      {{"scan", "music", "music/none.mp3"}},
      {{"picture", "music/track01.mp3", "bins/one.bmp", "--jpeg", "bins/one.jpg"}},
      {{"picture", "music/none.mp3", "bins/two.bmp"}},
      {{"--set", "MakeTxt=1", "bins"}},
      {{"texts"}},
      {{"texts"}, "bins"},
      {{"--set", "mp3dir=@/nowhere", "texts"}},
      {{"rename", "--plan", "lists/new.txt"}},
      {{"cdbatch"}},
      {{"cdbatch"}, "music"},
      {{"recode", "--plan"}},
      {{"--set", "Recode=0", "recode"}},
      {{"sheet", "bins/tv.png"}},
      {{"disc", "--check"}},
      {{"--set", "bindir=@/music", "disc", "cd.iso"}},
      {{"play", "music/track01.mp3", "--wav", "bins/out.wav"}},
      {{"play", "music/track01.mp3", "--wav", "bins/out.wav"}},
      {{"play", "music/kaputt.mp3", "--wav", "bins/bad.wav"}},
      {{"demo", "demo"}},
      // Last: the songs it renames are no longer there to be handed over.
      {{"rename", "--apply", "lists/plan.txt"}},
  };
  struct Language {
    const char* number;
    const std::set<std::string>& foreign;
    bool umlauts;
  };
  for (const Language& language :
       {Language{"1", kGermanWords, true}, Language{"2", kGermanWords, true},
        Language{"0", kEnglishWords, false}}) {
    test::CliFixture f(program.path() + "/");
    // A file that is no MP3, and two names a CD cannot tell apart.
    f.Put("music/kaputt.mp3", "no sound in here\r\n");
    f.Put("music/pair.mp3", test::Song("Band", "Eins", 'p'));
    f.Put("music/PAIR.mp3", test::Song("Band", "Zwei", 'q'));
    const std::vector<std::string> paths = {f.root(), program.path()};
    for (const Call& call : calls) {
      std::vector<std::string> args = {"--set", std::string("Sprache=") + language.number};
      for (std::string arg : call.args) {
        if (const auto at = arg.find('@'); at != std::string::npos) arg.replace(at, 1, f.root());
        args.push_back(arg);
      }
      if (call.locked) chmod(f.file(call.locked).c_str(), 0555);
      const CliOutcome run = f.Run(args);
      if (call.locked) chmod(f.file(call.locked).c_str(), 0755);
      const std::string said = run.out + run.err;
      SCOPED_TRACE("Sprache=" + std::string(language.number) + " " + args.back() + "\n" + said);
      EXPECT_NE(run.exitCode, -1);
      EXPECT_FALSE(said.empty());
      std::string words;
      for (const std::string& w : Offending(said, paths, language.foreign, language.umlauts))
        words += " " + w;
      EXPECT_EQ(words, "");
    }
  }
}

}  // namespace
}  // namespace tovix

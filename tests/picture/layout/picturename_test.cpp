#include "picture/picturename.h"
#include "platform/codepage.h"

#include <gtest/gtest.h>

#include "rename/texthelpers.h"

namespace tovix {
namespace {

TEST(PictureBaseName, UpperCasesAndDropsTheExtension) {
  EXPECT_EQ(PictureBaseName("Meine Lieder.mp3"), "MEINE LIEDER");
  EXPECT_EQ(PictureBaseName("song.MP3"), "SONG");
}

TEST(PictureBaseName, OnlyTheFirstMp3IsRemoved) {
  EXPECT_EQ(PictureBaseName("abc.mp3.mp3"), "ABC.MP3");
  EXPECT_EQ(PictureBaseName("mp3.mp3"), "MP3");
}

TEST(PictureBaseName, NameWithoutMp3KeepsEverything) {
  EXPECT_EQ(PictureBaseName("track.wav"), "TRACK.WAV");
  EXPECT_EQ(PictureBaseName(""), "");
}

TEST(PictureBaseName, ByteEfBecomesAnApostrophe) {
  EXPECT_EQ(PictureBaseName("Don\xEFt stop.mp3"), "DON'T STOP");
  EXPECT_EQ(PictureBaseName("\xEF\xEF.mp3"), "''");
}

TEST(PictureBaseName, AnsiUmlautsLeaveInTheOemCodePage) {
  // "Größe" in Windows-1252: the accented letters are not upper-cased, and
  // the name is handed over in code page 850 (ö 0x94, ß 0xE1).
  const std::string name = PictureBaseName(
      "Gr\xF6\xDF"
      "e.mp3");
  EXPECT_EQ(name,
            "GR\x94\xE1"
            "E");
  EXPECT_EQ(ToAnsiIfOem(name),
            "GR\xF6\xDF"
            "E");
}

TEST(PictureBaseName, EveryLetterOfCodePage850ReachesTheBatchAsIt) {
  // Letters beyond the sixteen of the umlaut guess are converted too, so
  // the interpreter reads the song's own name back (ë 0x89, ó 0xA2, ç 0x87).
  EXPECT_EQ(PictureBaseName("No\xEBl.mp3"), "NO\x89L");
  EXPECT_EQ(platform::OemToAnsi(PictureBaseName("Sigur R\xF3s - Gar\xE7on.mp3")),
            "SIGUR R\xF3S - GAR\xE7ON");
}

}  // namespace
}  // namespace tovix

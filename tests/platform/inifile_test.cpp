#include "platform/inifile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/ioerror.h"
#include "support/tempdir.h"

namespace tovix::platform {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(IniFileRead, NamesWithoutRegardToCaseAndValuesTrimmedAndUnquoted) {
  TempDir dir;
  WriteFile(dir.file("a.ini"),
            "[Tovix]\r\nWaveDir=  /music/out  \r\nquoted=\"  padded  \"\r\nsingle='x'\r\n"
            "half=\"open\r\n");
  IniFile ini(dir.file("a.ini"));
  EXPECT_EQ(ini.ReadString("tovix", "wavedir", "?"), "/music/out");
  EXPECT_EQ(ini.ReadString("TOVIX", "QUOTED", "?"), "  padded  ");
  EXPECT_EQ(ini.ReadString("Tovix", "single", "?"), "x");
  EXPECT_EQ(ini.ReadString("Tovix", "half", "?"), "\"open");
  EXPECT_EQ(ini.ReadString("Tovix", "missing", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadString("Other", "WaveDir", "dflt"), "dflt");
}

TEST(IniFileRead, MissingFileGivesDefaults) {
  TempDir dir;
  IniFile ini(dir.file("none.ini"));
  EXPECT_EQ(ini.ReadString("Tovix", "mp3dir", "cwd"), "cwd");
  EXPECT_EQ(ini.ReadInteger("Tovix", "Overscan", 30), 30);
  EXPECT_TRUE(ini.ReadBool("Tovix", "Recode", true));
}

TEST(IniFileRead, ValueIsCutAt1023Characters) {
  TempDir dir;
  WriteFile(dir.file("a.ini"),
            "[S]\nlong=" + std::string(1500, 'x') + "\nexact=" + std::string(1023, 'y') + "\n");
  IniFile ini(dir.file("a.ini"));
  EXPECT_EQ(ini.ReadString("S", "long", ""), std::string(1023, 'x'));
  EXPECT_EQ(ini.ReadString("S", "exact", ""), std::string(1023, 'y'));
}

TEST(IniFileRead, IntegersDecimalHexadecimalAndBad) {
  TempDir dir;
  WriteFile(dir.file("a.ini"),
            "[S]\nneg=-7\nhex=0x10\nHEX=0X1f\nhex2=0X1f\nshort=0x\ncolor=0x80000008\nbad=12abc\n"
            "empty=\nplus=+5\nhuge=99999999999\nbool0=0\nbool2=2\n");
  IniFile ini(dir.file("a.ini"));
  EXPECT_EQ(ini.ReadInteger("S", "neg", 0), -7);
  EXPECT_EQ(ini.ReadInteger("S", "hex", 0), 16);  // the first of two spellings
  EXPECT_EQ(ini.ReadInteger("S", "hex2", 0), 31);
  EXPECT_EQ(ini.ReadInteger("S", "short", 99), 99);  // "0x" alone is no number
  EXPECT_EQ(ini.ReadInteger("S", "color", 0), static_cast<int>(0x80000008u));
  EXPECT_EQ(ini.ReadInteger("S", "bad", 42), 42);
  EXPECT_EQ(ini.ReadInteger("S", "empty", 42), 42);
  EXPECT_EQ(ini.ReadInteger("S", "plus", 0), 5);
  EXPECT_EQ(ini.ReadInteger("S", "huge", 3), 3);
  EXPECT_FALSE(ini.ReadBool("S", "bool0", true));
  EXPECT_TRUE(ini.ReadBool("S", "bool2", false));
  EXPECT_TRUE(ini.ReadBool("S", "bad", true));  // not a number: the default
}

TEST(IniFileWrite, CreatesFileAndSectionAndWritesKeyEqualsValue) {
  TempDir dir;
  IniFile ini(dir.file("new.ini"));
  ini.WriteString("Tovix", "mp3dir", "/music");
  ini.WriteInteger("Tovix", "Font1.Color", static_cast<int>(0x80000008u));
  ini.WriteBool("Tovix", "Recode", true);
  const std::string text = ReadFile(dir.file("new.ini"));
  EXPECT_NE(text.find("[Tovix]"), std::string::npos);
  EXPECT_NE(text.find("mp3dir=/music"), std::string::npos);
  EXPECT_NE(text.find("Font1.Color=-2147483640"), std::string::npos);
  EXPECT_NE(text.find("Recode=1"), std::string::npos);
  EXPECT_EQ(ini.ReadString("tovix", "MP3DIR", ""), "/music");
}

TEST(IniFileWrite, UpdatesInPlaceAndKeepsOtherLines) {
  TempDir dir;
  WriteFile(dir.file("a.ini"), "[Tovix]\nfirst=1\nWaveDir=old\nlast=3\n[Other]\nx=y\n");
  IniFile ini(dir.file("a.ini"));
  ini.WriteString("Tovix", "wavedir", "new");
  ini.WriteString("Tovix", "WAVEDIR", "new");
  const std::string text = ReadFile(dir.file("a.ini"));
  const auto first = text.find("first=1"), wave = text.find("=new"), last = text.find("last=3");
  ASSERT_NE(wave, std::string::npos);
  EXPECT_LT(first, wave);
  EXPECT_LT(wave, last);
  EXPECT_EQ(text.find("old"), std::string::npos);
  EXPECT_EQ(text.find("=new"), text.rfind("=new"));  // updated, not added twice
  EXPECT_EQ(ini.ReadString("Other", "x", ""), "y");
}

TEST(IniFileWrite, CommentsUnknownLinesAndLineEndsAreKept) {
  TempDir dir;
  const std::string before =
      "; Tovix settings\r\n# by hand\r\n\r\n[Tovix]\r\n; the songs\r\nmp3dir=/old\r\n"
      "a line the reader skips\r\nScale=1\r\n\r\n; about other\r\n[Other]\r\nx=y\r\n; the end";
  WriteFile(dir.file("a.ini"), before);
  IniFile ini(dir.file("a.ini"));
  ini.WriteString("tovix", "MP3DIR", "/new");
  ini.WriteString("Tovix", "bindir", "/bins");
  ini.WriteString("Fresh", "k", "v");
  EXPECT_EQ(ReadFile(dir.file("a.ini")),
            "; Tovix settings\r\n# by hand\r\n\r\n[Tovix]\r\n; the songs\r\nMP3DIR=/new\r\n"
            "a line the reader skips\r\nScale=1\r\nbindir=/bins\r\n\r\n; about other\r\n"
            "[Other]\r\nx=y\r\n; the end\r\n[Fresh]\r\nk=v\r\n");
  EXPECT_EQ(ini.ReadString("Tovix", "mp3dir", ""), "/new");
  // A file of LF lines gets LF lines.
  WriteFile(dir.file("b.ini"), "[S]\n;c\n");
  IniFile(dir.file("b.ini")).WriteString("S", "k", "1");
  EXPECT_EQ(ReadFile(dir.file("b.ini")), "[S]\nk=1\n;c\n");
}

TEST(IniFileWrite, FailureNamesTheFile) {
  TempDir dir;
  IniFile ini(dir.file("no/such/folder/tovix.ini"));
  try {
    ini.WriteString("Tovix", "k", "v");
    FAIL() << "write into a missing folder succeeded";
  } catch (const IoError& e) {
    EXPECT_EQ(std::string(e.what()),
              "nach " + dir.file("no/such/folder/tovix.ini") + " kann nicht geschrieben werden");
  }
}

TEST(IniFileWrite, ReadOnlyFileIsNeitherWrittenNorReplaced) {
  TempDir dir;
  const std::string path = dir.file("ro.ini");
  WriteFile(path, "[Tovix]\nk=old\n");
  chmod(path.c_str(), 0444);
  IniFile ini(path);
  EXPECT_THROW(ini.WriteString("Tovix", "k", "new"), IoError);
  EXPECT_EQ(ReadFile(path), "[Tovix]\nk=old\n");
}

TEST(IniFileWrite, AnUpdateKeepsTheFilesLineEnds) {
  TempDir dir;
  const std::string crlf = dir.file("crlf.ini");
  WriteFile(crlf, "[Tovix]\r\nk=old\r\nother=1\r\n");
  IniFile(crlf).WriteString("Tovix", "k", "new");
  IniFile(crlf).WriteString("Tovix", "added", "2");
  EXPECT_EQ(ReadFile(crlf), "[Tovix]\r\nk=new\r\nother=1\r\nadded=2\r\n");
  const std::string lf = dir.file("lf.ini");
  WriteFile(lf, "[Tovix]\nk=old\n");
  IniFile(lf).WriteString("Tovix", "k", "new");
  EXPECT_EQ(ReadFile(lf), "[Tovix]\nk=new\n");
}

TEST(ProfileInteger, Rules) {
  int v = 0;
  EXPECT_TRUE(ParseProfileInteger("  12  ", v));
  EXPECT_EQ(v, 12);
  EXPECT_TRUE(ParseProfileInteger("0xff", v));
  EXPECT_EQ(v, 255);
  EXPECT_FALSE(ParseProfileInteger("0x", v));
  EXPECT_FALSE(ParseProfileInteger("-", v));
  EXPECT_FALSE(ParseProfileInteger("1 2", v));
  EXPECT_FALSE(ParseProfileInteger("0xg1", v));
}

}  // namespace
}  // namespace tovix::platform

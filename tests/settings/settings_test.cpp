// The settings file: keys, spellings, defaults and the write order.
#include "settings/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>
#include <vector>

#include "platform/ioerror.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

std::vector<std::string> KeysInOrder(const std::string& text) {
  std::vector<std::string> keys;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto eq = line.find('=');
    if (eq != std::string::npos) keys.push_back(line.substr(0, eq));
  }
  return keys;
}

const std::vector<std::string> kWrittenKeys = {"mp3dir",
                                               "bindir",
                                               "wavedir",
                                               "tempdir",
                                               "lastfile",
                                               "bitmap",
                                               "Font1.Name",
                                               "Font1.Color",
                                               "Font1.Size",
                                               "Font1.Style.Bold",
                                               "Font1.Style.italic",
                                               "Font2.Name",
                                               "Font2.Color",
                                               "Font2.Size",
                                               "Font2.Style.Bold",
                                               "Font2.Style.italic",
                                               "Artist.Top",
                                               "Artist.Left",
                                               "Title.Top",
                                               "Title.Left",
                                               "Laufzeit.Top",
                                               "Laufzeit.Left",
                                               "Tech.Top",
                                               "Tech.Left",
                                               "Encoder.Top",
                                               "Encoder.Left",
                                               "Scale",
                                               "Overscan",
                                               "Recode",
                                               "if127",
                                               "ifMono",
                                               "ifXing",
                                               "Bitrate",
                                               "TmpWav",
                                               "NewBins",
                                               "MakeTxt",
                                               "NiceWords",
                                               "MakeTag",
                                               "SaveTag",
                                               "X2Blank",
                                               "SaveJpg",
                                               "ID3v2",
                                               "Sprache",
                                               "DiscFolders",
                                               "DiscFiles"};

class SettingsFile : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::string path = dir.file("tovix.ini");
  void Store(const std::string& body) { test::WriteFile(path, "[Tovix]\r\n" + body); }
  Settings Read() { return ReadSettings(platform::IniFile(path), "/work/here"); }
};

TEST_F(SettingsFile, MissingFileGivesTheDefaults) {
  const Settings s = Read();
  EXPECT_EQ(s.SourceDir, "/work/here");
  EXPECT_EQ(s.BinDir, "/work/here");
  EXPECT_EQ(s.RecodeDir, "");
  EXPECT_EQ(s.TempDir, "");
  EXPECT_EQ(s.LastFile, "");
  EXPECT_EQ(s.BitmapFile, "");
  EXPECT_EQ(s.Font1.name, "Tahoma");
  EXPECT_EQ(s.Font1.color, static_cast<std::int32_t>(0x80000008u));
  EXPECT_EQ(s.Font1.size, 20);
  EXPECT_EQ(s.Font2.size, 14);
  // The form's own styles: Font1 bold, Font2 bold italic.
  EXPECT_TRUE(s.Font1.bold && s.Font2.bold && s.Font2.italic);
  EXPECT_FALSE(s.Font1.italic);
  EXPECT_EQ(s.Positions[0].top, 84);
  EXPECT_EQ(s.Positions[0].left, 94);
  EXPECT_EQ(s.Positions[4].top, 368);
  EXPECT_EQ(s.Positions[4].left, 95);
  EXPECT_EQ(s.Scale, 0);
  EXPECT_EQ(s.Overscan, 30);
  EXPECT_TRUE(s.Recode && s.If127 && s.IfMono && s.IfXing && s.TmpWav);
  EXPECT_EQ(s.Bitrate, 0);
  EXPECT_FALSE(s.NewBins || s.MakeTxt || s.SaveJpg);
  EXPECT_TRUE(s.NiceWords && s.MakeTag && s.SaveTag && s.X2Blank);
  EXPECT_EQ(s.Language, 0);
  EXPECT_EQ(s.DiscFolders, 255);
  EXPECT_EQ(s.DiscFiles, 999);
}

TEST_F(SettingsFile, WriteGivesEveryKeyInOrderWithItsWrittenSpelling) {
  platform::IniFile ini(path);
  WriteSettings(ini, Read());
  const std::string text = test::ReadFile(path);
  EXPECT_EQ(text.rfind("[Tovix]", 0), 0u) << text;
  EXPECT_EQ(KeysInOrder(text), kWrittenKeys);
  EXPECT_NE(text.find("Font1.Color=-2147483640"), std::string::npos);
  EXPECT_NE(text.find("Recode=1"), std::string::npos);
  EXPECT_NE(text.find("NewBins=0"), std::string::npos);
  EXPECT_NE(text.find("Overscan=30"), std::string::npos);
}

TEST_F(SettingsFile, EveryFieldSurvivesARoundTrip) {
  Settings s;
  s.SourceDir = "/m\xe4n/mp3/";  // Windows-1252 text, kept byte for byte
  s.BinDir = "/bin dir";
  s.RecodeDir = "/re";
  s.TempDir = "/tmp/";
  s.LastFile = "/m/a.mp3";
  s.BitmapFile = "/m/b.jpg";
  s.Font1 = {"Arial", 0x0000FF, 33, true, false};
  s.Font2 = {"Courier New", -5, 9, false, true};
  for (int i = 0; i < 5; ++i) s.Positions[i] = {i * 10 - 3, i * 7};
  s.Scale = 4;
  s.Overscan = 55;
  s.Recode = false;
  s.If127 = false;
  s.IfMono = false;
  s.IfXing = false;
  s.Bitrate = -1;
  s.TmpWav = false;
  s.NewBins = s.MakeTxt = s.SaveJpg = true;
  s.NiceWords = s.MakeTag = s.SaveTag = s.X2Blank = false;
  s.Language = 2;
  s.DiscFolders = 99;
  s.DiscFiles = 500;
  platform::IniFile ini(path);
  WriteSettings(ini, s);
  const Settings r = Read();
  EXPECT_EQ(r.SourceDir, s.SourceDir);
  EXPECT_EQ(r.BinDir, s.BinDir);
  EXPECT_EQ(r.RecodeDir, s.RecodeDir);
  EXPECT_EQ(r.TempDir, s.TempDir);
  EXPECT_EQ(r.LastFile, s.LastFile);
  EXPECT_EQ(r.BitmapFile, s.BitmapFile);
  EXPECT_EQ(r.Font1.name, "Arial");
  EXPECT_EQ(r.Font1.color, 0xFF);
  EXPECT_EQ(r.Font1.size, 33);
  EXPECT_TRUE(r.Font1.bold);
  EXPECT_FALSE(r.Font1.italic);
  EXPECT_EQ(r.Font2.name, "Courier New");
  EXPECT_EQ(r.Font2.color, -5);
  EXPECT_TRUE(r.Font2.italic);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(r.Positions[i].top, s.Positions[i].top);
    EXPECT_EQ(r.Positions[i].left, s.Positions[i].left);
  }
  EXPECT_EQ(r.Scale, 4);
  EXPECT_EQ(r.Overscan, 55);
  EXPECT_FALSE(r.Recode || r.If127 || r.IfMono || r.IfXing || r.TmpWav);
  EXPECT_EQ(r.Bitrate, -1);
  EXPECT_TRUE(r.NewBins && r.MakeTxt && r.SaveJpg);
  EXPECT_FALSE(r.NiceWords || r.MakeTag || r.SaveTag || r.X2Blank);
  EXPECT_EQ(r.Language, 2);
  EXPECT_EQ(r.DiscFolders, 99);
  EXPECT_EQ(r.DiscFiles, 500);
}

TEST_F(SettingsFile, StyleFlagsAddToTheFormsStylesAndAreWrittenAsShown) {
  // Stored 0s remove nothing; the file then holds the styles the labels
  // show, and its CR LF line ends stay as they were.
  Store(
      "Font1.Style.Bold=0\r\nFont1.Style.Italic=0\r\nFont2.Style.Bold=0\r\n"
      "Font2.Style.Italic=0\r\n");
  Settings s = Read();
  EXPECT_TRUE(s.Font1.bold && s.Font2.bold && s.Font2.italic);
  EXPECT_FALSE(s.Font1.italic);
  {
    platform::IniFile ini(path);
    WriteSettings(ini, s);
  }
  const std::string text = test::ReadFile(path);
  for (const char* line : {"Font1.Style.Bold=1\r\n", "Font1.Style.italic=0\r\n",
                           "Font2.Style.Bold=1\r\n", "Font2.Style.italic=1\r\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line << text;
  EXPECT_EQ(text.find_first_of('\n'), text.find("\r\n") + 1) << text;
  std::size_t bare = 0;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) ++bare;
  EXPECT_EQ(bare, 0u) << text;
  // A stored 1 adds the style the form lacks.
  Store("Font1.Style.Italic=1\r\n");
  EXPECT_TRUE(Read().Font1.italic);
}

TEST_F(SettingsFile, KeysAreFoundInAnySpelling) {
  Store("wavedir=/lower\r\nTEMPDIR=/upper\r\nfont2.style.ITALIC=1\r\nsavejpg=1\r\n");
  const Settings s = Read();
  EXPECT_EQ(s.RecodeDir, "/lower");
  EXPECT_EQ(s.TempDir, "/upper");
  EXPECT_TRUE(s.Font2.italic);
  EXPECT_TRUE(s.SaveJpg);
}

TEST_F(SettingsFile, NumbersFollowTheProfileRules) {
  Store(
      "Overscan=286\r\nScale=0x10\r\nBitrate=5\r\nSprache=zwei\r\nArtist.Top=-12\r\n"
      "Recode=0x0\r\nMakeTxt=7\r\n");
  Settings s = Read();
  EXPECT_EQ(s.Overscan, 30);  // only the low byte counts
  EXPECT_EQ(s.Scale, 16);
  EXPECT_EQ(s.Bitrate, 1);   // held at the last item
  EXPECT_EQ(s.Language, 0);  // not a number: the default
  EXPECT_EQ(s.Positions[0].top, -12);
  EXPECT_FALSE(s.Recode);
  EXPECT_TRUE(s.MakeTxt);  // any non-zero value is true
  Store("Bitrate=-7\r\n");
  s = Read();
  EXPECT_EQ(s.Bitrate, -1);  // selects no item
}

TEST_F(SettingsFile, TextValuesLoseBlanksAndOnePairOfQuotes) {
  Store("mp3dir=  \"/with blank/\"  \r\nbindir=\"\"x\"\"\r\n");
  const Settings s = Read();
  EXPECT_EQ(s.SourceDir, "/with blank/");
  EXPECT_EQ(s.BinDir, "\"x\"");
}

TEST_F(SettingsFile, AFailedWriteNamesThePathAndLeavesOtherFilesAlone) {
  Store("mp3dir=/old\r\n");
  test::WriteFile(dir.file("other.txt"), "keep me");
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  platform::IniFile ini(path);
  try {
    WriteSettings(ini, Settings{});
    FAIL() << "the write to a read-only file was reported as done";
  } catch (const IoError& e) {
    EXPECT_EQ(std::string(e.what()), "nach " + path + " kann nicht geschrieben werden");
  }
  EXPECT_EQ(test::ReadFile(path), "[Tovix]\r\nmp3dir=/old\r\n");
  EXPECT_EQ(test::ReadFile(dir.file("other.txt")), "keep me");
  chmod(path.c_str(), 0644);
}

}  // namespace
}  // namespace tovix

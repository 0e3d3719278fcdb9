#include "app/settings.h"

#include <algorithm>

namespace tovix {
namespace {

constexpr const char* kLabelNames[5] = {"Artist", "Title", "Laufzeit", "Tech", "Encoder"};

// The fonts are read with the spelling "Italic" but written "italic"; the
// INI layer compares keys without regard to case, so both find the value.
FontSetting ReadFont(const platform::IniFile& ini, const std::string& prefix,
                     const FontSetting& defaults) {
  FontSetting font;
  font.name = ini.ReadString(kSettingsSection, prefix + ".Name", defaults.name);
  font.color = ini.ReadInteger(kSettingsSection, prefix + ".Color", defaults.color);
  font.size = ini.ReadInteger(kSettingsSection, prefix + ".Size", defaults.size);
  font.bold = defaults.bold || ini.ReadBool(kSettingsSection, prefix + ".Style.Bold", false);
  font.italic = defaults.italic || ini.ReadBool(kSettingsSection, prefix + ".Style.Italic", false);
  return font;
}

void WriteFont(platform::IniFile& ini, const std::string& prefix, const FontSetting& font) {
  ini.WriteString(kSettingsSection, prefix + ".Name", font.name);
  ini.WriteInteger(kSettingsSection, prefix + ".Color", font.color);
  ini.WriteInteger(kSettingsSection, prefix + ".Size", font.size);
  ini.WriteBool(kSettingsSection, prefix + ".Style.Bold", font.bold);
  ini.WriteBool(kSettingsSection, prefix + ".Style.italic", font.italic);
}

}  // namespace

int Settings::TargetBitrate() const {
  return 128 + 64 * std::clamp(Bitrate, 0, 1);
}

Settings ReadSettings(const platform::IniFile& ini, const std::string& workingDir) {
  const Settings defaults;
  Settings s;
  const char* sec = kSettingsSection;
  s.SourceDir = ini.ReadString(sec, "mp3dir", workingDir);
  s.BinDir = ini.ReadString(sec, "bindir", workingDir);
  s.RecodeDir = ini.ReadString(sec, "WaveDir", defaults.RecodeDir);
  s.TempDir = ini.ReadString(sec, "TempDir", defaults.TempDir);
  s.LastFile = ini.ReadString(sec, "lastfile", defaults.LastFile);
  s.Font1 = ReadFont(ini, "Font1", defaults.Font1);
  s.Font2 = ReadFont(ini, "Font2", defaults.Font2);
  for (std::size_t i = 0; i < s.Positions.size(); ++i) {
    const std::string name = kLabelNames[i];
    s.Positions[i].top = ini.ReadInteger(sec, name + ".Top", defaults.Positions[i].top);
    s.Positions[i].left = ini.ReadInteger(sec, name + ".Left", defaults.Positions[i].left);
  }
  // Both are bytes in the program: only the low eight bits of the stored
  // number count (286 is 30).
  s.Scale = static_cast<std::uint8_t>(ini.ReadInteger(sec, "Scale", defaults.Scale) & 0xFF);
  s.Overscan =
      static_cast<std::uint8_t>(ini.ReadInteger(sec, "Overscan", defaults.Overscan) & 0xFF);
  s.Recode = ini.ReadBool(sec, "Recode", defaults.Recode);
  s.If127 = ini.ReadBool(sec, "if127", defaults.If127);
  s.IfMono = ini.ReadBool(sec, "ifMono", defaults.IfMono);
  s.IfXing = ini.ReadBool(sec, "ifXing", defaults.IfXing);
  // The radio group has two items; an index outside them is held at its ends.
  s.Bitrate = std::clamp(ini.ReadInteger(sec, "Bitrate", defaults.Bitrate), -1, 1);
  s.TmpWav = ini.ReadBool(sec, "TmpWav", defaults.TmpWav);
  s.BitmapFile = ini.ReadString(sec, "bitmap", defaults.BitmapFile);
  s.NewBins = ini.ReadBool(sec, "NewBins", defaults.NewBins);
  s.MakeTxt = ini.ReadBool(sec, "MakeTxt", defaults.MakeTxt);
  s.NiceWords = ini.ReadBool(sec, "NiceWords", defaults.NiceWords);
  s.MakeTag = ini.ReadBool(sec, "MakeTag", defaults.MakeTag);
  s.SaveTag = ini.ReadBool(sec, "SaveTag", defaults.SaveTag);
  s.X2Blank = ini.ReadBool(sec, "X2Blank", defaults.X2Blank);
  s.SaveJpg = ini.ReadBool(sec, "SaveJPG", defaults.SaveJpg);
  s.ID3v2 = ini.ReadBool(sec, "ID3v2", defaults.ID3v2);
  s.Language = ini.ReadInteger(sec, "Sprache", defaults.Language);
  s.DiscFolders = ini.ReadInteger(sec, "DiscFolders", defaults.DiscFolders);
  s.DiscFiles = ini.ReadInteger(sec, "DiscFiles", defaults.DiscFiles);
  return s;
}

void WriteSettings(platform::IniFile& ini, const Settings& s) {
  const char* sec = kSettingsSection;
  ini.WriteString(sec, "mp3dir", s.SourceDir);
  ini.WriteString(sec, "bindir", s.BinDir);
  ini.WriteString(sec, "wavedir", s.RecodeDir);
  ini.WriteString(sec, "tempdir", s.TempDir);
  ini.WriteString(sec, "lastfile", s.LastFile);
  ini.WriteString(sec, "bitmap", s.BitmapFile);
  WriteFont(ini, "Font1", s.Font1);
  WriteFont(ini, "Font2", s.Font2);
  for (std::size_t i = 0; i < s.Positions.size(); ++i) {
    const std::string name = kLabelNames[i];
    ini.WriteInteger(sec, name + ".Top", s.Positions[i].top);
    ini.WriteInteger(sec, name + ".Left", s.Positions[i].left);
  }
  ini.WriteInteger(sec, "Scale", s.Scale);
  ini.WriteInteger(sec, "Overscan", s.Overscan);
  ini.WriteBool(sec, "Recode", s.Recode);
  ini.WriteBool(sec, "if127", s.If127);
  ini.WriteBool(sec, "ifMono", s.IfMono);
  ini.WriteBool(sec, "ifXing", s.IfXing);
  ini.WriteInteger(sec, "Bitrate", s.Bitrate);
  ini.WriteBool(sec, "TmpWav", s.TmpWav);
  ini.WriteBool(sec, "NewBins", s.NewBins);
  ini.WriteBool(sec, "MakeTxt", s.MakeTxt);
  ini.WriteBool(sec, "NiceWords", s.NiceWords);
  ini.WriteBool(sec, "MakeTag", s.MakeTag);
  ini.WriteBool(sec, "SaveTag", s.SaveTag);
  ini.WriteBool(sec, "X2Blank", s.X2Blank);
  ini.WriteBool(sec, "SaveJpg", s.SaveJpg);
  ini.WriteBool(sec, "ID3v2", s.ID3v2);
  ini.WriteInteger(sec, "Sprache", s.Language);
  ini.WriteInteger(sec, "DiscFolders", s.DiscFolders);
  ini.WriteInteger(sec, "DiscFiles", s.DiscFiles);
}

}  // namespace tovix

#pragma once
// Every persisted option of the program, and its file "tovix.ini" (section
// "Tovix"). Qt-free: the windows and tovix-cli share it. Texts Windows-1252.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/inifile.h"

namespace tovix {

// The font of one label group, as stored and as the preview and its font
// dialog hold it.
struct FontSetting {
  std::string name = "Tahoma";
  // The platform's colour number: 0x00BBGGRR, or a system colour with the
  // high bit set (0x80000008 is the window text colour).
  std::int32_t color = static_cast<std::int32_t>(0x80000008u);
  int size = 20;  // points
  // The label's style; the form's own (Font1 bold, Font2 bold italic) is
  // where every reading starts.
  bool bold = true;
  bool italic = false;
  bool operator==(const FontSetting&) const = default;
};

struct LabelPosition {
  int top = 0;
  int left = 0;
  bool operator==(const LabelPosition&) const = default;
};

struct Settings {
  std::string SourceDir;  // "mp3dir"
  std::string BinDir;     // "bindir"
  std::string RecodeDir;  // "WaveDir" / "wavedir"
  std::string TempDir;    // "TempDir" / "tempdir"
  std::string LastFile;   // "lastfile"
  FontSetting Font1;      // Artist, Title
  FontSetting Font2{"Tahoma", static_cast<std::int32_t>(0x80000008u), 14, true, true};
  // Artist, Title, Laufzeit, Tech, Encoder.
  std::array<LabelPosition, 5> Positions{{{84, 94}, {133, 94}, {272, 95}, {320, 95}, {368, 95}}};
  std::uint8_t Scale = 0;
  std::uint8_t Overscan = 30;
  bool Recode = true;
  bool If127 = true;
  bool IfMono = true;
  bool IfXing = true;
  int Bitrate = 0;  // item index -1..1 after clamping by the radio group
  bool TmpWav = true;
  std::string BitmapFile;  // "bitmap"
  bool NewBins = false;
  bool MakeTxt = false;
  bool NiceWords = true;
  bool MakeTag = true;
  bool SaveTag = true;
  bool X2Blank = true;
  bool SaveJpg = false;
  bool ID3v2 = true;  // artist and title from the ID3v2 tag where the ID3v1 tag lacks them
  int Language = 0;   // "Sprache"
  // What the player reads from a CD (the disc check): "DiscFolders", "DiscFiles".
  int DiscFolders = 255;
  int DiscFiles = 999;

  // The new bit rate of the recode pass: 128 + 64 x the item of Bitrate.
  // No item (-1), or any index the group does not have, is held to its
  // items, so no caller recodes at 64 or 320 kbit/s.
  int TargetBitrate() const;
  bool operator==(const Settings&) const = default;
};

inline constexpr const char* kSettingsSection = "Tovix";

struct SettingsKey;

// The record before any key is read: the form's defaults, with workingDir
// as the source and BIN folders.
Settings DefaultSettings(const std::string& workingDir);

// Reads every key of the key table, each with its default (see
// DefaultSettings). A stored style flag that is true adds the style to the
// form's; one that is false removes nothing, so the record holds the styles
// the labels show.
Settings ReadSettings(const platform::IniFile& ini, const std::string& workingDir);

// Sets one key's member from a value as the file would hold it after
// "key=", by the rule reading the file gives it: blanks, one pair of quotes
// and anything after a line break are dropped; a number that is not one
// gives the key's default.
void SetSetting(Settings& settings, const SettingsKey& key, std::string_view value,
                const std::string& workingDir);

// Writes every key in its written spelling, in the order of the key
// table. Throws IoError ("nach <path> kann nicht geschrieben werden"); keys
// after a failing one are not written.
void WriteSettings(platform::IniFile& ini, const Settings& settings);

}  // namespace tovix

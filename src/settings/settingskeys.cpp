#include "settings/settingskeys.h"

#include <array>

namespace tovix {
namespace {

using Rule = SettingsKey::Rule;

template <auto Member>
SettingsField Own(Settings& s) {
  return &(s.*Member);
}

template <auto Font, auto Member>
SettingsField OfFont(Settings& s) {
  return &((s.*Font).*Member);
}

template <std::size_t Label, auto Member>
SettingsField OfLabel(Settings& s) {
  return &(s.Positions[Label].*Member);
}

// The order is the one the file has always been written in. Read and written
// spellings differ only in case ("WaveDir" / "wavedir"); the profile reader
// finds either.
constexpr std::array<SettingsKey, 45> kKeys = {{
    {"mp3dir", "mp3dir", Own<&Settings::SourceDir>},
    {"bindir", "bindir", Own<&Settings::BinDir>},
    {"WaveDir", "wavedir", Own<&Settings::RecodeDir>},
    {"TempDir", "tempdir", Own<&Settings::TempDir>},
    {"lastfile", "lastfile", Own<&Settings::LastFile>},
    {"bitmap", "bitmap", Own<&Settings::BitmapFile>},
    {"Font1.Name", "Font1.Name", OfFont<&Settings::Font1, &FontSetting::name>},
    {"Font1.Color", "Font1.Color", OfFont<&Settings::Font1, &FontSetting::color>},
    {"Font1.Size", "Font1.Size", OfFont<&Settings::Font1, &FontSetting::size>},
    {"Font1.Style.Bold", "Font1.Style.Bold", OfFont<&Settings::Font1, &FontSetting::bold>,
     Rule::kAddsStyle},
    {"Font1.Style.Italic", "Font1.Style.italic", OfFont<&Settings::Font1, &FontSetting::italic>,
     Rule::kAddsStyle},
    {"Font2.Name", "Font2.Name", OfFont<&Settings::Font2, &FontSetting::name>},
    {"Font2.Color", "Font2.Color", OfFont<&Settings::Font2, &FontSetting::color>},
    {"Font2.Size", "Font2.Size", OfFont<&Settings::Font2, &FontSetting::size>},
    {"Font2.Style.Bold", "Font2.Style.Bold", OfFont<&Settings::Font2, &FontSetting::bold>,
     Rule::kAddsStyle},
    {"Font2.Style.Italic", "Font2.Style.italic", OfFont<&Settings::Font2, &FontSetting::italic>,
     Rule::kAddsStyle},
    {"Artist.Top", "Artist.Top", OfLabel<0, &LabelPosition::top>},
    {"Artist.Left", "Artist.Left", OfLabel<0, &LabelPosition::left>},
    {"Title.Top", "Title.Top", OfLabel<1, &LabelPosition::top>},
    {"Title.Left", "Title.Left", OfLabel<1, &LabelPosition::left>},
    {"Laufzeit.Top", "Laufzeit.Top", OfLabel<2, &LabelPosition::top>},
    {"Laufzeit.Left", "Laufzeit.Left", OfLabel<2, &LabelPosition::left>},
    {"Tech.Top", "Tech.Top", OfLabel<3, &LabelPosition::top>},
    {"Tech.Left", "Tech.Left", OfLabel<3, &LabelPosition::left>},
    {"Encoder.Top", "Encoder.Top", OfLabel<4, &LabelPosition::top>},
    {"Encoder.Left", "Encoder.Left", OfLabel<4, &LabelPosition::left>},
    {"Scale", "Scale", Own<&Settings::Scale>},
    {"Overscan", "Overscan", Own<&Settings::Overscan>},
    {"Recode", "Recode", Own<&Settings::Recode>},
    {"if127", "if127", Own<&Settings::If127>},
    {"ifMono", "ifMono", Own<&Settings::IfMono>},
    {"ifXing", "ifXing", Own<&Settings::IfXing>},
    {"Bitrate", "Bitrate", Own<&Settings::Bitrate>, Rule::kItem},
    {"TmpWav", "TmpWav", Own<&Settings::TmpWav>},
    {"NewBins", "NewBins", Own<&Settings::NewBins>},
    {"MakeTxt", "MakeTxt", Own<&Settings::MakeTxt>},
    {"NiceWords", "NiceWords", Own<&Settings::NiceWords>},
    {"MakeTag", "MakeTag", Own<&Settings::MakeTag>},
    {"SaveTag", "SaveTag", Own<&Settings::SaveTag>},
    {"X2Blank", "X2Blank", Own<&Settings::X2Blank>},
    {"SaveJPG", "SaveJpg", Own<&Settings::SaveJpg>},
    {"ID3v2", "ID3v2", Own<&Settings::ID3v2>},
    {"Sprache", "Sprache", Own<&Settings::Language>},
    {"DiscFolders", "DiscFolders", Own<&Settings::DiscFolders>},
    {"DiscFiles", "DiscFiles", Own<&Settings::DiscFiles>},
}};

bool SameNoCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

}  // namespace

std::span<const SettingsKey> SettingsKeys() {
  return kKeys;
}

const SettingsKey* FindSettingsKey(std::string_view name) {
  for (const SettingsKey& key : kKeys)
    if (SameNoCase(name, key.read)) return &key;
  return nullptr;
}

}  // namespace tovix

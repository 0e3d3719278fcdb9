#include "settings/settings.h"

#include <algorithm>
#include <type_traits>

#include "settings/settingskeys.h"

namespace tovix {
namespace {

// A key's value as the file holds it: Text and Integer give the default
// when the key is missing or, for Integer, not a number.
class StoredValue {
 public:
  StoredValue(const platform::IniFile& ini, const char* key) : ini_(ini), key_(key) {}
  std::string Text(const std::string& fallback) const {
    return ini_.ReadString(kSettingsSection, key_, fallback);
  }
  int Integer(int fallback) const { return ini_.ReadInteger(kSettingsSection, key_, fallback); }

 private:
  const platform::IniFile& ini_;
  const char* key_;
};

// Fills the key's member from value, held to the member's range; defaults
// is the record the member's default comes from.
template <class Value>
void Take(Settings& settings, const SettingsKey& key, const Value& value, Settings& defaults) {
  std::visit(
      [&](auto* member) {
        using T = std::remove_pointer_t<decltype(member)>;
        const T fallback = *std::get<T*>(key.field(defaults));
        if constexpr (std::is_same_v<T, std::string>) {
          *member = value.Text(fallback);
        } else if constexpr (std::is_same_v<T, bool>) {
          if (key.rule == SettingsKey::Rule::kAddsStyle)
            *member = fallback || value.Integer(0) != 0;
          else
            *member = value.Integer(fallback ? 1 : 0) != 0;
        } else if constexpr (std::is_same_v<T, std::uint8_t>) {
          // A byte in the program: only the low eight bits of the stored
          // number count (286 is 30).
          *member = static_cast<std::uint8_t>(value.Integer(fallback) & 0xFF);
        } else if (key.rule == SettingsKey::Rule::kItem) {
          // The radio group has two items; an index outside them is held at its ends.
          *member = std::clamp(value.Integer(fallback), -1, 1);
        } else {
          *member = value.Integer(fallback);
        }
      },
      key.field(settings));
}

// A value given as the text after "key=", read as the file would hold it.
class GivenValue {
 public:
  explicit GivenValue(std::string_view written) : value_(platform::ProfileValue(written)) {}
  std::string Text(const std::string&) const { return value_.substr(0, platform::kMaxProfileText); }
  int Integer(int fallback) const {
    int number;
    return platform::ParseProfileInteger(value_, number) ? number : fallback;
  }

 private:
  std::string value_;
};

}  // namespace

int Settings::TargetBitrate() const {
  return 128 + 64 * std::clamp(Bitrate, 0, 1);
}

Settings DefaultSettings(const std::string& workingDir) {
  Settings s;
  s.SourceDir = workingDir;
  s.BinDir = workingDir;
  return s;
}

Settings ReadSettings(const platform::IniFile& ini, const std::string& workingDir) {
  Settings defaults = DefaultSettings(workingDir);
  Settings s = defaults;
  for (const SettingsKey& key : SettingsKeys()) Take(s, key, StoredValue(ini, key.read), defaults);
  return s;
}

void SetSetting(Settings& settings, const SettingsKey& key, std::string_view value,
                const std::string& workingDir) {
  Settings defaults = DefaultSettings(workingDir);
  Take(settings, key, GivenValue(value), defaults);
}

void WriteSettings(platform::IniFile& ini, const Settings& settings) {
  Settings s = settings;  // the table's members are reached through a mutable record
  for (const SettingsKey& key : SettingsKeys()) {
    std::visit(
        [&](auto* member) {
          using T = std::remove_pointer_t<decltype(member)>;
          if constexpr (std::is_same_v<T, std::string>)
            ini.WriteString(kSettingsSection, key.written, *member);
          else if constexpr (std::is_same_v<T, bool>)
            ini.WriteBool(kSettingsSection, key.written, *member);
          else
            ini.WriteInteger(kSettingsSection, key.written, *member);
        },
        key.field(s));
  }
}

}  // namespace tovix

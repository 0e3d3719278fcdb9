#pragma once
// The key table of the settings file: one row per key gives its read and
// written spelling, the member of Settings it fills and the rule that holds
// the value to the member's range. Reading, writing and tovix-cli's --set all
// go through it, so a key is spelled in one place.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "settings/settings.h"

namespace tovix {

using SettingsField = std::variant<std::string*, int*, std::uint8_t*, bool*>;

struct SettingsKey {
  enum class Rule {
    kPlain,
    kItem,       // a radio group's item index, held to -1..1
    kAddsStyle,  // a style flag: true adds the style to the form's, false removes nothing
  };
  const char* read;     // the spelling the program asks the file for
  const char* written;  // the spelling it writes; the same key without regard to case
  SettingsField (*field)(Settings&);
  Rule rule = Rule::kPlain;
};

// Every key in the order of writing.
std::span<const SettingsKey> SettingsKeys();

// The key of that name in either spelling, without regard to case, or null.
const SettingsKey* FindSettingsKey(std::string_view name);

}  // namespace tovix

#pragma once
// The player component's errors as a window shows them: the component keeps
// its own fixed English texts, the user reads the language table's.
#include <cstdint>
#include <string>
#include <string_view>

#include "player/mpegplay.h"

namespace tovix {

// The language table's text for an error code of the component; message
// tells the two failures of code 0 apart (not loaded, cannot be loaded).
// Windows-1252.
std::string PlayerErrorText(std::uint8_t code, std::string_view message);
std::string PlayerErrorText(const TMPEGError& error);

}  // namespace tovix

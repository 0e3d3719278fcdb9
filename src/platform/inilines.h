#pragma once
// One key of an INI text set as the Windows profile functions set it: the
// line edited in place, every other line (comments, blank lines, lines the
// reader does not understand) kept byte for byte with its own line end.
#include <string>
#include <string_view>

namespace tovix::platform {

// The text with section/key set to value. An existing key (the first of its
// name in the first section of that name, both without regard to case) is
// rewritten; a missing one is added after the section's last entry, a
// missing section at the end. New lines end in CR LF when the text's first
// line does, else in LF.
std::string SetIniValue(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value);

}  // namespace tovix::platform

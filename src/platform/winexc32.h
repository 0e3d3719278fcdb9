#pragma once
// Starting the outside programs and batch files and waiting for them.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/process.h"

namespace tovix {

// Show states handed to a started program.
inline constexpr std::uint16_t kShowHidden = 0;  // no console: stdin empty, output discarded
inline constexpr std::uint16_t kShowNormal = 5;  // the program's own terminal

// Starts commandLine (Windows-1252: the program or batch file first, then its
// arguments separated by blanks; a relative name is taken from the current
// folder, a bare one from the current folder, then PATH) and waits for it to
// end, but at most timeLimitMs milliseconds (0: no wait, negative: no
// limit). A child still running at the limit runs on and is reaped later. A
// command that cannot be started returns at once, silently. Batch files
// (.bat, .cmd) run through tovix-cmd from the program folder.
void RunAndWait(const std::string& commandLine, std::uint16_t showState, std::int32_t timeLimitMs);
// The same, calling whileWaiting at least every 20 ms while it waits, so a
// window can go on answering.
void RunAndWait(const std::string& commandLine, std::uint16_t showState, std::int32_t timeLimitMs,
                const std::function<void()>& whileWaiting);

// How RunAndWait starts commandLine; nullopt when it names nothing that can
// be started (nothing is then run).
std::optional<platform::ProcessSpec> PlanCommand(const std::string& commandLine,
                                                 std::uint16_t showState);

}  // namespace tovix

#pragma once
// The first step of every batch line: replacing the percent forms.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovix::cmd {

struct ExpandContext {
  // [0] the batch file as it was called, [1..] its arguments (Windows-1252,
  // quotes as given).
  const std::vector<std::string>* args = nullptr;
  std::size_t shift = 0;
  int errorlevel = 0;
};

// %% to %, %0 .. %9, %~0 .. %~9 (argument without its quotes; the path
// modifiers f d p n x may stand between ~ and the digit), %* and %NAME% of
// the environment. An undefined variable and a lone % give nothing, as in
// a batch file under the Windows command interpreter.
// Stops once the result holds more than limit bytes, so a short line that
// expands to a huge one costs no more than the limit.
std::string ExpandPercents(std::string_view line, const ExpandContext& context,
                           std::size_t limit = std::string::npos);

// An environment variable by name without regard to case, Windows-1252.
std::optional<std::string> GetVariable(std::string_view name);
// The current folder as Windows-1252 text.
std::string CurrentFolder();

}  // namespace tovix::cmd

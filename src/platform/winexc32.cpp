#include "platform/winexc32.h"

#include <chrono>

#include <algorithm>
#include <cctype>
#include <string_view>
#include <vector>

#include "platform/codepage.h"
#include "platform/filesys.h"

namespace tovix {
namespace {

std::string Unquoted(std::string word) {
  std::erase(word, '"');
  return word;
}

bool IsBatchName(const std::string& word) {
  if (word.size() < 4) return false;
  std::string ext = word.substr(word.size() - 4);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext == ".bat" || ext == ".cmd";
}

// The file a program word names, as a native path, or nullopt. A word with
// a folder part is taken relative to the current folder; a bare one is
// looked for in the current folder, then along PATH. The last component is
// matched without regard to case, as Windows does.
std::optional<std::string> Locate(std::string word, bool mustBeExecutable) {
  std::replace(word.begin(), word.end(), '\\', platform::kPathSep);
  auto found = [&](const std::string& ansiPath) -> std::optional<std::string> {
    auto real = platform::FindNoCase(ansiPath);
    if (!real || platform::IsDirectory(*real)) return std::nullopt;
    std::string native = platform::ToNative(*real);
    if (mustBeExecutable && !platform::IsExecutable(native)) return std::nullopt;
    return native;
  };
  if (word.find(platform::kPathSep) != std::string::npos) return found(word);
  if (auto here = found(platform::WithSep(platform::CurrentDir()) + word)) return here;
  for (const std::string& dir : platform::ExecutableSearchPath()) {
    auto ansiDir = platform::FromNative(dir);
    if (!ansiDir) continue;
    if (auto there = found(platform::WithSep(*ansiDir) + word)) return there;
  }
  return std::nullopt;
}

}  // namespace

std::optional<platform::ProcessSpec> PlanCommand(const std::string& commandLine,
                                                 std::uint16_t showState) {
  std::vector<std::string> words = platform::SplitCommandWords(commandLine);
  if (words.empty()) return std::nullopt;
  const std::string first = Unquoted(words[0]);
  if (first.empty()) return std::nullopt;

  platform::ProcessSpec request;
  if (IsBatchName(first)) {
    // No command interpreter here: our own stands in for it, and gets the
    // arguments with their quotes, as a batch file sees them.
    auto batch = Locate(first, false);
    std::string interpreter = platform::ToNative(platform::ProgramDir() + "tovix-cmd");
    if (!batch || !platform::IsExecutable(interpreter)) return std::nullopt;
    request.program = interpreter;
    request.args = {interpreter, *batch};
    for (std::size_t i = 1; i < words.size(); ++i)
      request.args.push_back(platform::AnsiToUtf8(words[i]));
  } else {
    auto program = Locate(first, true);
    if (!program) return std::nullopt;
    request.program = *program;
    request.args = {platform::AnsiToUtf8(first)};
    for (std::size_t i = 1; i < words.size(); ++i)
      request.args.push_back(platform::AnsiToUtf8(Unquoted(words[i])));
  }
  if (showState == kShowHidden) {
    request.in = platform::StdStream::Null();
    request.out = platform::StdStream::Null();
    request.err = platform::StdStream::Null();
  }
  return request;
}

void RunAndWait(const std::string& commandLine, std::uint16_t showState, std::int32_t timeLimitMs) {
  RunAndWait(commandLine, showState, timeLimitMs, {});
}

void RunAndWait(const std::string& commandLine, std::uint16_t showState, std::int32_t timeLimitMs,
                const std::function<void()>& whileWaiting) {
  auto request = PlanCommand(commandLine, showState);
  if (!request) return;
  platform::Process child;
  if (!child.Start(*request)) return;
  // Negative limits are INFINITE and larger as the window system reads them.
  if (timeLimitMs != 0 && !whileWaiting)
    child.Wait(timeLimitMs < 0 ? platform::kWaitForever : timeLimitMs);
  if (timeLimitMs != 0 && whileWaiting) {
    constexpr int kSliceMs = 20;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeLimitMs);
    while (!child.Wait(kSliceMs)) {
      whileWaiting();
      if (timeLimitMs > 0 && std::chrono::steady_clock::now() >= deadline) break;
    }
  }
  // Whether it ended or not: a child still running is reaped when it ends.
  child.Detach();
}

}  // namespace tovix

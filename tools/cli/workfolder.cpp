#include "workfolder.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "lang/buildstrings.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"
#include "platform/signals.h"

namespace tovix::cli {

namespace {

constexpr const char* kPrefix = "tovix-cli-work-";

// Folders "tovix-cli-work-<pid>-XXXXXX" of runs whose process is gone: a
// run killed outright (SIGKILL, a power cut) could not remove its own.
void RemoveAbandoned(const std::string& tempDir) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(tempDir, ec)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with(kPrefix)) continue;
    const char* digits = name.c_str() + std::strlen(kPrefix);
    char* end = nullptr;
    const long pid = std::strtol(digits, &end, 10);
    if (end == digits || *end != '-' || pid <= 0) continue;
    if (kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    std::error_code ignored;
    std::filesystem::remove_all(entry.path(), ignored);
  }
}

}  // namespace

WorkFolder::WorkFolder() {
  std::error_code ec;
  previous_ = std::filesystem::current_path(ec).string();
  if (ec) throw IoError(ec.value(), BuildText(str::kCannotRead, {"."}));
  const std::string tempDir = platform::ToNative(platform::TempPath().value_or("/tmp/"));
  RemoveAbandoned(tempDir);
  std::string pattern = tempDir + kPrefix + std::to_string(getpid()) + "-XXXXXX";
  if (!mkdtemp(pattern.data())) throw IoError(errno, BuildText(str::kCannotCreate, {pattern}));
  native_ = pattern;
  platform::RemoveOnSignal(native_, true);
  if (chdir(native_.c_str()) != 0) {
    const int error = errno;
    std::filesystem::remove_all(native_, ec);
    throw IoError(error, BuildText(str::kCannotEnter, {native_}));
  }
}

WorkFolder::~WorkFolder() {
  platform::ForgetOnSignal();
  // The start folder may be gone meanwhile; the scratch folder goes anyway.
  if (chdir(previous_.c_str()) != 0 && chdir("/") != 0) return;
  std::error_code ec;
  std::filesystem::remove_all(native_, ec);
}

void PutProgramFolderOnPath() {
  std::string dir = platform::ToNative(platform::ProgramDir());
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  const char* path = std::getenv("PATH");
  const std::string value = path && *path ? dir + ":" + path : dir;
  setenv("PATH", value.c_str(), 1);
}

}  // namespace tovix::cli

#include "workfolder.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "platform/filesys.h"
#include "platform/ioerror.h"

namespace tovix::cli {

WorkFolder::WorkFolder() {
  std::error_code ec;
  previous_ = std::filesystem::current_path(ec).string();
  if (ec) throw IoError(ec.value(), "Der aktuelle Ordner kann nicht bestimmt werden");
  std::string pattern =
      platform::ToNative(platform::TempPath().value_or("/tmp/")) + "tovix-cli-work-XXXXXX";
  if (!mkdtemp(pattern.data()))
    throw IoError(errno, "Kein tempor\xE4rer Arbeitsordner: " + pattern);
  native_ = pattern;
  if (chdir(native_.c_str()) != 0) {
    const int error = errno;
    std::filesystem::remove_all(native_, ec);
    throw IoError(error, "Der Arbeitsordner kann nicht betreten werden: " + native_);
  }
}

WorkFolder::~WorkFolder() {
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

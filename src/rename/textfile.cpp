#include "rename/textfile.h"

#include <cerrno>
#include <cstdio>

#include "lang/buildstrings.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"

namespace tovix {

void RefuseReadOnly(const std::string& path, bool spelledAsOnDisk) {
  // Checked here, not left to the system: a privileged user could write anyway.
  if ((spelledAsOnDisk || platform::Exists(path)) && platform::IsReadOnly(path))
    throw IoError(EACCES, BuildText(str::kReadOnlyFile, {path}));
}

void WriteWholeFile(const std::string& path, const std::string& bytes, bool spelledAsOnDisk) {
  RefuseReadOnly(path, spelledAsOnDisk);
  const int error = spelledAsOnDisk ? platform::WriteFileWholeExact(path, bytes)
                                    : platform::WriteFileWhole(path, bytes);
  if (error) throw IoError(error, BuildText(str::kCannotWrite, {path}));
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace tovix

#include "rename/textfile.h"

#include <cerrno>
#include <cstdio>

#include "platform/filesys.h"
#include "platform/ioerror.h"

namespace tovix {

void RefuseReadOnly(const std::string& path) {
  // Checked here, not left to the system: a privileged user could write anyway.
  if (platform::Exists(path) && platform::IsReadOnly(path))
    throw IoError(EACCES, "Datei ist schreibgesch\xFCtzt: " + path);
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  RefuseReadOnly(path);
  if (const int error = platform::WriteFileWhole(path, bytes))
    throw IoError(error, "Datei kann nicht geschrieben werden: " + path);
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

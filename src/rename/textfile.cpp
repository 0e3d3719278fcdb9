#include "rename/textfile.h"

#include <cerrno>
#include <cstdio>

#include "platform/filesys.h"
#include "platform/ioerror.h"

namespace tovix {

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  // Checked here, not left to the system: a privileged user could write anyway.
  if (platform::Exists(path) && platform::IsReadOnly(path))
    throw IoError(EACCES, "Datei ist schreibgesch\xFCtzt: " + path);
  std::FILE* f = platform::OpenFile(path, "wb");
  if (!f) throw IoError(errno, "Datei kann nicht erstellt werden: " + path);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  const int writeError = errno;
  const bool closed = std::fclose(f) == 0;
  if (!written || !closed)
    throw IoError(written ? errno : writeError, "Datei kann nicht geschrieben werden: " + path);
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

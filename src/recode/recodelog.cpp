#include "recode/recodelog.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

#include "lang/buildstrings.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"

namespace tovix {
namespace {

void CloseChecked(std::FILE* file, const std::string& path) {
  if (std::fclose(file) != 0)
    throw IoError(errno ? errno : EIO, BuildText(str::kCannotWrite, {path}));
}

}  // namespace

std::string Timestamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%02d %02d:%02d:%02d  ", local.tm_mday,
                local.tm_mon + 1, local.tm_year % 100, local.tm_hour, local.tm_min, local.tm_sec);
  return text;
}

RecodeLog::RecodeLog(std::string recodeDir, PassReport& memo)
    : path_(recodeDir + platform::kPathSep + "TOVIX.LOG"), memo_(memo) {}

void RecodeLog::LogLine(const std::string& text) {
  if (text == "***") {
    platform::RemoveFile(path_);
    return;
  }
  // The log as this pass names it, not another spelling: "ab" opens that.
  const bool existed = platform::FileSize(path_) >= 0;
  std::FILE* file = platform::OpenFile(path_, "ab");
  if (!file) throw IoError(errno ? errno : EIO, BuildText(str::kCannotCreate, {path_}));
  memo_.Line(text);
  struct stat before {};
  fstat(fileno(file), &before);
  const std::string line = text + "\r\n";
  errno = 0;
  const bool written =
      std::fwrite(line.data(), 1, line.size(), file) == line.size() && std::fflush(file) == 0;
  const int error = errno;
  if (!written) {
    // A full disk takes part of the line: the log ends with its last whole
    // line, and one this line made is not left empty.
    [[maybe_unused]] const int cut = ftruncate(fileno(file), before.st_size);
    std::fclose(file);
    if (!existed) platform::RemoveFile(path_);
    throw IoError(error ? error : EIO, BuildText(str::kCannotWrite, {path_}));
  }
  CloseChecked(file, path_);
}

std::vector<std::string> RecodeLog::ReadErrorList(const std::string& errorList) {
  std::vector<std::string> lines;
  std::FILE* file = platform::OpenFile(errorList, "rb");
  if (!file) return lines;
  std::string bytes;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
    bytes.append(buffer, n);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) throw IoError(EIO, BuildText(str::kCannotRead, {errorList}));
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

void RecodeLog::RemoveErrorList(const std::string& errorList) {
  if (!platform::RemoveFile(errorList) && errno != ENOENT)
    throw IoError(errno ? errno : EIO, BuildText(str::kCannotDelete, {errorList}));
}

int RecodeLog::DrainErrorList(const std::string& errorList) {
  const std::vector<std::string> lines = ReadErrorList(errorList);
  for (const std::string& line : lines) LogLine(ErrorListEntry(line));
  RemoveErrorList(errorList);
  return static_cast<int>(lines.size());
}

std::string RecodeLog::ErrorListEntry(const std::string& line) {
  return Timestamp() + " ! " + line;
}

}  // namespace tovix

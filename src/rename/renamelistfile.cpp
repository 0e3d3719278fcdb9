#include <cerrno>
#include <cstdio>
#include <memory>

#include "platform/codepage.h"
#include "lang/buildstrings.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"
#include "rename/renamelist.h"
#include "rename/textfile.h"

namespace tovix {
namespace {

// A review list is a few hundred lines; anything far larger is not one.
constexpr long kMaxListFile = 16L * 1024 * 1024;
constexpr std::string_view kUndoSuffix = ".undo";

struct FileCloser {
  void operator()(std::FILE* f) const {
    if (f) std::fclose(f);
  }
};

}  // namespace

void WriteRenameListFile(const std::string& path, const std::vector<std::string>& lines) {
  WriteWholeFile(path, JoinCrLf(lines));
}

std::vector<std::string> ReadRenameListFile(const std::string& path) {
  std::unique_ptr<std::FILE, FileCloser> f(platform::OpenFile(path, "rb"));
  if (!f) throw IoError(errno, BuildText(str::kCannotRead, {path}));
  std::string text;
  char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, f.get())) > 0) {
    text.append(buffer, got);
    if (static_cast<long>(text.size()) > kMaxListFile)
      throw IoError(EFBIG, BuildText(str::kListTooLarge, {path}));
  }
  if (std::ferror(f.get())) throw IoError(EIO, BuildText(str::kCannotRead, {path}));

  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

std::string UndoListPath(const std::string& path) {
  return path + std::string(kUndoSuffix);
}

bool IsUndoListPath(const std::string& path) {
  return path.size() >= kUndoSuffix.size() &&
         platform::LowerAscii(path.substr(path.size() - kUndoSuffix.size())) == kUndoSuffix;
}

}  // namespace tovix

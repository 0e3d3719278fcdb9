#include "recode/recodesteps.h"

#include <cerrno>

#include "lang/buildstrings.h"
#include "platform/filecopy.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"

namespace tovix {
namespace {

std::string NamePart(const std::string& path) {
  const auto cut = path.find_last_of("/\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string ShortFolder(const std::string& dir) {
  return platform::ShortPath(dir) + platform::kPathSep;
}

}  // namespace

std::string BatchWord(const std::string& text) {
  if (text.empty() || text.find_first_of(" \t,;=&|<>^()%!") != std::string::npos)
    return "\"" + text + "\"";
  return text;
}

bool BatchCanCarry(const std::string& name) {
  return name.find_first_of("*?") == std::string::npos;
}

BatchCall Mp3ToMp3Call(const std::string& name, const std::string& sourceDir,
                       const std::string& recodeDir, int bitrate, const std::string& batch) {
  const std::string n = NamePart(platform::ShortPath(sourceDir + platform::kPathSep + name));
  BatchCall call;
  call.commandLine = BatchWord(batch) + " " + BatchWord(n) + " " +
                     BatchWord(ShortFolder(sourceDir)) + " " + BatchWord(ShortFolder(recodeDir)) +
                     " " + std::to_string(bitrate);
  call.output = ShortFolder(recodeDir) + n;
  return call;
}

BatchCall WavToMp3Call(const std::string& name, const std::string& wav,
                       const std::string& sourceDir, const std::string& recodeDir, int bitrate,
                       const std::string& batch) {
  const std::string n = NamePart(platform::ShortPath(sourceDir + platform::kPathSep + name));
  BatchCall call;
  call.commandLine = BatchWord(batch) + " " + BatchWord(n) + " " +
                     BatchWord(platform::ShortPath(wav)) + " " + BatchWord(ShortFolder(sourceDir)) +
                     " " + BatchWord(ShortFolder(recodeDir)) + " " + std::to_string(bitrate);
  call.output = ShortFolder(recodeDir) + n;
  return call;
}

CopyOutcome CopyToRecodeDir(const std::string& name, const std::string& sourceDir,
                            const std::string& recodeDir, const std::function<void(int)>& percent,
                            const std::function<bool()>& keepGoing) {
  if (platform::SameEntry(sourceDir, recodeDir)) return CopyOutcome::kSameFolder;
  const std::string from = sourceDir + platform::kPathSep + name;
  const std::string to = recodeDir + platform::kPathSep + name;
  const int error = platform::CopyFileWhole(
      from, to, kCopyBlockBytes, [&](std::int64_t done, std::int64_t total) {
        if (percent) percent(total > 0 ? static_cast<int>(done * 100 / total) : 100);
        return !keepGoing || keepGoing();
      });
  if (error == ECANCELED) return CopyOutcome::kStopped;
  if (error != 0)
    throw IoError(error, BuildText(str::kCannotCopy, {name, recodeDir, std::to_string(error)}));
  return CopyOutcome::kCopied;
}

}  // namespace tovix

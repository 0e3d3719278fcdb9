// The file-name entry points of the module: they find the file, open it
// through the platform layer and hand it to the byte-source code.
#include "mp3/mpegfile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>

#include "mp3/bytesource.h"
#include "mp3/mpegscan.h"
#include "platform/errortexts.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"

namespace tovix {
namespace {

// Sets a file's read-only state back when the write is over, however it ends.
class ReadOnlyRestorer {
 public:
  explicit ReadOnlyRestorer(const std::string& path)
      : path_(path), wasReadOnly_(platform::IsReadOnly(path)) {
    if (wasReadOnly_) platform::SetReadOnly(path_, false);
  }
  ~ReadOnlyRestorer() {
    if (wasReadOnly_ && !restored_) platform::SetReadOnly(path_, true);
  }
  // Restores now and reports whether that worked.
  bool Restore() {
    restored_ = true;
    return !wasReadOnly_ || platform::SetReadOnly(path_, true);
  }

 private:
  std::string path_;
  bool wasReadOnly_;
  bool restored_ = false;
};

// Cuts an append that did not go through back to the old length, so a full
// disk never leaves a half tag behind the audio.
void TruncateTo(const std::string& path, std::int64_t length) {
  std::error_code ec;
  std::filesystem::resize_file(platform::ToNative(path), static_cast<std::uintmax_t>(length), ec);
}

}  // namespace

int ReadMPEGData(const std::string& fileName, TMPEGData& data) {
  ResetMPEGData(data);
  try {
    std::unique_ptr<FileSource> file = FileSource::OpenExisting(fileName);
    return file ? ReadMPEGData(*file, data) : -1;
  } catch (const IoError& e) {
    ResetMPEGData(data);
    // A folder opens like a file and fails on the first read: it is no file.
    if (platform::IsDirectory(fileName)) return -1;
    return e.code() > 0 ? e.code() : EIO;
  }
}

bool ReadID3Tag(const std::string& fileName, TID3Tag& tag) {
  try {
    std::unique_ptr<FileSource> file = FileSource::OpenExisting(fileName);
    return file && ReadID3Tag(*file, tag);
  } catch (const IoError&) {
    if (platform::IsDirectory(fileName)) return false;
    throw;
  }
}

void WriteID3Tag(const std::string& fileName, const TID3Tag& tag) {
  const std::string block = BuildID3Block(tag);
  std::string path = platform::FindNoCase(fileName).value_or(fileName);

  ReadOnlyRestorer readOnly(path);
  FileSource file(path, FileSource::Mode::kReadWrite);
  const std::int64_t size = file.Size();
  if (size < 128)
    throw IoError(100, "\"" + path + "\" is too short to hold a tag; it was left as it was",
                  str::kTagFileTooShort, {path});

  char last[128];
  if (file.Read(size - 128, last, sizeof last) != sizeof last)
    throw IoError(EIO, "cannot read \"" + path + "\": the file ended early",
                  str::kTagFileEndedEarly, {path});
  if (std::memcmp(last, "TAG", 3) == 0) {
    file.Write(size - 128, block.data(), block.size());
    file.Close();
  } else {
    try {
      file.Write(size, block.data(), block.size());
      file.Close();
    } catch (...) {
      try {
        file.Close();
      } catch (const IoError&) {
      }
      TruncateTo(path, size);
      throw;
    }
  }
  if (!readOnly.Restore())
    throw IoError(
        errno ? errno : EPERM,
        "the tag of \"" + path + "\" was written, but it could not be made read-only again",
        str::kTagReadOnlyLost, {path});
}

}  // namespace tovix

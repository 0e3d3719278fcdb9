#include "mp3/bytesource.h"

#include <cerrno>
#include <cstring>
#include <optional>

#include "platform/filesys.h"
#include "platform/ioerror.h"

namespace tovix {
namespace {

[[noreturn]] void Fail(int code, const std::string& path, const char* what) {
  if (code == 0) code = EIO;
  throw IoError(code, std::string(what) + " \"" + path + "\": " + std::strerror(code));
}

}  // namespace

std::size_t MemorySource::Read(std::int64_t offset, void* buf, std::size_t n) {
  if (offset < 0 || offset >= Size() || n == 0) return 0;
  std::size_t avail = bytes_.size() - static_cast<std::size_t>(offset);
  if (n > avail) n = avail;
  std::memcpy(buf, bytes_.data() + offset, n);
  return n;
}

FileSource::FileSource(const std::string& path, const char* mode) : path_(path) {
  errno = 0;
  file_ = platform::OpenFile(path, mode);
  if (!file_) Fail(errno, path, "cannot open");
  std::setvbuf(file_, nullptr, _IONBF, 0);
  if (std::fseek(file_, 0, SEEK_END) != 0) {
    int code = errno;
    std::fclose(file_);
    file_ = nullptr;
    Fail(code, path, "cannot read");
  }
  long end = std::ftell(file_);
  if (end < 0) {
    int code = errno;
    std::fclose(file_);
    file_ = nullptr;
    Fail(code, path, "cannot read");
  }
  size_ = end;
  pos_ = end;
}

std::unique_ptr<FileSource> FileSource::OpenExisting(const std::string& path) {
  try {
    return std::make_unique<FileSource>(path, "rb");
  } catch (const IoError& e) {
    if (e.code() != ENOENT) throw;
  }
  std::optional<std::string> real = platform::FindNoCase(path);
  if (!real || *real == path) return nullptr;
  return std::make_unique<FileSource>(*real, "rb");
}

FileSource::~FileSource() {
  if (file_) std::fclose(file_);
}

void FileSource::SeekTo(std::int64_t offset) {
  if (offset == pos_) return;
  pos_ = -1;
  errno = 0;
  if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0)
    Fail(errno, path_, "cannot read");
  pos_ = offset;
}

std::size_t FileSource::Read(std::int64_t offset, void* buf, std::size_t n) {
  if (!file_) Fail(EBADF, path_, "cannot read");
  if (offset < 0 || offset >= size_ || n == 0) return 0;
  SeekTo(offset);
  errno = 0;
  std::size_t got = std::fread(buf, 1, n, file_);
  if (got < n && std::ferror(file_)) {
    pos_ = -1;
    Fail(errno, path_, "cannot read");
  }
  pos_ += static_cast<std::int64_t>(got);
  return got;
}

void FileSource::Write(std::int64_t offset, const void* buf, std::size_t n) {
  if (!file_) Fail(EBADF, path_, "cannot write");
  SeekTo(offset);
  errno = 0;
  std::size_t put = std::fwrite(buf, 1, n, file_);
  if (put < n) {
    pos_ = -1;
    Fail(errno, path_, "cannot write");
  }
  pos_ += static_cast<std::int64_t>(put);
  if (pos_ > size_) size_ = pos_;
}

void FileSource::Close() {
  if (!file_) return;
  errno = 0;
  int flushed = std::fflush(file_);
  int flushErr = errno;
  errno = 0;
  int closed = std::fclose(file_);
  int closeErr = errno;
  file_ = nullptr;
  if (flushed != 0) Fail(flushErr, path_, "cannot write");
  if (closed != 0) Fail(closeErr, path_, "cannot write");
}

}  // namespace tovix

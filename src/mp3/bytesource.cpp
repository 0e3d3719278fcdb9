#include "mp3/bytesource.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "platform/errortexts.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"

namespace tovix {
namespace {

[[noreturn]] void Fail(int code, const std::string& path, const char* what, int text) {
  if (code == 0) code = EIO;
  throw IoError(code, std::string(what) + " \"" + path + "\": " + std::strerror(code), text,
                {path});
}

}  // namespace

std::size_t MemorySource::Read(std::int64_t offset, void* buf, std::size_t n) {
  if (offset < 0 || offset >= Size() || n == 0) return 0;
  std::size_t avail = bytes_.size() - static_cast<std::size_t>(offset);
  if (n > avail) n = avail;
  std::memcpy(buf, bytes_.data() + offset, n);
  return n;
}

std::size_t TailCachedSource::Read(std::int64_t offset, void* buf, std::size_t n) {
  const std::int64_t size = Size();
  if (tailStart_ >= 0 && offset >= tailStart_ && offset < size) {
    const std::size_t avail = static_cast<std::size_t>(size - offset);
    if (n > avail) n = avail;
    std::memcpy(buf, tail_.data() + (offset - tailStart_), n);
    return n;
  }
  const std::size_t got = source_.Read(offset, buf, n);
  if (got > 0 && offset + static_cast<std::int64_t>(got) == size) {
    tail_.assign(static_cast<const char*>(buf), got);
    tailStart_ = offset;
  }
  return got;
}

FileSource::FileSource(const std::string& path, Mode mode) : path_(path) {
  fd_ = platform::OpenRegularFile(path, mode == Mode::kRead ? O_RDONLY : O_RDWR, &size_);
  if (fd_ < 0) Fail(errno, path, "cannot open", str::kIoCannotOpen);
}

std::unique_ptr<FileSource> FileSource::OpenExisting(const std::string& path) {
  try {
    return std::make_unique<FileSource>(path, Mode::kRead);
  } catch (const IoError& e) {
    if (e.code() != ENOENT) throw;
  }
  std::optional<std::string> real = platform::FindNoCase(path);
  if (!real || *real == path) return nullptr;
  return std::make_unique<FileSource>(*real, Mode::kRead);
}

FileSource::~FileSource() {
  if (fd_ >= 0) close(fd_);
}

std::size_t FileSource::Read(std::int64_t offset, void* buf, std::size_t n) {
  if (fd_ < 0) Fail(EBADF, path_, "cannot read", str::kIoCannotRead);
  if (offset < 0 || offset >= size_ || n == 0) return 0;
  std::size_t got = 0;
  while (got < n) {
    const ssize_t r = pread(fd_, static_cast<char*>(buf) + got, n - got,
                            static_cast<off_t>(offset + static_cast<std::int64_t>(got)));
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) Fail(errno, path_, "cannot read", str::kIoCannotRead);
    if (r == 0) break;  // the file shrank since it was opened
    got += static_cast<std::size_t>(r);
  }
  return got;
}

void FileSource::Write(std::int64_t offset, const void* buf, std::size_t n) {
  if (fd_ < 0) Fail(EBADF, path_, "cannot write", str::kIoCannotWrite);
  std::size_t put = 0;
  while (put < n) {
    errno = 0;
    const ssize_t w = pwrite(fd_, static_cast<const char*>(buf) + put, n - put,
                             static_cast<off_t>(offset + static_cast<std::int64_t>(put)));
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) Fail(errno, path_, "cannot write", str::kIoCannotWrite);
    put += static_cast<std::size_t>(w);
  }
  const std::int64_t end = offset + static_cast<std::int64_t>(n);
  if (end > size_) size_ = end;
}

void FileSource::Close() {
  if (fd_ < 0) return;
  const int rc = close(fd_);
  const int error = errno;
  fd_ = -1;
  if (rc != 0 && error != EINTR) Fail(error, path_, "cannot write", str::kIoCannotWrite);
}

}  // namespace tovix

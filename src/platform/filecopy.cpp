#include "platform/filecopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <vector>

#include "platform/filesys.h"

namespace tovix::platform {
namespace {

std::string HiddenTemporaryBeside(const std::string& path) {
  const auto cut = path.find_last_of("/\\");
  const std::string folder = cut == std::string::npos ? "" : path.substr(0, cut + 1);
  const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
  thread_local std::mt19937_64 random{std::random_device{}()};
  char token[17];
  std::snprintf(token, sizeof token, "%016llx", static_cast<unsigned long long>(random()));
  return folder + "." + name + "." + token + ".part";
}

// Writes all of bytes; 0 or the error number.
int WriteAll(int fd, const char* bytes, std::size_t count) {
  for (std::size_t done = 0; done < count;) {
    const ssize_t n = write(fd, bytes + done, count - done);
    if (n > 0)
      done += static_cast<std::size_t>(n);
    else if (n < 0 && errno != EINTR)
      return errno;
    else if (n == 0)
      return EIO;
  }
  return 0;
}

int CopyInto(int in, int out, std::int64_t total, std::size_t blockBytes,
             const CopyProgress& progress) {
  std::vector<char> buffer(blockBytes ? blockBytes : 32768);
  std::int64_t done = 0;
  for (;;) {
    const ssize_t n = read(in, buffer.data(), buffer.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return 0;
    if (const int error = WriteAll(out, buffer.data(), static_cast<std::size_t>(n))) return error;
    done += n;
    if (progress && !progress(done, total)) return ECANCELED;
  }
}

}  // namespace

int CopyFileWhole(const std::string& from, const std::string& to, std::size_t blockBytes,
                  const CopyProgress& progress) {
  const int in = open(ToNative(from).c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return errno;
  struct stat source;
  if (fstat(in, &source) != 0 || !S_ISREG(source.st_mode)) {
    const int error = errno ? errno : EINVAL;
    close(in);
    return error;
  }
  const std::string temp = ToNative(HiddenTemporaryBeside(to));
  const int out = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (out < 0) {
    const int error = errno;
    close(in);
    return error;
  }
  int error = CopyInto(in, out, source.st_size, blockBytes, progress);
  close(in);
  if (!error) {
    const struct timespec times[2] = {source.st_atim, source.st_mtim};
    if (futimens(out, times) != 0) error = errno;
  }
  if (close(out) != 0 && !error) error = errno;
  if (!error && rename(temp.c_str(), ToNative(to).c_str()) != 0) error = errno;
  if (error) unlink(temp.c_str());
  return error;
}

bool SameEntry(const std::string& a, const std::string& b) {
  struct stat x, y;
  return stat(ToNative(a).c_str(), &x) == 0 && stat(ToNative(b).c_str(), &y) == 0 &&
         x.st_dev == y.st_dev && x.st_ino == y.st_ino;
}

FileStamp StampOf(const std::string& path) {
  FileStamp stamp;
  struct stat s;
  if (stat(ToNative(path).c_str(), &s) != 0) return stamp;
  stamp.exists = true;
  stamp.device = s.st_dev;
  stamp.inode = s.st_ino;
  stamp.size = s.st_size;
  stamp.modifiedNs = static_cast<std::int64_t>(s.st_mtim.tv_sec) * 1000000000 + s.st_mtim.tv_nsec;
  return stamp;
}

bool RenameReplacing(const std::string& from, const std::string& to) {
  return rename(ToNative(from).c_str(), ToNative(to).c_str()) == 0;
}

bool ChangeDir(const std::string& dir) {
  return chdir(ToNative(dir).c_str()) == 0;
}

}  // namespace tovix::platform

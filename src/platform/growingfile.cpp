#include "platform/growingfile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <random>

#include "platform/codepage.h"
#include "platform/filesys.h"

namespace tovix::platform {
namespace {

std::string FolderOf(const std::string& native) {
  const std::size_t slash = native.rfind('/');
  return slash == std::string::npos ? "." : native.substr(0, slash + 1);
}

std::string RandomToken() {
  thread_local std::mt19937_64 random{std::random_device{}()};
  char token[17];
  std::snprintf(token, sizeof token, "%016llx", static_cast<unsigned long long>(random()));
  return token;
}

}  // namespace

int GrowingFile::Open(const std::string& path) {
  Discard();
  target_ = ToNative(path);
  fd_ = open(FolderOf(target_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd_ >= 0) return 0;
  // No unnamed files here: a hidden name, which a killed run may leave.
  const std::size_t slash = target_.rfind('/');
  const std::string name = slash == std::string::npos ? target_ : target_.substr(slash + 1);
  tempName_ = FolderOf(target_) + "." + name + "." + RandomToken() + ".part";
  fd_ = open(tempName_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd_ >= 0) return 0;
  const int error = errno;
  tempName_.clear();
  return error;
}

int GrowingFile::Append(std::string_view bytes) {
  if (fd_ < 0) return EBADF;
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = write(fd_, bytes.data() + done, bytes.size() - done);
    if (n > 0)
      done += static_cast<std::size_t>(n);
    else if (errno != EINTR)
      return errno ? errno : EIO;
  }
  return 0;
}

int GrowingFile::Commit(bool replace) {
  if (fd_ < 0) return EBADF;
  // No fsync: like the program's other whole-file writes, the name appears
  // only for complete data; flushing to the disk is left to the system.
  int error = 0;
  if (tempName_.empty()) {
    // An unnamed file gets a name through its descriptor; linking never
    // replaces, so a replacing commit links a hidden name first.
    const std::string proc = "/proc/self/fd/" + std::to_string(fd_);
    const std::string linkName =
        replace ? FolderOf(target_) + ".tovix-" + RandomToken() + ".part" : target_;
    if (linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, linkName.c_str(), AT_SYMLINK_FOLLOW) != 0)
      error = errno;
    else if (replace)
      tempName_ = linkName;
  }
  if (close(fd_) != 0 && !error) error = errno;
  fd_ = -1;
  if (!error && !tempName_.empty()) {
    const auto from = FromNative(tempName_), to = FromNative(target_);
    if (replace)
      error = rename(tempName_.c_str(), target_.c_str()) == 0 ? 0 : errno;
    else if (!from || !to || !RenameNoReplace(*from, *to))
      error = errno ? errno : EEXIST;
  }
  if (error && !tempName_.empty()) unlink(tempName_.c_str());
  tempName_.clear();
  return error;
}

void GrowingFile::Discard() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (!tempName_.empty()) unlink(tempName_.c_str());
  tempName_.clear();
}

bool ListFolders(const std::string& dir, std::vector<std::string>& names,
                 std::vector<std::string>& rejected) {
  DIR* d = opendir(ToNative(dir.empty() ? "." : dir).c_str());
  if (!d) return false;
  const std::string nativeFolder = ToNative(WithSep(dir.empty() ? "." : dir));
  while (dirent* e = readdir(d)) {
    const std::string native = e->d_name;
    if (native.empty() || native[0] == '.') continue;
    struct stat st;
    if (lstat((nativeFolder + native).c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) continue;
    if (auto name = FromNative(native))
      names.push_back(*name);
    else
      rejected.push_back(native);
  }
  closedir(d);
  std::sort(names.begin(), names.end());
  return true;
}

}  // namespace tovix::platform

#include "platform/signals.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace tovix::platform {
namespace {

// Everything the handler touches is fixed in advance: it may only make
// async-signal-safe calls.
char gPath[4096];
std::atomic<int> gKind{0};  // 0 nothing, 1 a file, 2 a folder
int gFolderFd = -1;

void RemoveFolderFiles(int fd) {
  alignas(8) static char buffer[8192];
  // Reads the folder again from its start until a pass finds nothing to
  // remove: unlinking while reading may make the listing skip entries.
  for (bool removed = true; removed;) {
    removed = false;
    lseek(fd, 0, SEEK_SET);
    long n;
    while ((n = syscall(SYS_getdents64, fd, buffer, sizeof buffer)) > 0) {
      for (long at = 0; at < n;) {
        // struct linux_dirent64: ino (8), off (8), reclen (2), type (1), name.
        unsigned short reclen;
        std::memcpy(&reclen, buffer + at + 16, sizeof reclen);
        const char* name = buffer + at + 19;
        if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0 &&
            unlinkat(fd, name, 0) == 0)
          removed = true;
        at += reclen;
      }
    }
  }
}

void OnSignal(int sig) {
  const int kind = gKind.exchange(0);
  if (kind == 1) unlink(gPath);
  if (kind == 2) {
    if (gFolderFd >= 0) RemoveFolderFiles(gFolderFd);
    rmdir(gPath);
  }
  signal(sig, SIG_DFL);
  raise(sig);
}

}  // namespace

void IgnoreFileSizeSignal() {
  signal(SIGXFSZ, SIG_IGN);
}

void RemoveOnSignal(const std::string& nativePath, bool folder) {
  ForgetOnSignal();
  if (nativePath.size() >= sizeof gPath) return;
  std::memcpy(gPath, nativePath.c_str(), nativePath.size() + 1);
  if (folder) gFolderFd = open(gPath, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  gKind = folder ? 2 : 1;
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  for (int sig : {SIGINT, SIGTERM}) {
    struct sigaction old {};
    sigaction(sig, nullptr, &old);
    // A signal the caller chose to ignore stays ignored.
    if (old.sa_handler != SIG_IGN) sigaction(sig, &action, nullptr);
  }
}

void ForgetOnSignal() {
  gKind = 0;
  if (gFolderFd >= 0) close(gFolderFd);
  gFolderFd = -1;
}

}  // namespace tovix::platform

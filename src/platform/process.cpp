#include "platform/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <utility>

extern char** environ;

namespace tovix::platform {
namespace {

int ExitCodeOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return 255;
}

// Children that were given up while running. One background thread reaps
// them as they end; it sleeps when there are none. No SIGCHLD handler, so
// nothing else in the program (Qt, libraries) is disturbed.
class Reaper {
 public:
  void Adopt(pid_t pid) {
    std::lock_guard lock(mutex_);
    pids_.push_back(pid);
    if (!running_) {
      try {
        std::thread([this] { Run(); }).detach();
        running_ = true;
      } catch (const std::system_error&) {
        // No thread to be had: Sweep() on later starts does the job.
      }
    }
    wake_.notify_one();
  }

  void Sweep() {
    std::lock_guard lock(mutex_);
    SweepLocked();
  }

  std::size_t Pending() {
    std::lock_guard lock(mutex_);
    SweepLocked();
    return pids_.size();
  }

 private:
  void SweepLocked() {
    std::erase_if(pids_, [](pid_t pid) {
      int status = 0;
      pid_t r = waitpid(pid, &status, WNOHANG);
      return r == pid || (r < 0 && errno == ECHILD);
    });
  }

  void Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
      SweepLocked();
      if (pids_.empty())
        wake_.wait(lock);
      else
        wake_.wait_for(lock, std::chrono::milliseconds(20));
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::vector<pid_t> pids_;
  bool running_ = false;
};

// Never destroyed: its thread may outlive static destruction at exit.
Reaper& TheReaper() {
  static Reaper* reaper = new Reaper;
  return *reaper;
}

int PidfdOpen(pid_t pid) {
#ifdef SYS_pidfd_open
  long fd = syscall(SYS_pidfd_open, pid, 0);
  if (fd >= 0) {
    fcntl(static_cast<int>(fd), F_SETFD, FD_CLOEXEC);
    return static_cast<int>(fd);
  }
#else
  (void)pid;
#endif
  return -1;
}

// Opens what one standard stream of the child needs, as a descriptor of
// this process above 2 (so the dup2 in the child never meets itself).
// Returns -1 with errno on failure, -2 when the stream is inherited.
int OpenStream(const StdStream& s, bool output) {
  int fd = -2;
  switch (s.kind) {
    case StdStream::Kind::Inherit:
      return -2;
    case StdStream::Kind::Null:
      fd = open("/dev/null", (output ? O_WRONLY : O_RDONLY) | O_CLOEXEC);
      break;
    case StdStream::Kind::File: {
      int flags = output ? (O_WRONLY | O_CREAT | (s.append ? O_APPEND : O_TRUNC)) : O_RDONLY;
      fd = open(s.path.c_str(), flags | O_CLOEXEC, 0666);
      break;
    }
    case StdStream::Kind::Descriptor:
      if (s.fd < 0) {
        errno = EBADF;
        return -1;
      }
      fd = fcntl(s.fd, F_DUPFD_CLOEXEC, 3);
      return fd;
  }
  if (fd >= 0 && fd < 3) {
    int high = fcntl(fd, F_DUPFD_CLOEXEC, 3);
    int saved = errno;
    close(fd);
    errno = saved;
    fd = high;
  }
  return fd;
}

}  // namespace

Process::~Process() {
  Detach();
}

Process::Process(Process&& other) noexcept {
  *this = std::move(other);
}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Detach();
    pid_ = std::exchange(other.pid_, -1);
    pidfd_ = std::exchange(other.pidfd_, -1);
    error_ = std::exchange(other.error_, 0);
    exitCode_ = std::exchange(other.exitCode_, -1);
    finished_ = std::exchange(other.finished_, false);
  }
  return *this;
}

void Process::Reset() {
  if (pidfd_ >= 0) close(pidfd_);
  pid_ = -1;
  pidfd_ = -1;
  error_ = 0;
  exitCode_ = -1;
  finished_ = false;
}

bool Process::Start(const ProcessSpec& request) {
  Detach();
  Reset();
  TheReaper().Sweep();

  int fds[3] = {OpenStream(request.in, false), -2, -2};
  if (fds[0] != -1) fds[1] = OpenStream(request.out, true);
  if (fds[1] != -1) fds[2] = OpenStream(request.err, true);
  int openError = errno;
  auto closeAll = [&fds] {
    for (int fd : fds)
      if (fd >= 0) close(fd);
  };
  if (fds[0] == -1 || fds[1] == -1 || fds[2] == -1) {
    closeAll();
    error_ = openError ? openError : EIO;
    return false;
  }

  std::vector<std::string> args = request.args;
  if (args.empty()) args.push_back(request.program);
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> envStore;
  std::vector<char*> envp;
  if (request.env) {
    envStore = *request.env;
    for (auto& e : envStore) envp.push_back(e.data());
    envp.push_back(nullptr);
  }

  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attr;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_init(&attr);
  for (int i = 0; i < 3; ++i)
    if (fds[i] >= 0) posix_spawn_file_actions_adddup2(&actions, fds[i], i);
  // The child inherits none of our other descriptors.
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);
  if (!request.workDir.empty())
    posix_spawn_file_actions_addchdir_np(&actions, request.workDir.c_str());

  sigset_t mask, defaults;
  sigemptyset(&mask);
  sigemptyset(&defaults);
  for (int sig : {SIGPIPE, SIGINT, SIGQUIT, SIGHUP, SIGCHLD, SIGTTIN, SIGTTOU, SIGTSTP})
    sigaddset(&defaults, sig);
  posix_spawnattr_setsigmask(&attr, &mask);
  posix_spawnattr_setsigdefault(&attr, &defaults);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  pid_t pid = -1;
  int rc = posix_spawn(&pid, request.program.c_str(), &actions, &attr, argv.data(),
                       request.env ? envp.data() : environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  closeAll();
  if (rc != 0) {
    error_ = rc;
    return false;
  }
  pid_ = pid;
  pidfd_ = PidfdOpen(pid);
  return true;
}

bool Process::Wait(int timeoutMs) {
  if (finished_) return true;
  if (pid_ <= 0) return false;
  using Clock = std::chrono::steady_clock;
  const bool forever = timeoutMs < 0;
  const auto deadline = Clock::now() + std::chrono::milliseconds(forever ? 0 : timeoutMs);
  int pause = 1;
  for (;;) {
    int status = 0;
    pid_t r = waitpid(pid_, &status, WNOHANG);
    if (r == pid_ || (r < 0 && errno != EINTR)) {
      exitCode_ = r == pid_ ? ExitCodeOf(status) : 255;
      finished_ = true;
      if (pidfd_ >= 0) close(pidfd_);
      pidfd_ = -1;
      return true;
    }
    if (r < 0) continue;  // interrupted
    long long left =
        forever ? -1
                : std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now())
                      .count();
    if (!forever && left <= 0) return false;
    if (pidfd_ >= 0) {
      pollfd p{pidfd_, POLLIN, 0};
      poll(&p, 1, forever ? -1 : static_cast<int>(std::min<long long>(left, 1 << 30)));
    } else {
      // No pidfd on this system: look again after a short, growing pause.
      long long step = forever ? pause : std::min<long long>(left, pause);
      std::this_thread::sleep_for(std::chrono::milliseconds(step));
      pause = std::min(pause * 2, 10);
    }
  }
}

void Process::Detach() {
  if (pid_ > 0 && !finished_) {
    if (!Wait(0)) TheReaper().Adopt(pid_);
  }
  if (pidfd_ >= 0) close(pidfd_);
  pidfd_ = -1;
  pid_ = -1;
}

bool IsExecutable(const std::string& nativePath) {
  struct stat st;
  return stat(nativePath.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
         access(nativePath.c_str(), X_OK) == 0;
}

std::vector<std::string> ExecutableSearchPath() {
  const char* path = std::getenv("PATH");
  std::string text = path ? path : "/usr/local/bin:/usr/bin:/bin";
  std::vector<std::string> dirs;
  std::size_t start = 0;
  for (;;) {
    std::size_t colon = text.find(':', start);
    std::string dir = text.substr(start, colon == std::string::npos ? colon : colon - start);
    dirs.push_back(dir.empty() ? "." : dir);
    if (colon == std::string::npos) break;
    start = colon + 1;
  }
  return dirs;
}

std::size_t PendingChildren() {
  return TheReaper().Pending();
}

std::vector<std::string> SplitCommandWords(std::string_view line) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, inWord = false;
  for (char c : line) {
    if (!quoted && (c == ' ' || c == '\t')) {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
      continue;
    }
    if (c == '"') quoted = !quoted;
    word += c;
    inWord = true;
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

}  // namespace tovix::platform

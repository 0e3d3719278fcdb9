#include "support/unprivileged.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tovix::test {

int RunUnprivileged(const std::vector<std::string>& paths, const std::function<int()>& body) {
  constexpr uid_t kNobody = 65534;
  const bool root = geteuid() == 0;
  if (root)
    for (const std::string& path : paths)
      if (chown(path.c_str(), kNobody, kNobody) != 0) return -1;
  const pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    if (root && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
      _exit(255);
    if (geteuid() == 0) _exit(255);  // root would pass whatever the code does
    int result = 254;
    try {
      result = body();
    } catch (...) {
      result = 253;
    }
    _exit(result);
  }
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  const int code = WEXITSTATUS(status);
  return code == 255 ? -1 : code;
}

}  // namespace tovix::test

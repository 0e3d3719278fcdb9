#include "cmd/output.h"

#include <unistd.h>

#include <cerrno>

#include "platform/codepage.h"

namespace tovix::cmd {

Output::Output(int fd) : fd_(fd), terminal_(isatty(fd) == 1) {}

bool Output::Write(std::string_view ansi) {
  std::string bytes = terminal_ ? platform::AnsiToUtf8(ansi) : std::string(ansi);
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd_, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool Output::Line(std::string_view ansi) {
  std::string line(ansi);
  line += terminal_ ? "\n" : "\r\n";
  return Write(line);
}

}  // namespace tovix::cmd

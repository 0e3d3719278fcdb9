// c2bin IN.c OUT.bin: writes the bytes of the C array in IN.c to OUT.bin.
// OUT.bin is replaced only by a complete file. Exit code 0 on success, 1 on
// a missing or malformed source or a write failure.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "carrayparser.h"
#include "platform/filesys.h"
#include "platform/signals.h"

namespace {

int Fail(const std::string& line) {
  std::fprintf(stderr, "c2bin: %s\n", line.c_str());
  return 1;
}

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Through a temporary file in the same folder, so a failure leaves no
// half-written OUT.bin behind and an existing one untouched.
int WriteOutput(const std::string& path, const std::string& bytes) {
  const std::size_t slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  std::string temp = dir + ".c2bin-XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return Fail("cannot create " + path + ": " + std::strerror(errno));
  tovix::platform::RemoveOnSignal(temp, false);
  // mkstemp makes the file private; give it the usual permissions.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  const bool written = WriteAll(fd, bytes);
  const int writeError = errno;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed) {
    ::unlink(temp.c_str());
    return Fail("cannot write " + path + ": " + std::strerror(written ? errno : writeError));
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    return Fail("cannot create " + path + ": " + std::strerror(error));
  }
  tovix::platform::ForgetOnSignal();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: c2bin IN.c OUT.bin\n");
    return 1;
  }
  tovix::platform::IgnoreFileSizeSignal();
  const std::string in = argv[1];
  const std::string out = argv[2];
  // A FIFO or a device is refused as a missing file, never waited on.
  const int fd = tovix::platform::OpenRegularFile(in, O_RDONLY);
  if (fd < 0) return Fail("cannot open " + in + ": " + std::strerror(errno));
  std::string text;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return Fail("cannot read " + in + ": " + std::strerror(errno));
    }
    if (n == 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  try {
    return WriteOutput(out, tovix::c2bin::ParseCArray(text));
  } catch (const tovix::c2bin::ParseError& e) {
    return Fail(in + " is not a byte array: " + e.what());
  } catch (const std::exception& e) {
    return Fail(e.what());
  }
}

#include "cli/clirunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>

#include "platform/process.h"
#include "support/tempdir.h"

namespace tovix::test {

CliOutcome RunCli(const std::vector<std::string>& args, const std::string& workDir,
                  const std::optional<std::vector<std::string>>& env) {
  return RunCliFrom(ProgramDir(), args, workDir, env);
}

namespace {

// Both pipes read to their end together, so neither can fill and stall the child.
void ReadBoth(int outFd, int errFd, std::string& out, std::string& err) {
  pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
  std::string* into[2] = {&out, &err};
  for (int open = 2; open > 0;) {
    if (poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !fds[i].revents) continue;
      char buffer[4096];
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        into[i]->append(buffer, std::size_t(n));
      } else if (n == 0 || errno != EINTR) {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
}

CliOutcome RunLimited(platform::ProcessSpec request, unsigned long limit) {
  CliOutcome outcome;
  int out[2], err[2];
  if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) {
    ADD_FAILURE() << "no pipe";
    return outcome;
  }
  request.out = platform::StdStream::FromDescriptor(out[1]);
  request.err = platform::StdStream::FromDescriptor(err[1]);
  // Only the soft limit, and only while the child starts: it inherits it,
  // this process writes on as before.
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  const rlimit lowered{limit, old.rlim_max};
  setrlimit(RLIMIT_FSIZE, &lowered);
  platform::Process process;
  const bool started = process.Start(request);
  setrlimit(RLIMIT_FSIZE, &old);
  close(out[1]);
  close(err[1]);
  if (started)
    ReadBoth(out[0], err[0], outcome.out, outcome.err);
  else {
    close(out[0]);
    close(err[0]);
    ADD_FAILURE() << "tovix-cli cannot be started from " << request.program;
    return outcome;
  }
  if (!process.Wait(240000)) ADD_FAILURE() << "tovix-cli did not end";
  outcome.exitCode = process.exitCode();
  return outcome;
}

}  // namespace

CliOutcome RunCliFrom(const std::string& programDir, const std::vector<std::string>& args,
                      const std::string& workDir,
                      const std::optional<std::vector<std::string>>& env,
                      std::optional<unsigned long> fileSizeLimit) {
  TempDir logs;
  platform::ProcessSpec request;
  request.program = programDir + "tovix-cli";
  request.args = {request.program};
  request.args.insert(request.args.end(), args.begin(), args.end());
  request.workDir = workDir;
  request.env = env;
  request.in = platform::StdStream::Null();
  if (fileSizeLimit) return RunLimited(request, *fileSizeLimit);
  request.out = platform::StdStream::ToFile(logs.file("out"));
  request.err = platform::StdStream::ToFile(logs.file("err"));
  platform::Process process;
  CliOutcome outcome;
  if (!process.Start(request)) {
    ADD_FAILURE() << "tovix-cli cannot be started from " << request.program;
    return outcome;
  }
  if (!process.Wait(240000)) ADD_FAILURE() << "tovix-cli did not end";
  outcome.exitCode = process.exitCode();
  outcome.out = ReadFile(logs.file("out"));
  outcome.err = ReadFile(logs.file("err"));
  return outcome;
}

bool MirrorProgramFiles(const std::string& folder, const std::vector<std::string>& names) {
  namespace fs = std::filesystem;
  for (const std::string& name : names) {
    const fs::path from = ProgramDir() + name;
    const fs::path to = fs::path(folder) / name;
    std::error_code ec;
    fs::create_hard_link(from, to, ec);
    if (ec && !fs::copy_file(from, to, ec)) return false;
  }
  return true;
}

std::vector<std::string> EnvironmentWith(const std::map<std::string, std::string>& set) {
  std::vector<std::string> env;
  for (char** v = environ; *v; ++v) {
    const std::string entry = *v;
    if (!set.count(entry.substr(0, entry.find('=')))) env.push_back(entry);
  }
  for (const auto& [name, value] : set) env.push_back(name + "=" + value);
  return env;
}

int RunProgram(const std::string& name, const std::vector<std::string>& args,
               const std::string& workDir) {
  platform::ProcessSpec request;
  request.program = ProgramDir() + name;
  request.args = {request.program};
  request.args.insert(request.args.end(), args.begin(), args.end());
  request.workDir = workDir;
  request.in = platform::StdStream::Null();
  request.out = platform::StdStream::Null();
  platform::Process process;
  if (!process.Start(request)) return -1;
  process.Wait(120000);
  return process.exitCode();
}

std::map<std::string, std::string> FolderState(const std::string& folder,
                                               const std::vector<std::string>& leaveOut) {
  namespace fs = std::filesystem;
  std::map<std::string, std::string> state;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    const std::string relative = fs::relative(entry.path(), folder).string();
    if (std::find(leaveOut.begin(), leaveOut.end(), relative) != leaveOut.end()) continue;
    state[relative] = ReadFile(entry.path().string());
  }
  return state;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace tovix::test

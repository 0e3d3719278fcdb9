#include "cli/clirunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <unistd.h>

#include "platform/process.h"
#include "support/tempdir.h"

namespace tovix::test {

CliOutcome RunCli(const std::vector<std::string>& args, const std::string& workDir,
                  const std::optional<std::vector<std::string>>& env) {
  return RunCliFrom(ProgramDir(), args, workDir, env);
}

CliOutcome RunCliFrom(const std::string& programDir, const std::vector<std::string>& args,
                      const std::string& workDir,
                      const std::optional<std::vector<std::string>>& env) {
  TempDir logs;
  platform::ProcessSpec request;
  request.program = programDir + "tovix-cli";
  request.args = {request.program};
  request.args.insert(request.args.end(), args.begin(), args.end());
  request.workDir = workDir;
  request.env = env;
  request.in = platform::StdStream::Null();
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

#include "cli/clirunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/process.h"
#include "support/tempdir.h"

namespace tovix::test {

CliOutcome RunCli(const std::vector<std::string>& args, const std::string& workDir,
                  const std::optional<std::vector<std::string>>& env) {
  TempDir logs;
  platform::ProcessSpec request;
  request.program = ProgramDir() + "tovix-cli";
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

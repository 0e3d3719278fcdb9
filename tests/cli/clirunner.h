#pragma once
// Runs the real tovix-cli of the build, as a user's shell would.
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tovix::test {

struct CliOutcome {
  int exitCode = -1;
  std::string out;  // standard output (UTF-8)
  std::string err;  // standard error (UTF-8)
};

// tovix-cli args in workDir (native). env: the child's whole environment;
// nullopt keeps the test's own.
CliOutcome RunCli(const std::vector<std::string>& args, const std::string& workDir,
                  const std::optional<std::vector<std::string>>& env = std::nullopt);

// The same, run from another program folder (native, with a trailing '/'),
// and with fileSizeLimit: under that limit on the files it writes (its
// output then comes through pipes, which the limit does not bind).
CliOutcome RunCliFrom(const std::string& programDir, const std::vector<std::string>& args,
                      const std::string& workDir,
                      const std::optional<std::vector<std::string>>& env = std::nullopt,
                      std::optional<unsigned long> fileSizeLimit = std::nullopt);

// Puts the named files of the build's program folder into folder (hard
// links where the file system allows, else copies), so a program can run
// from a folder any user reaches, or beside another decoder library. False
// when one cannot be put there.
bool MirrorProgramFiles(const std::string& folder, const std::vector<std::string>& names);

// This process's environment with the given variables set.
std::vector<std::string> EnvironmentWith(const std::map<std::string, std::string>& set);

// A program of the program folder (tovix-cmd) with args in workDir; its exit code.
int RunProgram(const std::string& name, const std::vector<std::string>& args,
               const std::string& workDir);

// Every plain file below folder: relative native path -> bytes, leaving out
// the names given.
std::map<std::string, std::string> FolderState(const std::string& folder,
                                               const std::vector<std::string>& leaveOut = {});

// Lines of a text (LF or CR LF).
std::vector<std::string> Lines(const std::string& text);

}  // namespace tovix::test

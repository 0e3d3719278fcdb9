#pragma once
// A small collection for tovix-cli's writes to fail on: two songs (one
// without a tag, with an accented name), a rename list, a settings file
// with a comment naming the folders, and empty folders for the passes to
// fill. Shared by the read-only and the full-disk cases.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/clirunner.h"
#include "support/tempdir.h"

namespace tovix::test {

// Everything below folder: files with their bytes, folders as "<dir>".
std::map<std::string, std::string> Tree(const std::string& folder);

// The entries in which two trees differ, for the failure message.
std::string Differences(const std::map<std::string, std::string>& a,
                        const std::map<std::string, std::string>& b);

// A program folder any user reaches: tovix-cli, its tools and batches,
// and the leak checker's list of known leaks. False when it cannot be made.
bool MakeProgramFolder(const TempDir& folder);

class CliFixture {
 public:
  // program: a folder made by MakeProgramFolder, with a trailing '/';
  // settings: more lines for tovix.ini.
  explicit CliFixture(const std::string& program, const std::string& settings = "");

  const std::string& root() const { return root_.path(); }
  std::string file(const std::string& name) const { return root_.file(name); }
  // A file the unprivileged user owns.
  void Put(const std::string& name, const std::string& bytes);

  // tovix-cli as the unprivileged user.
  CliOutcome Run(const std::vector<std::string>& args);
  // tovix-cli under a file-size limit of bytes.
  CliOutcome RunLimited(const std::vector<std::string>& args, unsigned long bytes);

 private:
  std::vector<std::string> Call(const std::vector<std::string>& args) const;
  std::vector<std::string> Environment() const;

  const std::string program_;
  TempDir root_;
  TempDir out_;
  std::vector<std::string> paths_;
};

}  // namespace tovix::test

#pragma once
// Fixture for interpreter tests: a fresh current folder, files in it, and a
// batch run with its output caught in files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/tempdir.h"

namespace tovix::test {

class BatchTest : public ::testing::Test {
 protected:
  BatchTest();
  ~BatchTest() override;

  // Paths relative to the test folder (which is the current folder).
  void Put(const std::string& name, const std::string& bytes);
  std::string Get(const std::string& name) const;
  bool Has(const std::string& name) const;
  // An executable shell script: "#!/bin/sh" and body.
  void Script(const std::string& name, const std::string& body);
  // Names in a folder of the test folder, sorted.
  std::vector<std::string> Names(const std::string& dir = ".") const;

  struct Result {
    int level = -1;
    std::string out, err;
  };
  // Writes text as test.bat (bytes as given: code page 850, CR LF) and runs
  // it in the library with stdin from /dev/null.
  Result Run(const std::string& text, const std::vector<std::string>& args = {});

  TempDir dir_;
  TempDir side_;  // output files, outside the folder under test
  std::filesystem::path oldCwd_;
};

// Joins lines with CR LF, as batch files are written.
std::string Bat(const std::vector<std::string>& lines);
// Lines as tovix-cmd writes them into a file.
std::string Crlf(const std::vector<std::string>& lines);

}  // namespace tovix::test

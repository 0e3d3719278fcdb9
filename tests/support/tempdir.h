#pragma once
// A fresh folder under the temporary directory, removed with everything in it.
#include <string>

namespace tovix::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder's path, native, without a trailing separator.
  const std::string& path() const { return path_; }
  // path() + "/" + name.
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Writes bytes to a file (native path); fails the test on error.
void WriteFile(const std::string& path, const std::string& bytes);
// Reads a whole file (native path); empty when it cannot be read.
std::string ReadFile(const std::string& path);
// The program folder of the build (TOVIX_TEST_PROGRAM_DIR), with a trailing '/'.
std::string ProgramDir();
// The source tree (TOVIX_SOURCE_DIR), with a trailing '/'.
std::string SourceDir();

}  // namespace tovix::test

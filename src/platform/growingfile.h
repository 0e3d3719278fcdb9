#pragma once
// A large file written piece by piece beside its final name and put in
// place only when complete: a failed, cancelled or killed run leaves
// neither a half file nor a stray temporary one where the system allows it.
#include <string>
#include <string_view>
#include <vector>

namespace tovix::platform {

class GrowingFile {
 public:
  // Opens an unnamed file in the folder of path (a hidden temporary name
  // where the file system has no unnamed files). Returns 0 or errno.
  int Open(const std::string& path);
  // Appends bytes; returns 0 or errno.
  int Append(std::string_view bytes);
  // Names the file path. Without replace an existing file is never replaced
  // (EEXIST). Returns 0 or errno; on failure the data is gone.
  int Commit(bool replace);
  // Drops the data (also when destroyed before Commit).
  void Discard();
  ~GrowingFile() { Discard(); }

 private:
  int fd_ = -1;
  std::string target_;    // native
  std::string tempName_;  // native; empty for an unnamed file
};

// The subfolders of dir (Windows-1252 names), sorted by name;
// hidden ones and links are left out. Names no pass can handle go to
// rejected (raw system names). False when dir cannot be read.
bool ListFolders(const std::string& dir, std::vector<std::string>& names,
                 std::vector<std::string>& rejected);

}  // namespace tovix::platform

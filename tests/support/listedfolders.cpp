#include "support/listedfolders.h"

#include <dirent.h>
#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <mutex>

namespace {
std::mutex listedMutex;
std::vector<std::string> listed;
}  // namespace

// Linked in only by the tests that ask for the list; there every opendir of
// the program, the passes' included, comes here.
extern "C" DIR* opendir(const char* name) {
  using Real = DIR* (*)(const char*);
  static const auto real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "opendir"));
  {
    std::lock_guard<std::mutex> lock(listedMutex);
    listed.emplace_back(name);
  }
  return real(name);
}

namespace tovix::test {

std::vector<std::string> ListedFolders() {
  std::lock_guard<std::mutex> lock(listedMutex);
  return listed;
}

void ForgetListedFolders() {
  std::lock_guard<std::mutex> lock(listedMutex);
  listed.clear();
}

long TimesListed(const std::string& folder) {
  namespace fs = std::filesystem;
  const fs::path wanted = fs::path(folder + "/").lexically_normal();
  const auto names = ListedFolders();
  return std::count_if(names.begin(), names.end(), [&](const std::string& name) {
    return fs::path(name + "/").lexically_normal() == wanted;
  });
}

}  // namespace tovix::test

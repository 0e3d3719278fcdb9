#include "cmd/diskpath.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

#include "cmd/textutil.h"
#include "platform/codepage.h"

namespace tovix::cmd {
namespace {

// A native name as Windows-1252 for comparing; names that 1252 cannot hold
// compare by their bytes.
std::string Comparable(const std::string& native) {
  auto ansi = platform::Utf8ToAnsi(native);
  return ansi ? *ansi : native;
}

std::vector<std::string> ListNames(const std::string& dir) {
  std::vector<std::string> names;
  DIR* d = opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return names;
  while (dirent* e = readdir(d)) {
    std::string n = e->d_name;
    if (n != "." && n != "..") names.push_back(std::move(n));
  }
  closedir(d);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

std::string NativePath(std::string_view ansiPath) {
  std::string p(ansiPath);
  std::replace(p.begin(), p.end(), '\\', '/');
  return platform::AnsiToUtf8(p);
}

bool Exists(const std::string& nativePath) {
  struct stat st;
  return lstat(nativePath.c_str(), &st) == 0;
}

bool IsDir(const std::string& nativePath) {
  struct stat st;
  return stat(nativePath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::optional<std::string> FindEntry(const std::string& dir, const std::string& name) {
  if (name.empty() || name == "." || name == "..") return name;
  if (Exists(JoinPath(dir, name))) return name;
  const std::string wanted = Comparable(name);
  for (const std::string& entry : ListNames(dir))
    if (SameNoCase(Comparable(entry), wanted)) return entry;
  return std::nullopt;
}

std::string ResolvePath(const std::string& nativePath) {
  if (nativePath.empty()) return nativePath;
  std::string out = nativePath[0] == '/' ? "/" : "";
  std::string dir = nativePath[0] == '/' ? "/" : ".";
  bool present = true;
  std::size_t pos = 0;
  while (pos <= nativePath.size()) {
    std::size_t slash = nativePath.find('/', pos);
    std::string comp = nativePath.substr(pos, slash == std::string::npos ? slash : slash - pos);
    if (!comp.empty()) {
      if (present) {
        auto real = FindEntry(dir, comp);
        if (real)
          comp = *real;
        else
          present = false;
      }
      if (!out.empty() && out.back() != '/') out += '/';
      out += comp;
      dir = out;
    }
    if (slash == std::string::npos) break;
    pos = slash + 1;
  }
  // Keep a trailing separator: "dir\" still names the folder.
  if (nativePath.size() > 1 && nativePath.back() == '/' && out.back() != '/') out += '/';
  return out;
}

std::vector<std::string> ExpandPattern(const std::string& nativePath) {
  std::string name = NamePart(nativePath);
  if (!HasWildcard(name)) {
    std::string real = ResolvePath(nativePath);
    if (Exists(real)) return {real};
    return {};
  }
  bool hasDir = nativePath.find('/') != std::string::npos;
  std::string dir = hasDir ? ResolvePath(DirPart(nativePath)) : ".";
  std::string pattern = Comparable(name);
  std::vector<std::string> found;
  for (const std::string& entry : ListNames(dir)) {
    if (entry[0] == '.') continue;
    if (WildcardMatch(pattern, Comparable(entry)))
      found.push_back(hasDir ? JoinPath(dir, entry) : entry);
  }
  return found;
}

std::string DirPart(const std::string& nativePath) {
  std::string p = nativePath;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  std::size_t slash = p.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return p.substr(0, slash);
}

std::string NamePart(const std::string& nativePath) {
  std::string p = nativePath;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  std::size_t slash = p.rfind('/');
  return slash == std::string::npos ? p : p.substr(slash + 1);
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty() || dir == ".") return name;
  if (dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

bool ReadFileBytes(const std::string& nativePath, std::string* bytes) {
  std::FILE* f = std::fopen(nativePath.c_str(), "rb");
  if (!f) return false;
  char buf[65536];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes->append(buf, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

}  // namespace tovix::cmd

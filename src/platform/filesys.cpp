#include "platform/filesys.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>

#include "platform/codepage.h"

namespace tovix::platform {
namespace {

// Letters of Windows-1252 compared without regard to case, accented ones too.
unsigned char FoldCase(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
  if (c == 0x8A || c == 0x8C || c == 0x8E) return static_cast<unsigned char>(c + 16);
  if (c == 0x9F) return 0xFF;
  return c;
}

bool SameNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldCase(static_cast<unsigned char>(a[i])) != FoldCase(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

bool LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return FoldCase(static_cast<unsigned char>(x)) < FoldCase(static_cast<unsigned char>(y));
  });
}

// Splits at the last separator ('/' or '\'): folder (with its separator) and name.
std::pair<std::string, std::string> SplitLast(const std::string& path) {
  const auto pos = path.find_last_of("/\\");
  if (pos == std::string::npos) return {"", path};
  return {path.substr(0, pos + 1), path.substr(pos + 1)};
}

bool HasUnquotableChar(const std::string& name) {
  return std::any_of(name.begin(), name.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F || c == '"' || c == '\\';
  });
}

std::string& ProgramDirOverride() {
  static std::string dir;
  return dir;
}

}  // namespace

std::string WithSep(const std::string& dir) {
  if (dir.empty() || dir.back() == '/' || dir.back() == '\\') return dir;
  return dir + kPathSep;
}

std::string ToNative(const std::string& path) {
  return AnsiToUtf8(path);
}

std::optional<std::string> FromNative(const std::string& nativePath) {
  return Utf8ToAnsi(nativePath);
}

bool WildcardMatch(const std::string& pattern, const std::string& name) {
  // Iterative match with one backtrack point per '*'.
  std::size_t p = 0, n = 0, starP = std::string::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || FoldCase(static_cast<unsigned char>(pattern[p])) ==
                                         FoldCase(static_cast<unsigned char>(name[n])))) {
      ++p;
      ++n;
    } else if (starP != std::string::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

Listing ListFiles(const std::string& dir, const std::string& pattern) {
  Listing result;
  const std::string folder = dir.empty() ? "." : dir;
  DIR* d = opendir(ToNative(folder).c_str());
  if (!d) {
    result.ok = false;
    return result;
  }
  const std::string nativeFolder = ToNative(WithSep(folder));
  while (dirent* e = readdir(d)) {
    const std::string native = e->d_name;
    if (native.empty() || native[0] == '.') continue;
    // The entry's type spares a stat per file; links and file systems that
    // do not say need one.
    if (e->d_type != DT_REG) {
      struct stat st;
      if (e->d_type != DT_LNK && e->d_type != DT_UNKNOWN) continue;
      if (stat((nativeFolder + native).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    }
    auto name = FromNative(native);
    if (!name) {
      // Only names that would match the pattern are worth a word.
      if (WildcardMatch(pattern, native))
        result.rejected.push_back({native, "characters outside Windows-1252"});
      continue;
    }
    if (!WildcardMatch(pattern, *name)) continue;
    if (HasUnquotableChar(*name)) {
      result.rejected.push_back(
          {native, "a double quote, backslash or control character in the name"});
      continue;
    }
    result.names.push_back(*name);
  }
  closedir(d);
  std::stable_sort(result.names.begin(), result.names.end(), [](const auto& a, const auto& b) {
    if (LessNoCase(a, b)) return true;
    if (LessNoCase(b, a)) return false;
    return a < b;
  });
  return result;
}

std::string NameKey(std::string_view name) {
  std::string key(name);
  for (char& c : key) c = static_cast<char>(FoldCase(static_cast<unsigned char>(c)));
  return key;
}

FolderIndex::FolderIndex(const std::string& dir) {
  const std::string folder = dir.empty() ? "." : dir;
  DIR* d = opendir(ToNative(folder).c_str());
  if (!d) return;
  const std::string nativeFolder = ToNative(WithSep(folder));
  while (dirent* e = readdir(d)) {
    bool isFolder = e->d_type == DT_DIR;
    if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
      struct stat st;
      isFolder = stat((nativeFolder + e->d_name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }
    const auto name = FromNative(e->d_name);
    if (!name) continue;
    if (isFolder)
      folders_.insert(NameKey(*name));
    else
      Add(*name);
  }
  closedir(d);
}

std::optional<std::string> FolderIndex::Find(const std::string& name) const {
  const auto [first, last] = folded_.equal_range(NameKey(name));
  std::optional<std::string> found;
  for (auto it = first; it != last; ++it) {
    if (it->second == name) return name;
    if (!found || it->second < *found) found = it->second;
  }
  return found;
}

std::size_t FolderIndex::Count(const std::string& name) const {
  return folded_.count(NameKey(name));
}

void FolderIndex::Add(const std::string& onDiskName) {
  folded_.emplace(NameKey(onDiskName), onDiskName);
}

void FolderIndex::Remove(const std::string& onDiskName) {
  const auto [first, last] = folded_.equal_range(NameKey(onDiskName));
  for (auto it = first; it != last; ++it)
    if (it->second == onDiskName) {
      folded_.erase(it);
      return;
    }
}

bool FolderIndex::HasFolder(const std::string& name) const {
  return folders_.count(NameKey(name)) != 0;
}

std::optional<std::string> FindNoCase(const std::string& path) {
  struct stat st;
  if (lstat(ToNative(path).c_str(), &st) == 0) return path;
  auto [folder, name] = SplitLast(path);
  if (name.empty()) return std::nullopt;
  DIR* d = opendir(ToNative(folder.empty() ? "." : folder).c_str());
  if (!d) return std::nullopt;
  std::optional<std::string> found;
  while (dirent* e = readdir(d)) {
    auto entry = FromNative(e->d_name);
    if (entry && SameNoCase(*entry, name)) {
      found = folder + *entry;
      break;
    }
  }
  closedir(d);
  return found;
}

bool Exists(const std::string& path) {
  return FindNoCase(path).has_value();
}

bool IsDirectory(const std::string& path) {
  auto real = FindNoCase(path);
  struct stat st;
  return real && stat(ToNative(*real).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::int64_t FileSize(const std::string& path) {
  struct stat st;
  if (stat(ToNative(path).c_str(), &st) != 0) return -1;
  return static_cast<std::int64_t>(st.st_size);
}

bool IsReadOnly(const std::string& path) {
  struct stat st;
  if (stat(ToNative(path).c_str(), &st) != 0) return false;
  return (st.st_mode & S_IWUSR) == 0;
}

bool SetReadOnly(const std::string& path, bool readOnly) {
  struct stat st;
  const std::string native = ToNative(path);
  if (stat(native.c_str(), &st) != 0) return false;
  mode_t mode = st.st_mode & 07777;
  mode = readOnly ? (mode & ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
  return chmod(native.c_str(), mode) == 0;
}

bool RenameNoReplace(const std::string& from, const std::string& to) {
  const std::string nativeFrom = ToNative(from);
  // Another spelling of the target counts as the target, as on Windows,
  // unless it is the very file being renamed (a change of letter case).
  if (auto existing = FindNoCase(to)) {
    struct stat a, b;
    const bool same = stat(nativeFrom.c_str(), &a) == 0 &&
                      stat(ToNative(*existing).c_str(), &b) == 0 && a.st_dev == b.st_dev &&
                      a.st_ino == b.st_ino;
    if (!same || *existing == to) {
      errno = EEXIST;
      return false;
    }
  }
  return RenameNoReplaceExact(from, to);
}

bool RenameNoReplaceExact(const std::string& from, const std::string& to) {
  const std::string nativeFrom = ToNative(from);
  const std::string nativeTo = ToNative(to);
  if (renameat2(AT_FDCWD, nativeFrom.c_str(), AT_FDCWD, nativeTo.c_str(), RENAME_NOREPLACE) == 0)
    return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // File systems without RENAME_NOREPLACE: link never replaces either.
  if (link(nativeFrom.c_str(), nativeTo.c_str()) != 0) return false;
  if (unlink(nativeFrom.c_str()) != 0) {
    const int e = errno;
    unlink(nativeTo.c_str());
    errno = e;
    return false;
  }
  return true;
}

bool RemoveFile(const std::string& path) {
  return unlink(ToNative(path).c_str()) == 0;
}
bool MakeDir(const std::string& path) {
  return mkdir(ToNative(path).c_str(), 0777) == 0;
}
bool RemoveDir(const std::string& path) {
  return rmdir(ToNative(path).c_str()) == 0;
}

int WriteFileWhole(const std::string& path, std::string_view bytes) {
  return WriteFileWholeExact(FindNoCase(path).value_or(path), bytes);
}

int WriteFileWholeExact(const std::string& target, std::string_view bytes) {
  struct stat old;
  const bool existed = stat(ToNative(target).c_str(), &old) == 0;
  if (existed && (old.st_mode & S_IWUSR) == 0) return EACCES;
  const auto [folder, name] = SplitLast(target);
  thread_local std::mt19937_64 random{std::random_device{}()};
  char token[17];
  std::snprintf(token, sizeof token, "%016llx", static_cast<unsigned long long>(random()));
  // A leading dot keeps the half-written file out of every folder listing.
  // The name is shortened so the temporary one stays within NAME_MAX
  // however long the final name is; the token keeps it unique.
  std::string nativeName = ToNative(name);
  const std::size_t room = NAME_MAX - (1 + 1 + 16 + 4);
  if (nativeName.size() > room) {
    nativeName.resize(room);
    // Cut at a character boundary of the UTF-8 name.
    while (!nativeName.empty() && (static_cast<unsigned char>(nativeName.back()) & 0xC0) == 0x80)
      nativeName.pop_back();
    if (!nativeName.empty() && (static_cast<unsigned char>(nativeName.back()) & 0x80))
      nativeName.pop_back();
  }
  const std::string temp = ToNative(folder) + "." + nativeName + "." + token + ".tmp";
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                      existed ? (old.st_mode & 07777) : 0666);
  if (fd < 0) return errno;
  int error = 0;
  for (std::size_t done = 0; done < bytes.size() && !error;) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n > 0)
      done += static_cast<std::size_t>(n);
    else if (errno != EINTR)
      error = errno ? errno : EIO;
  }
  if (!error && existed) fchmod(fd, old.st_mode & 07777);  // umask does not narrow it
  if (close(fd) != 0 && !error) error = errno;
  if (!error && rename(temp.c_str(), ToNative(target).c_str()) != 0) error = errno;
  if (error) unlink(temp.c_str());
  return error;
}

int FolderWriteProblem(const std::string& folder, std::int64_t needBytes) {
  const std::string native = ToNative(folder.empty() ? "." : folder);
  if (access(native.c_str(), W_OK | X_OK) != 0) return errno;
  struct statvfs fs;
  if (statvfs(native.c_str(), &fs) != 0) return errno;
  if (fs.f_flag & ST_RDONLY) return EROFS;
  if (static_cast<std::int64_t>(fs.f_bavail) * static_cast<std::int64_t>(fs.f_frsize) < needBytes)
    return ENOSPC;
  return 0;
}

int OpenRegularFile(const std::string& path, int flags, std::int64_t* size) {
  // O_NONBLOCK: opening a FIFO would otherwise wait for a writer.
  const int fd = open(ToNative(path).c_str(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return -1;
  struct stat st;
  int error = 0;
  if (fstat(fd, &st) != 0)
    error = errno;
  else if (S_ISDIR(st.st_mode))
    error = EISDIR;
  else if (!S_ISREG(st.st_mode))
    error = ENOENT;
  // O_NONBLOCK stays: it has no effect on a regular file.
  if (error) {
    close(fd);
    errno = error;
    return -1;
  }
  if (size) *size = st.st_size;
  return fd;
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  const std::string_view m(mode);
  if (m.empty() || m[0] != 'r') return std::fopen(ToNative(path).c_str(), mode);
  const int fd = OpenRegularFile(path, m.find('+') != std::string_view::npos ? O_RDWR : O_RDONLY);
  if (fd < 0) return nullptr;
  std::FILE* f = fdopen(fd, mode);
  if (!f) {
    const int error = errno;
    close(fd);
    errno = error;
  }
  return f;
}

std::string ShortPath(const std::string& path) {
  return path;
}

std::optional<std::string> TempPath() {
  const char* t = std::getenv("TMPDIR");
  std::string dir = (t && *t) ? t : "/tmp";
  auto ansi = FromNative(dir);
  if (!ansi) return std::nullopt;
  if (ansi->size() + 1 > 260) return std::nullopt;  // the 261-character buffer
  return WithSep(*ansi);
}

std::string ProgramDir() {
  if (!ProgramDirOverride().empty()) return ProgramDirOverride();
  static const std::string dir = [] {
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return std::string("./");
    std::string exe(buf, static_cast<std::size_t>(n));
    auto ansi = FromNative(exe.substr(0, exe.find_last_of('/') + 1));
    return ansi ? *ansi : std::string("./");
  }();
  return dir;
}

void SetProgramDir(const std::string& dir) {
  ProgramDirOverride() = dir.empty() ? "" : WithSep(dir);
}

std::string CurrentDir() {
  char buf[PATH_MAX];
  if (!getcwd(buf, sizeof buf)) return ".";
  auto ansi = FromNative(buf);
  return ansi ? *ansi : std::string(".");
}

}  // namespace tovix::platform

// The built-in commands that change files: move, del, md, rd, ren.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cmd/diskpath.h"
#include "cmd/interpreter.h"
#include "cmd/output.h"
#include "cmd/textutil.h"

namespace tovix::cmd {
namespace {

bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  return lstat(a.c_str(), &sa) == 0 && lstat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR);
}

// rename that never replaces anything.
int RenameNoReplace(const std::string& from, const std::string& to) {
#ifdef SYS_renameat2
  if (syscall(SYS_renameat2, AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), 1 /*NOREPLACE*/) == 0)
    return 0;
  if (errno != EINVAL && errno != ENOSYS) return -1;
#endif
  if (Exists(to)) {
    errno = EEXIST;
    return -1;
  }
  return rename(from.c_str(), to.c_str());
}

// A move to another file system: copy beside the target under a temporary
// name, put it in place in one step, and only then remove the source, so
// that no step can lose the file. Without replace, a file that has appeared
// at the target meanwhile is left alone.
bool CopyAcross(const std::string& from, const std::string& to, bool replace, std::string* why) {
  int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return *why = std::strerror(errno), false;
  struct stat st;
  if (fstat(in, &st) != 0) {
    *why = std::strerror(errno);
    close(in);
    return false;
  }
  std::string tmp = JoinPath(DirPart(to), ".tovix-move-XXXXXX");
  int out = mkostemp(tmp.data(), O_CLOEXEC);
  if (out < 0) {
    *why = std::strerror(errno);
    close(in);
    return false;
  }
  bool ok = true;
  char buf[65536];
  for (;;) {
    ssize_t n = read(in, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    for (ssize_t done = 0; ok && done < n;) {
      ssize_t w = write(out, buf + done, static_cast<std::size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0)
        ok = false;
      else
        done += w;
    }
    if (!ok) break;
  }
  if (ok) {
    fchmod(out, st.st_mode & 07777);
    timespec times[2] = {st.st_atim, st.st_mtim};
    futimens(out, times);
    ok = fsync(out) == 0;
  }
  if (!ok) *why = std::strerror(errno);
  close(in);
  if (close(out) != 0 && ok) {
    ok = false;
    *why = std::strerror(errno);
  }
  if (ok && (replace ? rename(tmp.c_str(), to.c_str()) : RenameNoReplace(tmp, to)) != 0) {
    ok = false;
    *why = std::strerror(errno);
  }
  if (!ok) {
    unlink(tmp.c_str());
    return false;
  }
  if (unlink(from.c_str()) != 0) {
    *why = std::string("copied, but the original could not be removed: ") + std::strerror(errno);
    return false;
  }
  return true;
}

// Moves one entry to the path wanted, replacing a file there (never a
// folder), as move does inside a batch file.
bool MoveOne(const std::string& src, const std::string& wanted, std::string* why) {
  std::string real = ResolvePath(wanted);
  // The name as asked for, in the folder as spelled on disk.
  std::string spelled = JoinPath(DirPart(real), NamePart(wanted));
  bool srcIsDir = IsDir(src);
  if (Exists(real)) {
    if (SameFile(src, real)) {
      // Only the letter case changes, or nothing at all.
      if (NamePart(src) == NamePart(wanted)) return true;
      if (rename(src.c_str(), spelled.c_str()) == 0) return true;
      return *why = std::strerror(errno), false;
    }
    if (IsDir(real) || srcIsDir) return *why = "a file or folder of that name exists", false;
    if (IsReadOnlyFile(real)) return *why = "access is denied, the target is read-only", false;
    // Replace in one step under the spelling on disk, then take the spelling asked for.
    if (rename(src.c_str(), real.c_str()) != 0) {
      if (errno != EXDEV) return *why = std::strerror(errno), false;
      if (!CopyAcross(src, real, true, why)) return false;
    }
    if (NamePart(real) != NamePart(wanted)) rename(real.c_str(), spelled.c_str());
    return true;
  }
  if (RenameNoReplace(src, real) == 0) return true;
  if (errno != EXDEV || srcIsDir) return *why = std::strerror(errno), false;
  return CopyAcross(src, real, false, why);
}

// Names and switches of a command tail; false for a switch not in allowed.
bool SplitArgs(const std::string& rest, const std::string& allowed, std::vector<std::string>* names,
               std::string* switches, std::string* bad) {
  for (const std::string& w : SplitWords(rest)) {
    if (w.size() >= 2 && w[0] == '/') {
      std::string s = Lower(w.substr(1));
      if (s == "-y") s = "y";
      if (s.size() != 1 || allowed.find(s) == std::string::npos) return *bad = w, false;
      *switches += s;
    } else {
      names->push_back(Unquote(w));
    }
  }
  return true;
}

}  // namespace

bool Interpreter::Move(const std::string& rest, const Streams& io) {
  std::vector<std::string> names;
  std::string switches, bad;
  if (!SplitArgs(rest, "y", &names, &switches, &bad))
    return Fail(io, "The switch " + bad + " of move is not supported by tovix-cmd.");
  if (names.size() != 2)
    return Fail(io, "The syntax of the command is incorrect: move needs a source and a target.");
  std::vector<std::string> sources = ExpandPattern(NativePath(names[0]));
  if (sources.empty()) return Fail(io, "The system cannot find the file specified: " + names[0]);
  const std::string asked = NativePath(names[1]);
  std::string target = ResolvePath(asked);
  bool intoFolder = IsDir(target);
  if (!intoFolder && asked.back() == '/')
    return Fail(io, "The system cannot find the path specified: " + names[1]);
  if (sources.size() > 1 && !intoFolder)
    return Fail(io, "Cannot move multiple files to a single file: " + names[1]);
  // A file keeps the spelling asked for, even where an old one is replaced.
  if (!intoFolder) target = JoinPath(DirPart(target), NamePart(asked));
  int moved = 0;
  bool failed = false;
  for (const std::string& src : sources) {
    std::string to = target;
    if (intoFolder && !SameFile(src, target)) to = JoinPath(target, NamePart(src));
    std::string why;
    if (MoveOne(src, to, &why)) {
      ++moved;
    } else {
      Output(io.err).Line("Cannot move " + NamePart(src) + " to " + names[1] + ": " + why + ".");
      failed = true;
    }
  }
  if (moved > 0) Output(io.out).Line("        " + std::to_string(moved) + " file(s) moved.");
  errorlevel_ = failed ? 1 : 0;
  return !failed;
}

bool Interpreter::Delete(const std::string& rest, const Streams& io) {
  std::vector<std::string> names;
  std::string switches, bad;
  if (!SplitArgs(rest, "qf", &names, &switches, &bad))
    return Fail(io, "The switch " + bad + " of del is not supported by tovix-cmd.");
  if (names.empty()) return Fail(io, "The syntax of the command is incorrect: del needs a file.");
  const bool force = switches.find('f') != std::string::npos;
  bool failed = false;
  Output err(io.err);
  for (const std::string& name : names) {
    std::string native = NativePath(name);
    bool wild = HasWildcard(NamePart(native));
    int found = 0;
    for (const std::string& path : ExpandPattern(native)) {
      if (IsDir(path)) {
        if (wild) continue;
        err.Line(name + " is a folder; del removes files only.");
        failed = true;
        ++found;
        continue;
      }
      ++found;
      if (!force && IsReadOnlyFile(path)) {
        err.Line("Access is denied: " + NamePart(path) + " is read-only.");
        failed = true;
      } else if (unlink(path.c_str()) != 0) {
        err.Line("Cannot delete " + NamePart(path) + ": " + std::strerror(errno) + ".");
        failed = true;
      }
    }
    if (found == 0) {
      err.Line("Could Not Find " + name);
      failed = true;
    }
  }
  errorlevel_ = failed ? 1 : 0;
  return !failed;
}

bool Interpreter::MakeDir(const std::string& rest, const Streams& io) {
  std::vector<std::string> names;
  std::string switches, bad;
  if (!SplitArgs(rest, "", &names, &switches, &bad))
    return Fail(io, "The switch " + bad + " of md is not supported by tovix-cmd.");
  if (names.empty()) return Fail(io, "The syntax of the command is incorrect: md needs a name.");
  bool failed = false;
  Output err(io.err);
  for (const std::string& name : names) {
    std::string path = ResolvePath(NativePath(name));
    if (Exists(path)) {
      err.Line("A subdirectory or file " + name + " already exists.");
      failed = true;
      continue;
    }
    // Missing folders on the way are made too.
    for (std::size_t pos = path.find('/', 1);; pos = path.find('/', pos + 1)) {
      std::string part = path.substr(0, pos);
      if (!part.empty() && !IsDir(part) && mkdir(part.c_str(), 0777) != 0) {
        err.Line("Cannot make the folder " + name + ": " + std::strerror(errno) + ".");
        failed = true;
        break;
      }
      if (pos == std::string::npos) break;
    }
  }
  errorlevel_ = failed ? 1 : 0;
  return !failed;
}

bool Interpreter::RemoveDir(const std::string& rest, const Streams& io) {
  std::vector<std::string> names;
  std::string switches, bad;
  if (!SplitArgs(rest, "q", &names, &switches, &bad))
    return Fail(io, "The switch " + bad + " of rd is not supported by tovix-cmd.");
  if (names.empty()) return Fail(io, "The syntax of the command is incorrect: rd needs a name.");
  bool failed = false;
  Output err(io.err);
  for (const std::string& name : names) {
    std::string path = ResolvePath(NativePath(name));
    if (!Exists(path)) {
      err.Line("The system cannot find the file specified: " + name);
      failed = true;
    } else if (!IsDir(path)) {
      err.Line("The directory name is invalid: " + name);
      failed = true;
    } else if (rmdir(path.c_str()) != 0) {
      err.Line(errno == ENOTEMPTY || errno == EEXIST
                   ? "The directory is not empty: " + name
                   : "Cannot remove the folder " + name + ": " + std::strerror(errno) + ".");
      failed = true;
    }
  }
  errorlevel_ = failed ? 1 : 0;
  return !failed;
}

bool Interpreter::Rename(const std::string& rest, const Streams& io) {
  std::vector<std::string> names;
  std::string switches, bad;
  if (!SplitArgs(rest, "", &names, &switches, &bad) || names.size() != 2)
    return Fail(io, "The syntax of the command is incorrect: ren needs a file and a new name.");
  std::string newName = NativePath(names[1]);
  if (newName.find('/') != std::string::npos || HasWildcard(names[0]) || HasWildcard(newName))
    return Fail(io, "The syntax of the command is incorrect: the new name of ren is a plain name.");
  std::string src = ResolvePath(NativePath(names[0]));
  if (!Exists(src)) return Fail(io, "The system cannot find the file specified: " + names[0]);
  std::string to = JoinPath(DirPart(src), newName);
  std::string onDisk = ResolvePath(to);
  if (Exists(onDisk) && !SameFile(src, onDisk))
    return Fail(io, "A duplicate file name exists, or the file cannot be found: " + names[1]);
  if (to != src) {
    // A change of letter case only renames the file itself.
    int rc = Exists(onDisk) ? rename(src.c_str(), to.c_str()) : RenameNoReplace(src, to);
    if (rc != 0) return Fail(io, "Cannot rename " + names[0] + ": " + std::strerror(errno) + ".");
  }
  errorlevel_ = 0;
  return true;
}

}  // namespace tovix::cmd

#pragma once
// Paths of batch lines on this file system: "\" and "/" both separate, and
// names are found without regard to case, as on Windows.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovix::cmd {

// A Windows-1252 path of a batch line as a native (UTF-8) path.
std::string NativePath(std::string_view ansiPath);
// The entry of folder dir (native) whose name equals name without regard
// to case; the exact spelling wins.
std::optional<std::string> FindEntry(const std::string& dir, const std::string& name);
// The native path with every component that exists spelled as on disk;
// the rest stays as given.
std::string ResolvePath(const std::string& nativePath);
bool Exists(const std::string& nativePath);
bool IsDir(const std::string& nativePath);
// Existing entries named by a native path whose last component may hold
// '*' and '?', spelled as on disk, sorted. Wildcards skip hidden entries.
std::vector<std::string> ExpandPattern(const std::string& nativePath);

// Folder part (without separator, "." when there is none) and last name.
std::string DirPart(const std::string& nativePath);
std::string NamePart(const std::string& nativePath);
std::string JoinPath(const std::string& dir, const std::string& name);

// The whole content of a file; false when it cannot be read.
bool ReadFileBytes(const std::string& nativePath, std::string* bytes);

}  // namespace tovix::cmd

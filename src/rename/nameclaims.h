#pragma once
// The names a pass is about to give files, compared as a file system that
// ignores letter case compares them (a CD, Windows), so no two files of a
// Linux folder that differ only in case end up as one.
#include <optional>
#include <string>
#include <unordered_map>

namespace tovix {

class NameClaims {
 public:
  // Claims name for the file owner; the file that holds it already when
  // the name is taken (nothing is then claimed).
  std::optional<std::string> Claim(const std::string& name, const std::string& owner);
  // The name as first claimed in any letter case; "" when unclaimed.
  std::string Claimed(const std::string& name) const;

 private:
  struct Claimant {
    std::string owner;
    std::string name;
  };
  std::unordered_map<std::string, Claimant> owners_;
};

// The memo, list or batch-comment line about a file left out because it
// would take the same name as an earlier one, in a letter case of its own.
std::string NameClashNote(const std::string& earlier, const std::string& later);
// The same, saying whether both would take the very same name or names
// that differ only in letter case.
std::string NameClashNote(const std::string& earlier, const std::string& later,
                          const std::string& earlierName, const std::string& laterName);

}  // namespace tovix

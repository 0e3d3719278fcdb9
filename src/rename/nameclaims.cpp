#include "rename/nameclaims.h"

#include "lang/buildstrings.h"
#include "platform/filesys.h"

namespace tovix {

std::optional<std::string> NameClaims::Claim(const std::string& name, const std::string& owner) {
  const auto [it, fresh] = owners_.emplace(platform::NameKey(name), Claimant{owner, name});
  if (fresh) return std::nullopt;
  return it->second.owner;
}

std::string NameClaims::Claimed(const std::string& name) const {
  const auto it = owners_.find(platform::NameKey(name));
  return it == owners_.end() ? "" : it->second.name;
}

std::string NameClashNote(const std::string& earlier, const std::string& later) {
  return BuildText(str::kNameClash, {later, earlier, BuildText(str::kDiffersInCase)});
}

std::string NameClashNote(const std::string& earlier, const std::string& later,
                          const std::string& earlierName, const std::string& laterName) {
  if (earlierName != laterName) return NameClashNote(earlier, later);
  return BuildText(str::kNameClash, {later, earlier, BuildText(str::kSameName, {laterName})});
}

}  // namespace tovix

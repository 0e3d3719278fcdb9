#include "rename/nameclaims.h"

#include "lang/buildstrings.h"
#include "platform/filesys.h"

namespace tovix {

std::optional<std::string> NameClaims::Claim(const std::string& name, const std::string& owner) {
  const auto [it, fresh] = owners_.emplace(platform::NameKey(name), owner);
  if (fresh) return std::nullopt;
  return it->second;
}

std::string NameClashNote(const std::string& earlier, const std::string& later) {
  return BuildText(str::kSkippedNameClash, {later, earlier});
}

}  // namespace tovix

#include "rename/companions.h"

#include "platform/codepage.h"
#include "platform/filesys.h"
#include "rename/namesplit.h"

namespace tovix {
namespace {

constexpr std::size_t kExtension = 4;  // ".BIN", ".JPG", ".TXT"

std::string Spelled(const std::string& companionStem, const std::string& oldStem,
                    const std::string& newStem) {
  if (companionStem == oldStem) return newStem;
  if (companionStem == platform::UpperAscii(oldStem)) return platform::UpperAscii(newStem);
  if (companionStem == platform::LowerAscii(oldStem)) return platform::LowerAscii(newStem);
  return newStem;
}

}  // namespace

std::vector<CompanionMove> CompanionMoves(const platform::FolderIndex& binIndex,
                                          const std::string& oldName, const std::string& newName) {
  const std::string oldStem = CutAtMp3(oldName);
  const std::string newStem = CutAtMp3(newName);
  std::vector<CompanionMove> moves;
  for (const char* ext : {".BIN", ".JPG", ".TXT"}) {
    const auto found = binIndex.Find(oldStem + ext);
    if (!found) continue;
    const std::string stem = found->substr(0, found->size() - kExtension);
    moves.push_back({*found, Spelled(stem, oldStem, newStem) + found->substr(stem.size())});
  }
  return moves;
}

}  // namespace tovix

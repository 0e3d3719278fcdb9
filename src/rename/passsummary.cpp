#include "rename/passsummary.h"

#include "lang/buildstrings.h"

namespace tovix {
namespace {

// A summary is one line; the memo or the log above it names every file.
constexpr std::size_t kNamesShown = 10;

std::string LeftOutText(const std::vector<std::string>& names) {
  return names.empty() ? "" : ": " + NameList(names);
}

}  // namespace

std::string NameList(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size() && i < kNamesShown; ++i)
    text += (i ? ", " : "") + names[i];
  if (names.size() > kNamesShown)
    text += " " + BuildText(str::kAndMore, {std::to_string(names.size() - kNamesShown)});
  return text;
}

std::string CdBatchSummary(const CdBatchResult& result) {
  return BuildText(str::kCdBatchSummary,
                   {std::to_string(result.songs), std::to_string(result.renamed),
                    std::to_string(result.leftOut.size()), LeftOutText(result.leftOut)});
}

std::string RenameSummary(const RenameTally& tally) {
  return BuildText(str::kRenameSummary,
                   {std::to_string(tally.renamed), std::to_string(tally.companions),
                    std::to_string(tally.tagsWritten), std::to_string(tally.leftOut.size()),
                    LeftOutText(tally.leftOut)});
}

}  // namespace tovix

#include "disc/disccheck.h"

#include <algorithm>

#include "lang/buildstrings.h"
#include "lang/sprachen.h"
#include "platform/codepage.h"
#include "rename/shownname.h"

namespace tovix {
namespace {

constexpr std::int64_t kSector = 2048;
// System area (16), primary and terminating descriptors, four path tables
// and the root folder, with room to spare.
constexpr std::int64_t kVolumeSectors = 32;

// The level of a folder on the disc; the root is level 1, as ISO 9660 counts.
int Levels(const std::string& discPath) {
  return 2 + static_cast<int>(std::count(discPath.begin(), discPath.end(), '/'));
}

bool IsBin(const std::string& source) {
  if (source.size() < 4) return false;
  return platform::LowerAscii(source.substr(source.size() - 4)) == ".bin";
}

std::string Count(std::int64_t value, std::int64_t limit) {
  return std::to_string(value) + " > " + std::to_string(limit);
}

}  // namespace

std::int64_t MediumSectors(int mediumMb) {
  switch (mediumMb) {
    case 650:
      return 333000;
    case 700:
      return 360000;
    case 800:
      return 405000;
    default:
      return 0;
  }
}

std::int64_t ImageSectors(const DiscTree& tree) {
  std::int64_t sectors = kVolumeSectors + static_cast<std::int64_t>(tree.folders.size());
  for (const DiscFile& file : tree.files)
    sectors += (std::max<std::int64_t>(file.size, 0) + kSector - 1) / kSector;
  return sectors;
}

std::vector<DiscFinding> CheckDisc(const DiscTree& tree, const DiscLimits& limits) {
  std::vector<DiscFinding> findings = tree.findings;
  const std::int64_t sectors = ImageSectors(tree);
  const std::int64_t medium = MediumSectors(limits.mediumMb);
  if (sectors > medium)
    findings.push_back({DiscProblem::kTooLarge, "",
                        std::to_string((sectors * kSector + 999999) / 1000000) + " MB > " +
                            std::to_string(limits.mediumMb) + " MB"});
  for (const std::string& folder : tree.folders)
    if (Levels(folder) == limits.maxFolderLevels + 1)
      findings.push_back({DiscProblem::kTooDeep, folder, ""});
  if (static_cast<std::int64_t>(tree.folders.size()) > limits.maxFolders)
    findings.push_back({DiscProblem::kTooManyFolders, "",
                        Count(static_cast<std::int64_t>(tree.folders.size()), limits.maxFolders)});
  if (static_cast<std::int64_t>(tree.files.size()) > limits.maxFiles)
    findings.push_back({DiscProblem::kTooManyFiles, "",
                        Count(static_cast<std::int64_t>(tree.files.size()), limits.maxFiles)});
  for (const DiscFile& file : tree.files)
    if (IsBin(file.source) && file.size > limits.maxBinBytes)
      findings.push_back(
          {DiscProblem::kBinTooLarge, file.shown, Count(file.size, limits.maxBinBytes)});
  // Errors first, the warnings after them.
  std::stable_partition(findings.begin(), findings.end(),
                        [](const DiscFinding& f) { return !f.IsWarning(); });
  return findings;
}

bool HasErrors(const std::vector<DiscFinding>& findings) {
  return std::any_of(findings.begin(), findings.end(),
                     [](const DiscFinding& f) { return !f.IsWarning(); });
}

std::string FindingText(const DiscFinding& finding) {
  int string = 0;
  switch (finding.problem) {
    case DiscProblem::kTooLarge:
      string = str::kDiscTooLarge;
      break;
    case DiscProblem::kTooDeep:
      string = str::kDiscTooDeep;
      break;
    case DiscProblem::kTooManyFolders:
      string = str::kDiscTooManyFolders;
      break;
    case DiscProblem::kTooManyFiles:
      string = str::kDiscTooManyFiles;
      break;
    case DiscProblem::kBinTooLarge:
      string = str::kDiscBinTooLarge;
      break;
    case DiscProblem::kCasePair:
      string = str::kDiscCasePair;
      break;
    case DiscProblem::kBadName:
      string = str::kDiscBadName;
      break;
    case DiscProblem::kNotOneFolder:
      string = str::kDiscNotOneFolder;
      break;
    case DiscProblem::kNoBin:
      string = str::kDiscNoBin;
      break;
    case DiscProblem::kLeftOut:
      string = str::kNotOnDisc;
      break;
  }
  std::string text = BuildText(string);
  const std::string file = finding.nativeFile ? ShownName(finding.file) : finding.file;
  if (!file.empty()) text += " " + file;
  if (!finding.detail.empty()) text += (file.empty() ? " " : " : ") + finding.detail;
  return text;
}

std::string FindingTextUtf8(const DiscFinding& finding) {
  DiscFinding bare = finding;
  bare.file.clear();
  bare.detail.clear();
  std::string text = platform::AnsiToUtf8(FindingText(bare));
  const std::string file =
      finding.nativeFile ? ShownNativeName(finding.file) : platform::AnsiToUtf8(finding.file);
  if (!file.empty()) text += " " + file;
  if (!finding.detail.empty())
    text += (file.empty() ? " " : " : ") + platform::AnsiToUtf8(finding.detail);
  return text;
}

}  // namespace tovix

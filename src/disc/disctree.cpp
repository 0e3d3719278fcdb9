#include "disc/disctree.h"

#include <filesystem>
#include <map>
#include <set>

#include "platform/codepage.h"
#include "platform/filesys.h"
#include "platform/growingfile.h"
#include "rename/cdlayout.h"
#include "rename/texthelpers.h"

namespace tovix {
namespace {

constexpr int kMaxWalkDepth = 32;  // deep enough to see every level the player lacks

bool IsDChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

std::string CleanPart(const std::string& part) {
  std::string out;
  for (char c : part) out += IsDChar(platform::UpperAscii(c)) ? platform::UpperAscii(c) : '_';
  return out;
}

// Letter case folded as a file system that ignores case folds it.
std::string Folded(const std::string& name) {
  std::string out = name;
  for (char& c : out) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
      c = static_cast<char>(u + 0x20);
  }
  return out;
}

void AddCasePairs(const std::vector<std::string>& names, const std::string& prefix,
                  DiscTree& tree) {
  std::map<std::string, std::string> seen;
  for (const std::string& name : names) {
    auto [it, fresh] = seen.emplace(Folded(name), name);
    if (!fresh)
      tree.findings.push_back({DiscProblem::kCasePair, prefix + it->second, prefix + name});
  }
}

std::string Ext(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? "" : Folded(name.substr(dot));
}

// Short.bat's placements turned into the disc's folders and files.
class ShortLayout : public CdLayoutVisitor {
 public:
  explicit ShortLayout(DiscTree& tree) : tree_(tree) {}

  void LeaveOut(const std::string& nativeName, const std::string&) override {
    const std::string name = platform::Utf8ToAnsi(nativeName).value_or(nativeName);
    leftOut_.insert(name);
    tree_.findings.push_back({DiscProblem::kLeftOut, nativeName, "", true});
  }
  // Short.bat leaves both where they are; the check names the pair.
  void CasePair(const std::string& earlier, const std::string& later) override {
    leftOut_.insert(earlier);
    leftOut_.insert(later);
  }
  void BeginRound(char round, const std::string&) override {
    folder_ =
        round >= '0' && round <= '9' ? "0_9" : CleanPart(ReplaceUmlauts(std::string(1, round)));
    if (tree_.folders.empty() || tree_.folders.back() != folder_) tree_.folders.push_back(folder_);
  }
  void EndRound(char, const std::string&) override { EndSong(); }
  void Song(const CdPlacement& song) override {
    EndSong();
    song_ = song.name;
    placed_.insert(song.name);
    Add(song);
  }
  void Companion(const CdPlacement& companion) override {
    if (Ext(companion.name) == ".bin") hasBin_ = true;
    Add(companion);
  }

  bool Placed(const std::string& name) const { return placed_.count(name) || leftOut_.count(name); }

 private:
  void Add(const CdPlacement& p) {
    const std::string name = IsoCleanName(p.shortName, true);
    if (!IsLevel1Name(name, true)) tree_.findings.push_back({DiscProblem::kBadName, p.name, name});
    const std::string source = p.folder + p.name;
    tree_.files.push_back({folder_ + "/" + name, source, platform::FileSize(source), p.name});
  }
  void EndSong() {
    if (!song_.empty() && !hasBin_) tree_.findings.push_back({DiscProblem::kNoBin, song_, ""});
    song_.clear();
    hasBin_ = false;
  }

  DiscTree& tree_;
  std::string folder_;
  std::string song_;
  bool hasBin_ = false;
  std::set<std::string> placed_;
  std::set<std::string> leftOut_;
};

bool SameFolder(const std::string& a, const std::string& b) {
  if (platform::WithSep(a) == platform::WithSep(b)) return true;
  std::error_code ec;
  return std::filesystem::equivalent(platform::ToNative(a), platform::ToNative(b), ec) && !ec;
}

void WalkAsIs(const std::string& dir, const std::string& discPath, const std::string& shownPath,
              int depth, DiscTree& tree) {
  const std::string folder = platform::WithSep(dir);
  const platform::Listing listing = platform::ListFiles(folder, "*");
  for (const auto& rejected : listing.rejected)
    tree.findings.push_back({DiscProblem::kBadName, shownPath + rejected.nativeName, "", true});
  std::vector<std::string> folders, rejectedFolders;
  platform::ListFolders(folder, folders, rejectedFolders);
  for (const std::string& rejected : rejectedFolders)
    tree.findings.push_back({DiscProblem::kBadName, shownPath + rejected + "/", "", true});

  std::vector<std::string> all = listing.names;
  all.insert(all.end(), folders.begin(), folders.end());
  AddCasePairs(all, shownPath, tree);

  const std::string prefix = discPath.empty() ? "" : discPath + "/";
  for (const std::string& name : listing.names) {
    const std::string onDisc = platform::UpperAscii(name);
    if (!IsLevel1Name(onDisc, true)) {
      tree.findings.push_back({DiscProblem::kBadName, shownPath + name, ""});
      continue;
    }
    tree.files.push_back(
        {prefix + onDisc, folder + name, platform::FileSize(folder + name), shownPath + name});
  }
  for (const std::string& name : folders) {
    const std::string onDisc = platform::UpperAscii(name);
    if (!IsLevel1Name(onDisc, false)) {
      tree.findings.push_back({DiscProblem::kBadName, shownPath + name + "/", ""});
      continue;
    }
    tree.folders.push_back(prefix + onDisc);
    if (depth < kMaxWalkDepth)
      WalkAsIs(folder + name, prefix + onDisc, shownPath + name + "/", depth + 1, tree);
  }
}

}  // namespace

std::string IsoCleanName(const std::string& ansiName, bool isFile) {
  const std::size_t dot = isFile ? ansiName.rfind('.') : std::string::npos;
  if (dot == std::string::npos) return CleanPart(ansiName);
  return CleanPart(ansiName.substr(0, dot)) + "." + CleanPart(ansiName.substr(dot + 1));
}

bool IsLevel1Name(const std::string& name, bool isFile) {
  const std::size_t dot = isFile ? name.find('.') : std::string::npos;
  const std::string stem = name.substr(0, dot);
  const std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
  if (stem.empty() || stem.size() > 8 || ext.size() > 3) return false;
  for (char c : stem + ext)
    if (!IsDChar(c)) return false;
  return true;
}

std::string VolumeName(const std::string& folder) {
  std::string path = folder;
  while (path.size() > 1 && path.back() == platform::kPathSep) path.pop_back();
  const std::size_t sep = path.rfind(platform::kPathSep);
  std::string name =
      CleanPart(ReplaceUmlauts(sep == std::string::npos ? path : path.substr(sep + 1)));
  if (name.size() > 32) name.resize(32);
  return name.find_first_not_of('_') == std::string::npos ? "TOVIX" : name;
}

DiscTree ShortLayoutTree(const std::string& cdDir, const std::string& binDir) {
  DiscTree tree;
  tree.volume = VolumeName(cdDir);
  if (!SameFolder(cdDir, binDir)) tree.findings.push_back({DiscProblem::kNotOneFolder, binDir, ""});
  ShortLayout layout(tree);
  WalkCdLayout(cdDir, cdDir, true, layout);
  const platform::Listing all = platform::ListFiles(platform::WithSep(cdDir), "*");
  AddCasePairs(all.names, "", tree);
  for (const std::string& name : all.names)
    if (Ext(name) == ".mp3" && !layout.Placed(name))
      tree.findings.push_back({DiscProblem::kLeftOut, name, ""});
  return tree;
}

DiscTree AsIsTree(const std::string& cdDir) {
  DiscTree tree;
  tree.volume = VolumeName(cdDir);
  WalkAsIs(cdDir, "", "", 1, tree);
  return tree;
}

}  // namespace tovix

#include <algorithm>
#include <filesystem>
#include <optional>

#include "lang/buildstrings.h"
#include "lang/sprachen.h"
#include "mp3/songtag.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"
#include "rename/companions.h"
#include "rename/namesplit.h"
#include "rename/passsummary.h"
#include "rename/renamelist.h"
#include "rename/saferename.h"
#include "rename/texthelpers.h"

namespace tovix {
namespace {

constexpr std::size_t kMaxNewName = 255;
constexpr std::size_t kTagWidth = 50;
constexpr std::int64_t kTagBytes = 128;
constexpr std::size_t kMaxNameBytes = 255;  // a file name on Linux, in UTF-8

// The old name of a rename line: between its first two double quotes,
// without outer blanks; nothing for notes and empty lines.
std::optional<std::string> OldNameOf(const std::string& line) {
  const std::size_t open = line.find('"');
  if (open == std::string::npos) return std::nullopt;
  const std::size_t close = line.find('"', open + 1);
  if (close == std::string::npos) return std::nullopt;
  std::string name = TrimBlanks(std::string_view(line).substr(open + 1, close - open - 1));
  if (name.empty()) return std::nullopt;
  return name;
}

// The new name: after the first "=" behind the old name, quotes removed.
// Looking behind the old name keeps a "=" inside it from splitting the line.
std::string NewNameOf(const std::string& line) {
  const std::size_t close = line.find('"', line.find('"') + 1);
  const std::size_t eq = line.find('=', close);
  if (eq == std::string::npos) return "";
  std::string name;
  for (char c : std::string_view(line).substr(eq + 1))
    if (c != '"') name += c;
  return TrimBlanks(name.substr(0, kMaxNewName));
}

bool IsListedFile(const platform::FolderIndex& index, const std::string& name) {
  return name.front() != '.' && name.find(platform::kPathSep) == std::string::npos &&
         index.Find(name).has_value();
}

// A new name the rename would refuse, or that would hide the file.
bool CanBeGiven(const std::string& newName) {
  return IsPlainFileName(newName) && newName.front() != '.' &&
         platform::ToNative(newName).size() <= kMaxNameBytes;
}

std::string Quoted(const std::string& text) {
  return '"' + text + '"';
}

std::string LineNumber(int line) {
  return std::to_string(line + 1);
}

// The new name a line gives, as the apply pass uses it.
std::string AppliedNewName(const std::string& line, const RenameOptions& options) {
  const std::string name = NewNameOf(line);
  return options.niceWords ? CapitaliseWords(name) : name;
}

void Tell(PassReport* report, const std::string& text, int line) {
  if (report) report->Line(text, line);
}

// Artist and title from the new name; without " - " the tag keeps its
// artist, so a name without one does not wipe it.
void TagFromName(const std::string& newName, const RenameOptions& options, TID3Tag& tag) {
  const bool hasSeparator = newName.find(" - ") != std::string::npos;
  const ArtistTitle parts = SplitArtistTitle(newName);
  const std::size_t ext = FindMp3Extension(parts.title);
  std::string title = ext == std::string::npos ? "" : parts.title.substr(0, ext);
  std::string artist = parts.artist;
  if (options.niceWords) {
    title = CapitaliseWords(title);
    artist = CapitaliseWords(artist);
  }
  tag.Title = title.substr(0, kTagWidth);
  if (hasSeparator) tag.Artist = artist.substr(0, kTagWidth);
}

// WriteID3Tag lifts a read-only state and sets it again; a file too short
// for a tag is told about and left as it is.
bool StoreTagFromName(const std::string& path, const std::string& newName,
                      const RenameOptions& options, PassReport* report, int line) {
  if (platform::FileSize(path) < kTagBytes) {
    Tell(report, BuildText(str::kTooShortForTag, {newName}), line);
    return false;
  }
  TID3Tag tag;
  ReadID3Tag(path, tag);
  TagFromName(newName, options, tag);
  WriteID3Tag(path, tag);
  return true;
}

// What building the list writes in the window, for a plan that wrote nothing.
void CompleteTag(const platform::FolderIndex& index, const std::string& folder,
                 const std::string& oldName, const RenameOptions& options, PassReport* report,
                 int line) {
  if (!options.makeTag) return;
  const auto onDisk = index.Find(oldName);
  if (!onDisk) return;
  const std::string path = folder + *onDisk;
  if (platform::FileSize(path) < kTagBytes) return;
  TID3Tag tag;
  ReadSongTag(path, tag, options.id3v2);
  if (!tag.Title.empty() && !tag.Artist.empty()) return;
  const std::string note = CompleteTagFromName(path, oldName, options, tag);
  if (!note.empty()) Tell(report, note, line);
}

struct Planned {
  int line;
  std::string oldName;
  std::string newName;
};

bool SameFolder(const std::string& a, const std::string& b) {
  if (platform::WithSep(a) == platform::WithSep(b)) return true;
  std::error_code ec;
  return std::filesystem::equivalent(platform::ToNative(a), platform::ToNative(b), ec) && !ec;
}

// The MP3 folder and the BIN folder, each listed once; one listing when they
// are the same folder. Copied, it lets a pass try its renames beforehand.
struct RenameFolders {
  std::string mp3;
  std::string bin;  // "" when companions stay
  platform::FolderIndex mp3Index;
  std::optional<platform::FolderIndex> binIndex;

  RenameFolders(const std::string& mp3Folder, const std::string& companionDir)
      : mp3(mp3Folder), mp3Index(mp3Folder) {
    if (companionDir.empty()) return;
    bin = platform::WithSep(companionDir);
    if (!SameFolder(mp3, bin)) binIndex.emplace(bin);
  }
  platform::FolderIndex* Bin() {
    if (bin.empty()) return nullptr;
    return binIndex ? &*binIndex : &mp3Index;
  }
};

// What RenameInFolder will do, done to the listing only: false when the
// rename would fail because another file holds the new name.
bool TryMove(platform::FolderIndex& index, const std::string& oldName, const std::string& newName) {
  const auto from = index.Find(oldName);
  if (!from) return false;
  if (*from == newName) return true;
  const auto clash = index.Find(newName);
  if (clash && !(*clash == *from && index.Count(newName) == 1)) return false;
  index.Remove(*from);
  index.Add(newName);
  return true;
}

// Runs the planned renames on copies of the listings, so a companion whose
// new name is taken stops the pass before anything is renamed. A song whose
// own new name is taken ends the real pass at its line, as it always did;
// the trial ends there too. Returns the line of such a companion, or -1.
int CompanionBlocked(const RenameFolders& real, const std::vector<Planned>& planned,
                     PassReport* report) {
  if (real.bin.empty()) return -1;
  RenameFolders folders = real;
  for (const Planned& p : planned) {
    const auto moves = CompanionMoves(*folders.Bin(), p.oldName, p.newName);
    if (!TryMove(folders.mp3Index, p.oldName, p.newName)) return -1;
    for (const CompanionMove& move : moves) {
      if (!CanBeGiven(move.to) || !TryMove(*folders.Bin(), move.from, move.to)) {
        Tell(report, BuildText(str::kCompanionTaken, {LineNumber(p.line), move.from, move.to}),
             p.line);
        return p.line;
      }
    }
  }
  return -1;
}

// Renames the song's companions after it. When one cannot follow, those
// moved go back and so does the song: no picture is left under a name its
// song no longer has.
bool MoveCompanions(RenameFolders& folders, const Planned& p, const std::string& songBefore,
                    const std::vector<CompanionMove>& moves, PassReport* report) {
  for (std::size_t i = 0; i < moves.size(); ++i) {
    if (RenameInFolder(*folders.Bin(), folders.bin, moves[i].from, moves[i].to)) continue;
    Tell(report, BuildText(str::kCompanionFailed, {LineNumber(p.line), moves[i].from, songBefore}),
         p.line);
    while (i-- > 0) RenameInFolder(*folders.Bin(), folders.bin, moves[i].to, moves[i].from);
    RenameInFolder(folders.mp3Index, folders.mp3, p.newName, songBefore);
    return false;
  }
  return true;
}

// The renames, each song with its companions, the undo list collected
// first to last.
void RunRenames(RenameFolders& folders, const std::vector<Planned>& planned,
                const std::vector<std::string>& lines, const RenameOptions& options,
                PassReport* report, ApplyResult& result) {
  const std::string& folder = folders.mp3;
  const auto stopAt = [&](std::size_t k, ApplyResult::Outcome outcome) {
    result.outcome = outcome;
    result.line = planned[k].line;
    for (std::size_t i = k; i < planned.size(); ++i) result.leftOut.push_back(planned[i].oldName);
  };
  for (std::size_t k = 0; k < planned.size(); ++k) {
    // Between songs: each one done has its companions and tag with it.
    if (report && !report->KeepGoing()) return stopAt(k, ApplyResult::Outcome::Stopped);
    const Planned& p = planned[k];
    const std::string& newName = p.newName;
    if (options.completeTagsOnApply)
      CompleteTag(folders.mp3Index, folder, p.oldName, options, report, p.line);
    const std::string before = folders.mp3Index.Find(p.oldName).value_or(p.oldName);
    const auto moves = folders.Bin() ? CompanionMoves(*folders.Bin(), p.oldName, newName)
                                     : std::vector<CompanionMove>{};
    if (!RenameInFolder(folders.mp3Index, folder, p.oldName, newName)) {
      Tell(report,
           LanguageString(str::kRenameFailed) + lines[static_cast<std::size_t>(p.line)] +
               LanguageString(str::kRenameFailedEnd),
           p.line);
      return stopAt(k, ApplyResult::Outcome::RenameFailed);
    }
    if (!MoveCompanions(folders, p, before, moves, report))
      return stopAt(k, ApplyResult::Outcome::RenameFailed);
    ++result.renamed;
    result.companions += static_cast<int>(moves.size());
    if (before != newName) result.undo.push_back(Quoted(newName) + "=" + Quoted(before));
    if (options.saveTag && StoreTagFromName(folder + newName, newName, options, report, p.line))
      ++result.tagsWritten;
    if (report) report->Progress(result.renamed, static_cast<int>(planned.size()));
  }
}

ApplyResult Stopped(ApplyResult::Outcome outcome, int line) {
  ApplyResult result;
  result.outcome = outcome;
  result.line = line;
  return result;
}

}  // namespace

RenameOptions UndoOptions(RenameOptions options) {
  options.restore = true;
  options.makeTag = false;
  options.saveTag = false;
  options.niceWords = false;
  options.completeTagsOnApply = false;
  return options;
}

std::string ApplySummary(const ApplyResult& result) {
  return RenameSummary({result.renamed, result.companions, result.tagsWritten, result.leftOut});
}

ApplyResult ApplyRenameList(const std::string& sourceDir, const std::vector<std::string>& lines,
                            const RenameOptions& options, PassReport* report,
                            const std::function<void()>& stopPlayer) {
  const std::string folder = platform::WithSep(sourceDir);
  std::vector<Planned> planned;
  // Listed once: looking each name up in the folder would make a large
  // folder's pass grow with the square of its files.
  RenameFolders folders(folder, options.companionDir);
  const platform::FolderIndex& index = folders.mp3Index;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto oldName = OldNameOf(lines[i]);
    if (!oldName) continue;
    const int line = static_cast<int>(i);
    if (!IsListedFile(index, *oldName)) {
      Tell(report, LanguageString(str::kRenameFileMissing) + " " + LineNumber(line) + "!", line);
      return Stopped(ApplyResult::Outcome::MissingFile, line);
    }
    // Checked here, not when reached: nothing may be renamed before a line
    // that cannot be applied.
    std::string newName = AppliedNewName(lines[i], options);
    if (!CanBeGiven(newName)) {
      Tell(report, LanguageString(str::kBadNewName) + " " + LineNumber(line) + "!", line);
      return Stopped(ApplyResult::Outcome::MissingFile, line);
    }
    // Linux takes such a name, a CD or Windows does not: the song would
    // go missing from the batch pair and the image.
    if (!options.restore && HoldsCharNotForWindows(newName)) {
      Tell(report, BuildText(str::kForbiddenChar) + " " + LineNumber(line) + "!", line);
      return Stopped(ApplyResult::Outcome::MissingFile, line);
    }
    planned.push_back({line, *oldName, std::move(newName)});
  }
  if (const int line = CompanionBlocked(folders, planned, report); line >= 0)
    return Stopped(ApplyResult::Outcome::MissingFile, line);

  // A folder that takes no renames would fail at the first one, after
  // completing that file's tag: nothing may change before it is known.
  if (!planned.empty()) {
    if (const int error = platform::FolderWriteProblem(sourceDir, 0)) {
      Tell(report, BuildText(str::kFolderNoRename, {sourceDir, std::to_string(error)}),
           planned.front().line);
      return Stopped(ApplyResult::Outcome::FolderReadOnly, planned.front().line);
    }
  }

  if (stopPlayer) stopPlayer();
  ApplyResult result;
  try {
    RunRenames(folders, planned, lines, options, report, result);
  } catch (...) {
    // A tag that cannot be written ends the pass: what was renamed before
    // can still be taken back.
    std::reverse(result.undo.begin(), result.undo.end());
    if (!options.undoFile.empty() && !result.undo.empty()) {
      try {
        WriteRenameListFile(options.undoFile, result.undo);
      } catch (const IoError&) {
      }
    }
    throw;
  }
  std::reverse(result.undo.begin(), result.undo.end());
  if (!options.undoFile.empty() && !result.undo.empty())
    WriteRenameListFile(options.undoFile, result.undo);
  return result;
}

}  // namespace tovix

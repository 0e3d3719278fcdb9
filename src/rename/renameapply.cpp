#include <optional>

#include "lang/buildstrings.h"
#include "lang/sprachen.h"
#include "mp3/songtag.h"
#include "platform/filesys.h"
#include "rename/namesplit.h"
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

// The new name a line gives, as the apply pass uses it.
std::string AppliedNewName(const std::string& line, const RenameOptions& options) {
  const std::string name = NewNameOf(line);
  return options.niceWords ? CapitaliseWords(name) : name;
}

void Tell(RenameObserver* observer, const std::string& text, int line) {
  if (observer) observer->Message(text, line);
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
void StoreTagFromName(const std::string& path, const std::string& newName,
                      const RenameOptions& options, RenameObserver* observer, int line) {
  if (platform::FileSize(path) < kTagBytes) {
    Tell(observer, BuildText(str::kTooShortForTag, {newName}), line);
    return;
  }
  TID3Tag tag;
  ReadID3Tag(path, tag);
  TagFromName(newName, options, tag);
  WriteID3Tag(path, tag);
}

// What building the list writes in the window, for a plan that wrote nothing.
void CompleteTag(const platform::FolderIndex& index, const std::string& folder,
                 const std::string& oldName, const RenameOptions& options, RenameObserver* observer,
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
  if (!note.empty()) Tell(observer, note, line);
}

}  // namespace

ApplyResult ApplyRenameList(const std::string& sourceDir, const std::vector<std::string>& lines,
                            const RenameOptions& options, RenameObserver* observer,
                            const std::function<void()>& stopPlayer) {
  const std::string folder = platform::WithSep(sourceDir);
  struct Planned {
    int line;
    std::string oldName;
    std::string newName;
  };
  std::vector<Planned> planned;
  // Listed once: looking each name up in the folder would make a large
  // folder's pass grow with the square of its files.
  platform::FolderIndex index(folder);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto oldName = OldNameOf(lines[i]);
    if (!oldName) continue;
    const int line = static_cast<int>(i);
    if (!IsListedFile(index, *oldName)) {
      Tell(observer, LanguageString(str::kRenameFileMissing) + " " + std::to_string(line + 1) + "!",
           line);
      return {ApplyResult::Outcome::MissingFile, line, 0};
    }
    // Checked here, not when reached: nothing may be renamed before a line
    // that cannot be applied.
    std::string newName = AppliedNewName(lines[i], options);
    if (!CanBeGiven(newName)) {
      Tell(observer, LanguageString(str::kBadNewName) + " " + std::to_string(line + 1) + "!", line);
      return {ApplyResult::Outcome::MissingFile, line, 0};
    }
    planned.push_back({line, *oldName, std::move(newName)});
  }

  // A folder that takes no renames would fail at the first one, after
  // completing that file's tag: nothing may change before it is known.
  if (!planned.empty()) {
    if (const int error = platform::FolderWriteProblem(sourceDir, 0)) {
      Tell(observer, BuildText(str::kFolderNoRename, {sourceDir, std::to_string(error)}),
           planned.front().line);
      return {ApplyResult::Outcome::FolderReadOnly, planned.front().line, 0};
    }
  }

  if (stopPlayer) stopPlayer();
  ApplyResult result;
  for (const Planned& p : planned) {
    const std::string& text = lines[static_cast<std::size_t>(p.line)];
    const std::string& newName = p.newName;
    if (options.completeTagsOnApply)
      CompleteTag(index, folder, p.oldName, options, observer, p.line);
    if (!RenameInFolder(index, folder, p.oldName, newName)) {
      Tell(observer,
           LanguageString(str::kRenameFailed) + text + LanguageString(str::kRenameFailedEnd),
           p.line);
      return {ApplyResult::Outcome::RenameFailed, p.line, result.renamed};
    }
    ++result.renamed;
    if (options.saveTag) StoreTagFromName(folder + newName, newName, options, observer, p.line);
    if (observer) observer->Progress(result.renamed, static_cast<int>(planned.size()));
  }
  return result;
}

}  // namespace tovix

#include <cerrno>

#include "lang/buildstrings.h"
#include "lang/sprachen.h"
#include "mp3/songtag.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"
#include "rename/collation.h"
#include "rename/nameclaims.h"
#include "rename/namesplit.h"
#include "rename/renamelist.h"
#include "rename/shownname.h"
#include "rename/texthelpers.h"

namespace tovix {
namespace {

constexpr std::size_t kNewNameWidth = 103;
constexpr std::int64_t kTagBytes = 128;

std::string Quoted(const std::string& text) {
  return '"' + text + '"';
}

// Tag texts are already Windows-1252. A control character would split the
// review line, a letter code page 850 lacks would keep the file out of every
// batch, and "AC/DC" could be given no name at all, so all are made plain here.
std::string PlannedName(const TID3Tag& tag) {
  const std::string text = (tag.Artist + " - " + tag.Title).substr(0, kNewNameWidth);
  return CutAtMp3(WindowsSafeName(PlainForOem(BlankControls(text)))) + ".mp3";
}

bool TooShortForTag(const std::string& path) {
  return platform::FileSize(path) < kTagBytes;
}

std::string TooShortNote(const std::string& name) {
  // No double quote: the apply step must not take the note for a line.
  return BuildText(str::kTooShortSkipped, {name});
}

}  // namespace

std::string CompleteTagFromName(const std::string& path, const std::string& name,
                                const RenameOptions& options, TID3Tag& tag) {
  if (options.x2Blank) {
    const ArtistTitle parts = ArtistTitleFromFileName(name);
    if (tag.Artist.empty()) tag.Artist = parts.artist;
    if (tag.Title.empty()) tag.Title = parts.title;
  }
  if (platform::IsReadOnly(path)) return '"' + name + " ist schreibgesch\xFCtzt !!!";
  if (!options.saveTag) return "";
  if (TooShortForTag(path)) return TooShortNote(name);
  WriteID3Tag(path, tag);
  return "";
}

std::vector<std::string> BuildRenameList(const std::string& sourceDir, const RenameOptions& options,
                                         PassReport* report) {
  const std::string folder = platform::WithSep(sourceDir);
  const platform::Listing listing = platform::ListFiles(folder, "*.mp3");
  if (!listing.ok) throw IoError(ENOENT, BuildText(str::kFolderUnreadable, {sourceDir}));

  std::vector<std::string> lines;
  NameClaims claims;
  for (const auto& rejected : listing.rejected)
    lines.push_back(UnusableNameNote(rejected.nativeName));
  const int total = static_cast<int>(listing.names.size());
  int done = 0;
  for (const std::string& name : listing.names) {
    const std::string path = folder + name;
    if (report) report->Progress(++done, total);
    // Gone since the folder was listed: not "too short", and no line.
    if (!platform::Exists(path)) {
      lines.push_back(VanishedNote(name));
      continue;
    }
    // An empty or cut-off file can take no tag; it must not end the list.
    if (TooShortForTag(path)) {
      lines.push_back(TooShortNote(name));
      continue;
    }
    TID3Tag tag;
    ReadSongTag(path, tag, options.id3v2);
    if ((tag.Title.empty() || tag.Artist.empty()) && options.makeTag) {
      if (std::string note = CompleteTagFromName(path, name, options, tag); !note.empty())
        lines.push_back(std::move(note));
    }
    const std::string planned = PlannedName(tag);
    if (const auto earlier = claims.Claim(planned, name))
      lines.push_back(NameClashNote(*earlier, name, claims.Claimed(planned), planned));
    else
      lines.push_back(Quoted(name) + "=" + Quoted(planned));
  }
  SortUniqueNoCase(lines);
  return lines;
}

}  // namespace tovix

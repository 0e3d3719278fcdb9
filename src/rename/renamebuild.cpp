#include <cerrno>

#include "lang/sprachen.h"
#include "mp3/mpegfile.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"
#include "rename/collation.h"
#include "rename/namesplit.h"
#include "rename/renamelist.h"
#include "rename/shownname.h"
#include "rename/texthelpers.h"

namespace tovix {
namespace {

constexpr std::size_t kNewNameWidth = 103;

std::string Quoted(const std::string& text) {
  return '"' + text + '"';
}

// Fills a missing artist or title from the file name and stores the tag;
// returns the read-only note when the file may not be written.
std::string CompleteTag(const std::string& path, const std::string& name,
                        const RenameOptions& options, TID3Tag& tag) {
  if (options.x2Blank) {
    const ArtistTitle parts = ArtistTitleFromFileName(name);
    if (tag.Artist.empty()) tag.Artist = parts.artist;
    if (tag.Title.empty()) tag.Title = parts.title;
  }
  if (platform::IsReadOnly(path)) return '"' + name + " ist schreibgesch\xFCtzt !!!";
  if (options.saveTag) WriteID3Tag(path, tag);
  return "";
}

std::string PlannedName(const TID3Tag& tag) {
  const std::string text = (tag.Artist + " - " + tag.Title).substr(0, kNewNameWidth);
  return CutAtMp3(ToAnsiIfOem(text)) + ".mp3";
}

}  // namespace

std::vector<std::string> BuildRenameList(const std::string& sourceDir, const RenameOptions& options,
                                         RenameObserver* observer) {
  const std::string folder = platform::WithSep(sourceDir);
  const platform::Listing listing = platform::ListFiles(folder, "*.mp3");
  if (!listing.ok) throw IoError(ENOENT, "Ordner kann nicht gelesen werden: " + sourceDir);

  std::vector<std::string> lines;
  for (const auto& rejected : listing.rejected)
    lines.push_back(UnusableNameNote(rejected.nativeName));
  const int total = static_cast<int>(listing.names.size());
  int done = 0;
  for (const std::string& name : listing.names) {
    const std::string path = folder + name;
    TID3Tag tag;
    ReadID3Tag(path, tag);
    if ((tag.Title.empty() || tag.Artist.empty()) && options.makeTag) {
      if (std::string note = CompleteTag(path, name, options, tag); !note.empty())
        lines.push_back(std::move(note));
    }
    lines.push_back(Quoted(name) + "=" + Quoted(PlannedName(tag)));
    if (observer) observer->Progress(++done, total);
  }
  SortUniqueNoCase(lines);
  return lines;
}

}  // namespace tovix

#include "rename/infotexts.h"

#include <cerrno>
#include <vector>

#include "lang/buildstrings.h"
#include "mp3/songtag.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"
#include "rename/collation.h"
#include "rename/nameclaims.h"
#include "rename/namesplit.h"
#include "rename/shownname.h"
#include "rename/textfile.h"
#include "rename/texthelpers.h"

namespace tovix {
namespace {

constexpr std::size_t kTitleWidth = 50;  // also the artist's

struct SongEntry {
  std::string key;  // stem "?" artist "~" title: what the list is sorted by
  std::string stem;
  std::string artist;
  std::string title;
};

// The entry of one file. Artist and title are kept apart from the sort key,
// so a "~" or "?" inside a name cannot shift them.
SongEntry EntryOf(const std::string& folder, const std::string& name, bool useId3v2) {
  TID3Tag tag;
  ReadSongTag(folder + name, tag, useId3v2);
  if (tag.Title.empty() || tag.Artist.empty()) {
    const ArtistTitle parts = ArtistTitleFromFileName(name);
    if (tag.Artist.empty()) tag.Artist = parts.artist;
    if (tag.Title.empty()) tag.Title = parts.title;
  }
  tag.Artist = tag.Artist.substr(0, kTitleWidth);
  const std::size_t split = tag.Artist.size();
  // Tag texts are Windows-1252 already; a line feed would split the text.
  const std::string display = BlankControls(tag.Artist + "~" + tag.Title.substr(0, kTitleWidth));
  const std::size_t cut = FindMp3Extension(display);
  SongEntry entry;
  entry.stem = CutAtMp3(name);
  if (cut != std::string::npos && cut <= split) {
    entry.artist = display.substr(0, cut);
  } else {
    entry.artist = display.substr(0, split);
    entry.title =
        display.substr(split + 1, cut == std::string::npos ? std::string::npos : cut - split - 1);
  }
  entry.key = entry.stem + "?" + display.substr(0, cut);
  return entry;
}

std::string TextOf(const std::vector<SongEntry>& list, std::size_t k) {
  std::vector<std::string> lines{" "};
  for (long i = static_cast<long>(k) - 1; i <= static_cast<long>(k) + 2; ++i) {
    if (i < 0 || i >= static_cast<long>(list.size())) {
      lines.insert(lines.end(), {" ", " "});
      continue;
    }
    const SongEntry& e = list[static_cast<std::size_t>(i)];
    const std::string artist = ReplaceUmlauts(e.artist);
    const std::string title = ReplaceUmlauts(e.title);
    if (i == static_cast<long>(k))
      lines.insert(lines.end(), {"*" + artist, "* " + title, " "});
    else
      lines.insert(lines.end(), {" " + artist, "  " + title});
  }
  return JoinCrLf(lines);
}

// An existing file of the same name in another letter case is overwritten,
// as on a file system that ignores case. The index holds no folders.
std::string TextName(const platform::FolderIndex& binIndex, const std::string& stem) {
  return binIndex.Find(stem + ".TXT").value_or(stem + ".TXT");
}

}  // namespace

int WriteInfoTexts(const std::string& sourceDir, const std::string& binDir, PassReport* report,
                   bool useId3v2) {
  const std::string folder = platform::WithSep(sourceDir);
  const std::string binFolder = platform::WithSep(binDir);
  const platform::Listing listing = platform::ListFiles(folder, "*.mp3");
  if (!listing.ok) throw IoError(ENOENT, BuildText(str::kFolderUnreadable, {sourceDir}));
  if (report)
    for (const auto& rejected : listing.rejected)
      report->Line(UnusableNameNote(rejected.nativeName));

  std::vector<SongEntry> entries;
  std::vector<std::string> keys;
  // Two songs whose stems differ only in case would write one text file.
  NameClaims claims;
  const int total = static_cast<int>(listing.names.size());
  for (const std::string& name : listing.names) {
    // Each text names its neighbours: a stop before all are read writes none.
    if (report && !report->KeepGoing()) return 0;
    if (const auto earlier = claims.Claim(CutAtMp3(name) + ".TXT", name)) {
      if (report) report->Line(NameClashNote(*earlier, name));
      continue;
    }
    // Gone since the folder was listed: its text would be made from the
    // name alone, and its neighbours would list it.
    if (!platform::Exists(folder + name)) {
      if (report) report->Line(VanishedNote(name));
      continue;
    }
    entries.push_back(EntryOf(folder, name, useId3v2));
    keys.push_back(entries.back().key);
    if (report) report->Progress(static_cast<int>(entries.size()), total);
  }
  std::vector<SongEntry> list;
  for (std::size_t i : CollatedOrder(keys, true)) list.push_back(std::move(entries[i]));

  // Listed once, and told of each new file: a lookup per text would list a
  // large folder once per song.
  platform::FolderIndex binIndex(binFolder);
  for (std::size_t k = 0; k < list.size(); ++k) {
    const std::string name = TextName(binIndex, list[k].stem);
    WriteWholeFile(binFolder + name, TextOf(list, k), true);
    if (!binIndex.Find(name)) binIndex.Add(name);
  }
  return static_cast<int>(list.size());
}

}  // namespace tovix

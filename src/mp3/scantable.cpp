#include "mp3/scantable.h"

#include <memory>

#include "mp3/bytesource.h"
#include "mp3/mpegscan.h"
#include "platform/codepage.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"

namespace tovix {
namespace {

// One complaint: the prefix, then the message with its path and reason.
void Complain(std::ostream& err, const ScanMessages& m, const std::string& text,
              const std::string& path, const std::string& reason = "") {
  std::string line = m.prefix;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2')) {
      line += text[i + 1] == '1' ? path : reason;
      ++i;
    } else {
      line += text[i];
    }
  }
  err << line << '\n';
}

std::string Cell(const std::string& ansi) {
  std::string text = platform::AnsiToUtf8(ansi);
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  return text;
}

bool ListOne(const std::string& ansiPath, std::ostream& out, std::ostream& err,
             const ScanMessages& m) {
  Mp3Info info;
  if (!ReadScanFacts(ansiPath, info, err, m)) return false;
  out << ScanTableLine(platform::AnsiToUtf8(ansiPath), info, m) << '\n';
  return true;
}

bool ListFolder(const std::string& dir, std::ostream& out, std::ostream& err,
                const ScanMessages& m) {
  const std::string shownDir = platform::AnsiToUtf8(dir);
  platform::Listing listing = platform::ListFiles(dir, "*.mp3");
  if (!listing.ok) {
    Complain(err, m, m.folderUnreadable, shownDir);
    return false;
  }
  for (const auto& rejected : listing.rejected)
    Complain(err, m, m.skipped, platform::AnsiToUtf8(platform::WithSep(dir)) + rejected.nativeName,
             rejected.reason);
  bool ok = true;
  for (const std::string& name : listing.names)
    ok = ListOne(platform::WithSep(dir) + name, out, err, m) && ok;
  return ok;
}

}  // namespace

bool ReadScanFacts(const std::string& path, Mp3Info& info, std::ostream& err,
                   const ScanMessages& m) {
  try {
    std::unique_ptr<FileSource> file = FileSource::OpenExisting(path);
    if (!file) {
      Complain(err, m, m.missing, platform::AnsiToUtf8(path));
      return false;
    }
    // The header scan reads the tail for the tags that end the audio; the
    // tag read takes it from there.
    TailCachedSource source(*file);
    ReadMPEGData(source, info);
    static_cast<TID3Tag&>(info) = TID3Tag{};
    ReadID3Tag(source, info);
    return true;
  } catch (const IoError& e) {
    Complain(err, m, m.unreadable, platform::AnsiToUtf8(path), m.reason(e.code()));
    return false;
  }
}

std::string ScanTableHeader() {
  return "File\tDuration\tFileLength\tVersion\tLayer\tSampleRate\tBitRate\tMode\tCopyright\t"
         "Original\tNoCrc\tPadding\tFrameLength\tEncoder\tTitle\tArtist\tAlbum\tComment\tYear\t"
         "Track\tGenre\tLyricsKind";
}

std::string ScanTableLine(const std::string& displayName, const Mp3Info& info,
                          const ScanMessages& m) {
  std::string line;
  auto add = [&line](const std::string& cell) {
    line += '\t';
    line += cell;
  };
  auto num = [&add](long long n) { add(std::to_string(n)); };
  for (char c : displayName) line += (static_cast<unsigned char>(c) < 0x20) ? ' ' : c;
  num(info.Duration);
  num(info.FileLength);
  num(info.Version);
  num(info.Layer);
  num(info.SampleRate);
  num(info.BitRate);
  num(info.Mode);
  num(info.Copyright);
  num(info.Original);
  num(info.NoCrc);
  num(info.Padding);
  num(info.FrameLength);
  add(Cell(info.Encoder.empty() ? m.unknownEncoder : info.Encoder));
  add(Cell(info.Title));
  add(Cell(info.Artist));
  add(Cell(info.Album));
  add(Cell(info.Comment));
  add(Cell(info.Year));
  add(Cell(info.Track));
  num(info.Genre);
  num(info.LyricsKind);
  return line;
}

int WriteScanTable(const std::vector<std::string>& nativePaths, std::ostream& out,
                   std::ostream& err, const ScanMessages& m) {
  out << ScanTableHeader() << '\n';
  bool ok = true;
  for (const std::string& native : nativePaths) {
    std::optional<std::string> path = platform::FromNative(native);
    if (!path) {
      Complain(err, m, m.notAnsi, native);
      ok = false;
    } else if (!platform::Exists(*path)) {
      Complain(err, m, m.missing, native);
      ok = false;
    } else if (platform::IsDirectory(*path)) {
      ok = ListFolder(*path, out, err, m) && ok;
    } else {
      ok = ListOne(*path, out, err, m) && ok;
    }
  }
  out.flush();
  return ok ? 0 : 1;
}

}  // namespace tovix

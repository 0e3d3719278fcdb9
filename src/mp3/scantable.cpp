#include "mp3/scantable.h"

#include <cstring>
#include <memory>

#include "mp3/bytesource.h"
#include "mp3/mpegscan.h"
#include "platform/codepage.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"

namespace tovix {
namespace {

constexpr const char* kPrefix = "tovix-scan: ";

std::string Cell(const std::string& ansi) {
  std::string text = platform::AnsiToUtf8(ansi);
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  return text;
}

bool ListOne(const std::string& ansiPath, std::ostream& out, std::ostream& err) {
  Mp3Info info;
  if (!ReadScanFacts(ansiPath, info, err)) return false;
  out << ScanTableLine(platform::AnsiToUtf8(ansiPath), info) << '\n';
  return true;
}

bool ListFolder(const std::string& dir, std::ostream& out, std::ostream& err) {
  const std::string shownDir = platform::AnsiToUtf8(dir);
  platform::Listing listing = platform::ListFiles(dir, "*.mp3");
  if (!listing.ok) {
    err << kPrefix << shownDir << ": the folder cannot be read\n";
    return false;
  }
  for (const auto& rejected : listing.rejected)
    err << kPrefix << platform::AnsiToUtf8(platform::WithSep(dir)) << rejected.nativeName
        << ": skipped, as every pass skips it: " << rejected.reason << '\n';
  bool ok = true;
  for (const std::string& name : listing.names)
    ok = ListOne(platform::WithSep(dir) + name, out, err) && ok;
  return ok;
}

}  // namespace

bool ReadScanFacts(const std::string& path, Mp3Info& info, std::ostream& err) {
  try {
    std::unique_ptr<FileSource> file = FileSource::OpenExisting(path);
    if (!file) {
      err << kPrefix << platform::AnsiToUtf8(path) << ": no such file or folder\n";
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
    err << kPrefix << platform::AnsiToUtf8(path) << ": cannot be read: " << std::strerror(e.code())
        << '\n';
    return false;
  }
}

std::string ScanTableHeader() {
  return "File\tDuration\tFileLength\tVersion\tLayer\tSampleRate\tBitRate\tMode\tCopyright\t"
         "Original\tNoCrc\tPadding\tFrameLength\tEncoder\tTitle\tArtist\tAlbum\tComment\tYear\t"
         "Track\tGenre\tLyricsKind";
}

std::string ScanTableLine(const std::string& displayName, const Mp3Info& info) {
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
  add(Cell(info.Encoder));
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
                   std::ostream& err) {
  out << ScanTableHeader() << '\n';
  bool ok = true;
  for (const std::string& native : nativePaths) {
    std::optional<std::string> path = platform::FromNative(native);
    if (!path) {
      err << kPrefix << native
          << ": the name holds characters the program cannot handle (not in Windows-1252)\n";
      ok = false;
    } else if (!platform::Exists(*path)) {
      err << kPrefix << native << ": no such file or folder\n";
      ok = false;
    } else if (platform::IsDirectory(*path)) {
      ok = ListFolder(*path, out, err) && ok;
    } else {
      ok = ListOne(*path, out, err) && ok;
    }
  }
  out.flush();
  return ok ? 0 : 1;
}

}  // namespace tovix

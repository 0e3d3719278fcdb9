#include "mp3/songtag.h"

#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tbytevectorstream.h>

#include <algorithm>

#include "mp3/bytesource.h"
#include "platform/codepage.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"

namespace tovix {
namespace {

constexpr std::size_t kFieldWidth = 50;
// A tag with cover art rarely reaches a few megabytes; what lies beyond
// this is not read (frames cut there are dropped by TagLib).
constexpr std::int64_t kMaxTagBytes = 16 << 20;
constexpr std::size_t kHeaderBytes = 10;

// The ID3v2 tag that opens the file, as far as kMaxTagBytes; empty when the
// file does not start with one. Given a whole file, TagLib searches a file
// without a leading tag from end to end for one (16 s for 200 MB of zeros
// named .mp3), so it only ever sees these bytes.
std::string LeadingTagBytes(const std::string& path) {
  const auto source = FileSource::OpenExisting(path);
  if (!source) return {};
  std::string bytes(kHeaderBytes, '\0');
  if (source->Read(0, bytes.data(), kHeaderBytes) != kHeaderBytes) return {};
  const auto u = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  if (bytes.compare(0, 3, "ID3") != 0 || u(3) == 0xFF || u(4) == 0xFF) return {};
  std::int64_t size = 0;
  for (std::size_t i = 6; i < 10; ++i) {
    if (u(i) & 0x80) return {};  // not a synchsafe size: no tag
    size = size << 7 | u(i);
  }
  size += static_cast<std::int64_t>(kHeaderBytes) + ((u(5) & 0x10) ? 10 : 0);  // footer
  size = std::min({size, kMaxTagBytes, source->Size()});
  bytes.resize(static_cast<std::size_t>(size));
  const std::size_t rest = bytes.size() - kHeaderBytes;
  bytes.resize(kHeaderBytes + source->Read(kHeaderBytes, bytes.data() + kHeaderBytes, rest));
  return bytes;
}

// One code point as UTF-8.
std::string Utf8Of(char32_t u) {
  std::string out;
  if (u < 0x80) {
    out += static_cast<char>(u);
  } else if (u < 0x800) {
    out += static_cast<char>(0xC0 | (u >> 6));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else if (u < 0x10000) {
    out += static_cast<char>(0xE0 | (u >> 12));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (u >> 18));
    out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
  return out;
}

// TagLib's text in Windows-1252, letter by letter.
std::string Ansi(const TagLib::String& text) {
  std::string out;
  for (wchar_t c : text.toWString()) {
    if (out.size() == kFieldWidth) break;
    const auto ansi = platform::Utf8ToAnsi(Utf8Of(static_cast<char32_t>(c)));
    out += ansi && ansi->size() == 1 ? *ansi : std::string(1, platform::kReplacementChar);
  }
  return out;
}

}  // namespace

Id3v2Names ReadID3v2Names(const std::string& fileName) {
  std::string bytes;
  try {
    bytes = LeadingTagBytes(fileName);
  } catch (const IoError&) {
    return {};  // a folder, a file that cannot be read: no names
  }
  if (bytes.empty()) return {};
  TagLib::ByteVector data(bytes.data(), static_cast<unsigned int>(bytes.size()));
  TagLib::ByteVectorStream stream(data);
  TagLib::MPEG::File file(&stream, TagLib::ID3v2::FrameFactory::instance(), false);
  if (!file.isValid() || !file.hasID3v2Tag()) return {};
  const TagLib::ID3v2::Tag* tag = file.ID3v2Tag();
  return {Ansi(tag->artist()), Ansi(tag->title())};
}

bool ReadSongTag(const std::string& fileName, TID3Tag& tag, bool useId3v2) {
  const bool found = ReadID3Tag(fileName, tag);
  if (useId3v2 && (tag.Artist.empty() || tag.Title.empty())) {
    const Id3v2Names names = ReadID3v2Names(fileName);
    if (tag.Artist.empty()) tag.Artist = names.artist;
    if (tag.Title.empty()) tag.Title = names.title;
  }
  return found;
}

void ReadSongFacts(const std::string& path, Mp3Info& info, bool useId3v2) {
  ReadMPEGData(path, info);
  // Start from an empty tag, so a file without one never shows the
  // previous song's artist.
  static_cast<TID3Tag&>(info) = TID3Tag{};
  try {
    ReadSongTag(path, info, useId3v2);
  } catch (const IoError&) {
    // An unreadable tag leaves the texts empty, as a missing one does.
  }
}

}  // namespace tovix

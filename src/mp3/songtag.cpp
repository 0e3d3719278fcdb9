#include "mp3/songtag.h"

#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

#include "platform/codepage.h"
#include "platform/filesys.h"

namespace tovix {
namespace {

constexpr std::size_t kFieldWidth = 50;

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
  const auto path = platform::FindNoCase(fileName);
  if (!path || platform::IsDirectory(*path)) return {};
  const std::string native = platform::ToNative(*path);
  TagLib::MPEG::File file(native.c_str(), false);
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

}  // namespace tovix

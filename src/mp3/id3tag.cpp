// The ID3v1 tag at the end of a file and the Lyrics3 markers before it.
#include <cerrno>
#include <charconv>
#include <cstring>

#include "mp3/mpegscan.h"
#include "mp3/tagcodepage.h"
#include "platform/codepage.h"
#include "platform/errortexts.h"
#include "platform/ioerror.h"

namespace tovix {
namespace {

constexpr std::int64_t kWindow = 137;  // 9 bytes before the tag, then the tag

void ReadExactly(ByteSource& source, std::int64_t offset, void* buf, std::size_t n) {
  if (source.Read(offset, buf, n) != n)
    throw IoError(EIO, "the file ended while its tag was read", str::kTagEnded, {});
}

bool Same(const std::uint8_t* bytes, const char* text) {
  return std::memcmp(bytes, text, std::strlen(text)) == 0;
}

std::string_view Bytes(const std::uint8_t* bytes, std::size_t width) {
  return {reinterpret_cast<const char*>(bytes), width};
}

std::string Field(const std::uint8_t* bytes, std::size_t width, std::size_t max,
                  std::uint16_t codePage) {
  std::string text = TagTextFrom(Bytes(bytes, width), codePage);
  if (text.size() > max) text.resize(max);
  return text;
}

// The bytes of one field for the block: those read from disk while the
// record still holds their text, else the text in the tag's code page.
std::string FieldBytes(const TID3Tag& tag, const std::string& text, std::size_t offset,
                       std::size_t width) {
  if (tag.RawTag.size() == 128) {
    const std::string_view raw = std::string_view(tag.RawTag).substr(offset, width);
    if (TagTextFrom(raw, tag.CodePage) == text) return std::string(raw);
  }
  return TagTextTo(text, width, tag.CodePage);
}

// Size digits of a Lyrics3 v2 block, or -1 when they are not six digits.
std::int64_t LyricsSize(const std::uint8_t* digits) {
  std::int64_t n = 0;
  for (int i = 0; i < 6; ++i) {
    if (digits[i] < '0' || digits[i] > '9') return -1;
    n = n * 10 + (digits[i] - '0');
  }
  return n;
}

std::uint8_t LyricsVersion2(ByteSource& source, std::int64_t size) {
  if (size < 143) return 0;
  std::uint8_t digits[6];
  ReadExactly(source, size - 143, digits, sizeof digits);
  std::int64_t n = LyricsSize(digits);
  if (n < 0 || n > size - 143) return 0;  // never read before the file's start
  std::uint8_t begin[11];
  if (source.Read(size - 143 - n, begin, sizeof begin) != sizeof begin) return 0;
  return Same(begin, "LYRICSBEGIN") ? 2 : 0;
}

// Track text as a whole decimal number: leading blanks and a sign allowed,
// nothing after the digits.
bool ParseTrack(const std::string& text, long long& value) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size() || text[i] < '0' || text[i] > '9') return false;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data() + i, end, value);
  if (ec != std::errc() || ptr != end) return false;
  if (negative) value = -value;
  return true;
}

}  // namespace

std::string TagTextFromOem(std::string_view field) {
  return TagTextFrom(field, kOemCodePage);
}

std::string TagTextToOem(std::string_view text, std::size_t width) {
  return TagTextTo(text, width, kOemCodePage);
}

std::string BuildID3Block(const TID3Tag& tag) {
  std::string block = "TAG";
  block += FieldBytes(tag, tag.Title, 3, 30);
  block += FieldBytes(tag, tag.Artist, 33, 30);
  block += FieldBytes(tag, tag.Album, 63, 30);
  block += FieldBytes(tag, tag.Year, 93, 4);
  block += FieldBytes(tag, tag.Comment, 97, 30);
  long long track = 0;
  if (!tag.Track.empty() && ParseTrack(tag.Track, track))
    block[126] = static_cast<char>(static_cast<std::uint8_t>(track & 0xFF));
  else  // no track: the comment's own last byte, also when its bytes were kept
    block[126] = TagTextTo(tag.Comment, 30, tag.CodePage)[29];
  // A stored genre above 147 reads as 148; while the record still says so,
  // the byte stays (255, "no genre", must not become a genre).
  const bool sameGenre = tag.RawTag.size() == 128 && tag.Genre == 148 &&
                         static_cast<std::uint8_t>(tag.RawTag[127]) >= 148;
  block +=
      sameGenre ? tag.RawTag[127] : static_cast<char>(static_cast<std::uint8_t>(tag.Genre & 0xFF));
  return block;
}

bool ReadID3Tag(ByteSource& source, TID3Tag& tag) {
  const std::int64_t size = source.Size();
  if (size <= kWindow) return false;
  std::uint8_t w[kWindow];
  ReadExactly(source, size - kWindow, w, sizeof w);

  TID3Tag read = tag;
  read.LyricsKind = 0;
  if (!Same(w + 9, "TAG")) {
    read.Title.clear();
    read.Artist.clear();
    read.Album.clear();
    read.Year.clear();
    read.Comment.clear();
    read.Track.clear();
    read.Genre = -1;
    read.CodePage = kOemCodePage;
    read.RawTag.clear();
    tag = std::move(read);
    return false;
  }
  // One decision for the five texts of the tag.
  const std::uint16_t page =
      GuessTagCodePage({Bytes(w + 12, 30), Bytes(w + 42, 30), Bytes(w + 72, 30), Bytes(w + 102, 4),
                        Bytes(w + 106, 30)});
  read.CodePage = page;
  read.RawTag.assign(reinterpret_cast<const char*>(w + 9), 128);
  read.Title = Field(w + 12, 30, 50, page);
  read.Artist = Field(w + 42, 30, 50, page);
  read.Album = Field(w + 72, 30, 50, page);
  read.Year = Field(w + 102, 4, 4, page);
  read.Comment = Field(w + 106, 30, 50, page);
  // Read for every tag, also when the comment runs into that byte.
  read.Track = std::to_string(w[135]);
  read.Genre = w[136] >= 148 ? 148 : w[136];
  if (Same(w, "LYRICSEND"))
    read.LyricsKind = 1;
  else if (Same(w, "LYRICS200"))
    read.LyricsKind = LyricsVersion2(source, size);
  tag = std::move(read);
  return true;
}

}  // namespace tovix

#pragma once
// What the program knows of one MP3 file: the first MPEG audio frame
// header with its derived facts and encoder guess, and the ID3v1 tag with
// the Lyrics3 markers. Texts are Windows-1252; the tag on disk is code page
// 850 or, as today's taggers write it, Windows-1252 (see CodePage).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tovix {

struct TMPEGData {
  std::uint16_t Duration = 0;   // whole seconds
  std::int32_t FileLength = 0;  // bytes, tags included
  std::uint8_t Version = 0;     // 1 MPEG-1, 2 MPEG-2, 3 MPEG-2.5, 0 none
  std::uint8_t Layer = 0;       // 1..3, 0 none
  std::int32_t SampleRate = 0;  // Hz
  std::int32_t BitRate = 0;     // kbit/s (Xing: average)
  std::uint8_t Mode = 0;        // 0 stereo, 1 joint, 2 dual, 3 mono
  bool Copyright = false;
  bool Original = false;
  bool NoCrc = false;
  bool Padding = false;
  std::uint16_t FrameLength = 0;
  std::string Encoder;  // empty when no encoder was recognised
};

struct TID3Tag {
  std::string Title;            // at most 50 characters
  std::string Artist;           // at most 50
  std::string Album;            // at most 50
  std::string Comment;          // at most 50
  std::string Year;             // at most 4
  std::string Track;            // at most 3
  std::int32_t Genre = 0;       // 0..148, -1 after a read that found no tag
  std::uint8_t LyricsKind = 0;  // 0 none, 1 Lyrics3 v1, 2 Lyrics3 v2
  // Code page of the tag on disk: 850 (the format's) or 1252, as guessed
  // when the tag was read; a record not read from a tag writes 850.
  std::uint16_t CodePage = 850;
  // The 128 bytes the tag was read from (empty when none), so a write keeps
  // the bytes of every field whose text did not change.
  std::string RawTag;
};

// The record pair; field names are unique across both halves.
struct Mp3Info : TMPEGData, TID3Tag {};

// Display names of the channel modes (not translated).
inline constexpr std::array<std::string_view, 4> ModeNames = {"Stereo", "Joint-Stereo",
                                                              "Dual-Channel", "Single-Channel"};

// Scans a file for its first acceptable frame header. 0 done; -1 missing
// file or no header; else the system's error number from opening it.
int ReadMPEGData(const std::string& fileName, TMPEGData& data);
bool DecodeHeader(std::uint32_t header, TMPEGData& data);
bool IsValidHeader(const TMPEGData& data);
int CalcFrameLength(int sampleRate, int bitRate, bool padding);
void ResetMPEGData(TMPEGData& data);

// True when a tag was found. Throws IoError when the file exists but
// cannot be read.
bool ReadID3Tag(const std::string& fileName, TID3Tag& tag);
// Replaces the file's tag in place or appends one, in tag.CodePage; fields
// whose text is still what tag.RawTag holds keep their bytes. Throws IoError; the
// file's read-only state is restored on every path.
void WriteID3Tag(const std::string& fileName, const TID3Tag& tag);

std::string TagTextFromOem(std::string_view field);
std::string TagTextToOem(std::string_view text, std::size_t width);

}  // namespace tovix

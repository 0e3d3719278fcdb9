#pragma once
// Which code page an ID3v1 tag's text is in. The format says code page 850,
// but today's taggers write Windows-1252 (Latin-1), so each tag is judged
// by its bytes once, and written back in the page it was read in.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tovix {

inline constexpr std::uint16_t kOemCodePage = 850;
inline constexpr std::uint16_t kAnsiCodePage = 1252;

// 1252 when the high bytes of the fields (each up to its first NUL) read
// as more and better-placed letters and typographic marks (’ “ ” – €) in
// Windows-1252 than as letters in code page 850; else 850, the format's
// own (pure ASCII included).
std::uint16_t GuessTagCodePage(const std::vector<std::string_view>& fields);

// One tag field in codePage to record text: up to the first NUL, trailing
// NULs and blanks removed.
std::string TagTextFrom(std::string_view field, std::uint16_t codePage);
// Record text to one tag field of width bytes in codePage, NUL-padded.
std::string TagTextTo(std::string_view text, std::size_t width, std::uint16_t codePage);

}  // namespace tovix

#pragma once
// Small pure helpers on 8-bit texts: the ANSI/OEM code-page guess and the
// conversions that depend on it, word capitals, and umlaut transliteration.
#include <string>
#include <string_view>

namespace tovix {

// True when more characters of text belong to the Windows-1252 umlaut set
// than to the code page 850 one; a text with neither is not ANSI.
bool LooksLikeAnsi(std::string_view text);
// OEM to ANSI unless the text already looks like ANSI.
std::string ToAnsiIfOem(std::string_view text);
// ANSI to OEM when the text looks like ANSI; else unchanged.
std::string ToOemIfAnsi(std::string_view text);
// First character and every character after a blank to upper case (a-z
// only), then 0xEF to an apostrophe.
std::string CapitaliseWords(std::string_view text);
// Umlauts and accented letters to plain letters ("ü" to "ue", "é" to "e" ...).
std::string ReplaceUmlauts(std::string_view text);

// Every control character (below 0x20, and 0x7F) as a blank, so a tag text
// cannot split a line or a name.
std::string BlankControls(std::string_view text);
// The Windows-1252 characters that code page 850 lacks (’ “ ” – € and the
// like) as plain ones (' ' - EUR ...), so the text can stand in a batch line.
std::string PlainForOem(std::string_view text);
// The characters a name on a Windows or ISO 9660 disc cannot hold: "/", "\"
// and ":" as "-", the wildcards, quotes and redirections * ? " < > | dropped.
std::string WindowsSafeName(std::string_view text);
// True when text holds one of those characters.
bool HoldsCharNotForWindows(std::string_view text);

}  // namespace tovix

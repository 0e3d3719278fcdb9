#pragma once
// File names as they must stand inside a batch file that the command
// interpreter reads in code page 850.
#include <optional>
#include <string>

namespace tovix {

// The name in code page 850 (the program's names are Windows-1252, so it is
// always converted). Nothing when no batch line can name the file: a
// character that code page 850 or a Windows file name lacks, a double quote
// or a control character.
std::optional<std::string> BatchOemName(const std::string& ansiName);
// Every "%" doubled, so the interpreter does not take it for an argument.
std::string EscapePercent(const std::string& text);
// Characters the interpreter splits or redirects at, when unquoted, as "_".
std::string UnquotedSafe(const std::string& text);
// The current local date and time as batch heads show it: "dd.mm.yyyy hh:mm:ss".
std::string BatchTimestamp();
// A batch comment line about text, with anything the interpreter might act
// on replaced by "?".
std::string RemLine(const std::string& text);

}  // namespace tovix

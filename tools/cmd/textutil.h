#pragma once
// Small text helpers of the interpreter: its texts are Windows-1252.
#include <string>
#include <string_view>

namespace tovix::cmd {

// Lower case of one Windows-1252 character (letters with accents too).
char FoldCase(char c);
std::string Lower(std::string_view text);
// Equal without regard to case, as Windows compares names.
bool SameNoCase(std::string_view a, std::string_view b);
bool IsBlank(char c);
std::string TrimLeft(std::string_view text);
std::string Trim(std::string_view text);
// The text without its double quotes.
std::string Unquote(std::string_view text);
// '*' and '?' wildcards without regard to case; "*.*" matches every name.
bool WildcardMatch(std::string_view pattern, std::string_view name);
bool HasWildcard(std::string_view text);

}  // namespace tovix::cmd

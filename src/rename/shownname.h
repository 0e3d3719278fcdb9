#pragma once
// How the passes name a directory entry they cannot handle.
#include <string>

namespace tovix {

// A system file name made safe to show inside a list or a batch comment:
// Windows-1252 where it converts, every double quote, control character and
// unconvertible byte shown as '?'.
std::string ShownName(const std::string& nativeName);

// The same name as it stands, for UTF-8 output (a terminal): only bytes
// that are no UTF-8 and control characters (line breaks, escapes, the
// direction marks that reorder a line) shown as '?'.
std::string ShownNativeName(const std::string& nativeName);

// The review-list and memo note for such an entry.
std::string UnusableNameNote(const std::string& nativeName);

// The memo note for a file a batch line cannot name (a character code page
// 850 or a Windows file name lacks); ansiName as the program holds it.
std::string BatchNameNote(const std::string& ansiName);

// The note for a file listed at the start of a pass and gone when reached.
std::string VanishedNote(const std::string& ansiName);

}  // namespace tovix

#pragma once
// The name under which a song's .BIN and .JPG files and batch entries are made.
#include <string>

namespace tovix {

// From an MP3 file name (without folder): a-z upper-cased, the first ".MP3"
// removed, every byte 0xEF made an apostrophe, then ToOemIfAnsi. The result
// is the OEM form used inside batch files; pass paths built from it through
// ToAnsiIfOem before the program itself tests or writes them.
std::string PictureBaseName(const std::string& fileName);

}  // namespace tovix

#pragma once
// The name under which a song's .BIN and .JPG files and batch entries are made.
#include <string>

namespace tovix {

// From an MP3 file name (without folder): a-z upper-cased, the first ".MP3"
// removed, every byte 0xEF made an apostrophe, then converted to code page
// 850. The result is the OEM form used inside batch files; paths the program
// itself tests or writes take it back through OemToAnsi. A name holding a
// character 850 lacks does not convert back: check it with BatchOemName.
std::string PictureBaseName(const std::string& fileName);

}  // namespace tovix

#include "picture/picturename.h"

#include "platform/codepage.h"

namespace tovix {

std::string PictureBaseName(const std::string& fileName) {
  std::string name = platform::UpperAscii(fileName);
  if (const auto at = name.find(".MP3"); at != std::string::npos) name.erase(at, 4);
  for (char& c : name)
    if (static_cast<unsigned char>(c) == 0xEF) c = '\'';
  // File names are Windows-1252: converted always, not by the umlaut guess,
  // which left "Noël" in 1252 for a batch read as 850.
  return platform::AnsiToOem(name);
}

}  // namespace tovix

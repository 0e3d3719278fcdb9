#include "rename/cdbatches.h"

#include "platform/codepage.h"

namespace tovix {

std::string CdShortName(const std::string& fileName) {
  std::string out;
  out.reserve(fileName.size());
  for (char c : fileName) {
    if (c == ' ' || c == '\'') continue;
    c = platform::UpperAscii(c);
    if (c == '&' || c == '.' || static_cast<unsigned char>(c) >= 128) c = '_';
    out += c;
  }
  return out.substr(0, out.find('-'));
}

}  // namespace tovix

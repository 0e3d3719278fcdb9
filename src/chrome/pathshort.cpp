#include "chrome/pathshort.h"

#include <vector>

namespace tovix::chrome {
namespace {

std::string Join(const std::vector<std::string_view>& parts, char separator) {
  std::string out;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out += separator;
    out += parts[i];
  }
  return out;
}

}  // namespace

std::string ShortenPath(std::string_view path, std::size_t maxLength, char separator) {
  if (path.size() <= maxLength) return std::string(path);
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t end = path.find(separator, start);
    if (end == std::string_view::npos) {
      parts.push_back(path.substr(start));
      break;
    }
    parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  if (parts.size() <= 2) return std::string(path);
  parts[1] = "...";
  std::string result = Join(parts, separator);
  while (result.size() > maxLength && parts.size() > 3) {
    parts.erase(parts.begin() + 2);
    result = Join(parts, separator);
  }
  return result;
}

}  // namespace tovix::chrome

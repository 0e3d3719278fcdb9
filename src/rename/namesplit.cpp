#include "rename/namesplit.h"

#include <utility>

namespace tovix {
namespace {

constexpr std::string_view kSeparator = " - ";
constexpr std::size_t kNamePartWidth = 30;

// Built anew rather than replaced in place: one pass, and GCC 12 no longer
// warns about a replace it cannot prove safe.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  std::string result;
  std::size_t done = 0;
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, done)) {
    result.append(text, done, at - done).append(to);
    done = at + from.size();
  }
  if (done == 0) return;
  result.append(text, done, std::string::npos);
  text = std::move(result);
}

}  // namespace

std::size_t FindMp3Extension(std::string_view text) {
  for (std::size_t i = 0; i + 4 <= text.size(); ++i) {
    if (text[i] == '.' && (text[i + 1] | 0x20) == 'm' && (text[i + 2] | 0x20) == 'p' &&
        text[i + 3] == '3')
      return i;
  }
  return std::string_view::npos;
}

std::string CutAtMp3(std::string_view text) {
  return std::string(text.substr(0, FindMp3Extension(text)));
}

ArtistTitle SplitArtistTitle(std::string_view name) {
  const std::size_t at = name.find(kSeparator);
  if (at == std::string_view::npos) return {"", std::string(name)};
  return {std::string(name.substr(0, at)), std::string(name.substr(at + kSeparator.size()))};
}

ArtistTitle ArtistTitleFromFileName(std::string_view fileName) {
  std::string stem = CutAtMp3(fileName);
  ReplaceAll(stem, "_", " ");
  ReplaceAll(stem, "%20", " ");
  ArtistTitle parts = SplitArtistTitle(stem);
  parts.artist = parts.artist.substr(0, kNamePartWidth);
  parts.title = parts.title.substr(0, kNamePartWidth);
  return parts;
}

std::string TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  const std::size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace tovix

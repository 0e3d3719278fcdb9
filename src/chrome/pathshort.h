#pragma once
// Shortening a path for a one-line status text. No Qt here.
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/filesys.h"

namespace tovix::chrome {

inline constexpr std::size_t kStatusPathLength = 35;

// The path shortened to about maxLength characters: the first part and the
// last parts stay, the middle becomes "...". Paths of at most maxLength
// characters or with fewer than three parts come back unchanged; with only
// three parts left the result may still be longer than maxLength.
std::string ShortenPath(std::string_view path, std::size_t maxLength = kStatusPathLength,
                        char separator = platform::kPathSep);

}  // namespace tovix::chrome

#pragma once
// The disc check: everything that would keep a CD from working in the
// player, each with its file.
#include <cstdint>
#include <string>
#include <vector>

#include "disc/disctree.h"

namespace tovix {

struct DiscLimits {
  int mediumMb = 700;       // 650, 700 or 800
  int maxFolders = 255;     // settings key DiscFolders
  int maxFiles = 999;       // settings key DiscFiles
  int maxFolderLevels = 8;  // the root is the first
  std::int64_t maxBinBytes = 163840;
};

// The sectors of 2048 bytes a medium of that many MB holds (74, 80 and 90
// minutes); 0 for another size.
std::int64_t MediumSectors(int mediumMb);
// The sectors the image of tree takes: its files, one per folder, and the
// volume's own (system area, descriptors, path tables).
std::int64_t ImageSectors(const DiscTree& tree);

// The walk's findings followed by those of the limits.
std::vector<DiscFinding> CheckDisc(const DiscTree& tree, const DiscLimits& limits);
bool HasErrors(const std::vector<DiscFinding>& findings);

// One line per finding, in the chosen language (Windows-1252): the text,
// then the file.
std::string FindingText(const DiscFinding& finding);
// The same line in UTF-8, for a terminal: a name Windows-1252 cannot hold
// shown as it stands, not as '?'.
std::string FindingTextUtf8(const DiscFinding& finding);

}  // namespace tovix

#pragma once
// A song's picture and text files (.BIN, .JPG, .TXT of the same base name
// in the BIN folder), which follow it when it is renamed, so no picture is
// left behind under the old name.
#include <string>
#include <vector>

namespace tovix {

namespace platform {
class FolderIndex;
}

struct CompanionMove {
  std::string from;  // on disk, in binIndex's folder
  std::string to;
};

// The companions of the MP3 file oldName found in binIndex (in any letter
// case), each with the name it takes when the song is named newName: the
// new base name in the spelling the companion had (as the song's, or all in
// capitals as the BIN run writes it), and its own extension.
std::vector<CompanionMove> CompanionMoves(const platform::FolderIndex& binIndex,
                                          const std::string& oldName, const std::string& newName);

}  // namespace tovix

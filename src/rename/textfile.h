#pragma once
// Writing and reading whole 8-bit text files through the platform layer.
#include <string>
#include <vector>

namespace tovix {

// Creates or overwrites path with bytes; a read-only file is never
// overwritten. Throws IoError naming the file. spelledAsOnDisk: the caller
// has found path's spelling (or that no spelling exists) through a
// FolderIndex, so the folder is not listed again.
void WriteWholeFile(const std::string& path, const std::string& bytes,
                    bool spelledAsOnDisk = false);

// Throws WriteWholeFile's IoError when path is a read-only file.
void RefuseReadOnly(const std::string& path, bool spelledAsOnDisk = false);
// The lines joined, each ended by CR LF.
std::string JoinCrLf(const std::vector<std::string>& lines);

}  // namespace tovix

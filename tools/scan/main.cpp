// tovix-scan PATH...: prints what Tovix reads from MP3 files, one
// tab-separated line per file, so a user can check their collection.
#include <iostream>
#include <string>
#include <vector>

#include "mp3/scantable.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: tovix-scan FILE-OR-FOLDER...\n"
                 "Lists the header facts and the ID3v1 tag of each MP3 file, one\n"
                 "tab-separated line per file; a folder lists its *.mp3 files.\n";
    return 2;
  }
  std::vector<std::string> paths(argv + 1, argv + argc);
  return tovix::WriteScanTable(paths, std::cout, std::cerr);
}

#pragma once
// The table of what the program makes of MP3 files: one header line, then
// one tab-separated line per file with every field of Mp3Info. Shared by
// tovix-scan and the command-line program.
#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "mp3/mpegfile.h"

namespace tovix {

// The header line, without its line end.
std::string ScanTableHeader();

// The words of a scan. The complaints, UTF-8, with "%1" for the path and "%2" for the
// reason; a caller that speaks another language gives its own.
struct ScanMessages {
  std::string prefix = "tovix-scan: ";
  std::string folderUnreadable = "%1: the folder cannot be read";
  std::string skipped = "%1: skipped, as every pass skips it: %2";
  std::string missing = "%1: no such file or folder";
  std::string unreadable = "%1: cannot be read: %2";
  std::string notAnsi =
      "%1: the name holds characters the program cannot handle (not in Windows-1252)";
  // The system's reason for an error number, as the run words it.
  std::function<std::string(int)> reason = [](int code) {
    return std::string(std::strerror(code));
  };
  // The Encoder cell of a file whose encoder was not recognised, Windows-1252.
  std::string unknownEncoder = "Encoder nicht erkannt";
};

// One line for a file (displayName in UTF-8), without its line end. Texts
// are converted to UTF-8; tabs and line breaks inside them become blanks;
// an encoder not recognised reads messages.unknownEncoder.
std::string ScanTableLine(const std::string& displayName, const Mp3Info& info,
                          const ScanMessages& messages = {});

// What ReadMPEGData and ReadID3Tag (into a cleared tag) give for one file,
// read over one open file. False, with a line on err, when the file is
// missing or cannot be read.
bool ReadScanFacts(const std::string& path, Mp3Info& info, std::ostream& err,
                   const ScanMessages& messages = {});

// Lists each path given in the system's encoding: a file, or a folder whose
// "*.mp3" files are listed as the passes list them. Paths that are missing
// or cannot be read get a line on err and make the result 1; the others are
// still listed. 0 when every path was listed.
int WriteScanTable(const std::vector<std::string>& nativePaths, std::ostream& out,
                   std::ostream& err, const ScanMessages& messages = {});

}  // namespace tovix

#pragma once
// The CD batch pair: Short.bat moves every MP3 file of a CD folder (with its
// .bin, .jpg and .txt companions) under a short numbered name, into a
// subdirectory named after its first letter; Long.bat moves them back.
#include <string>

#include "platform/passreport.h"
#include "rename/passsummary.h"

namespace tovix {

// The cleaned upper-case form of a file name that short names start from:
// "Some Band - First Song.mp3" gives "SOMEBAND".
std::string CdShortName(const std::string& fileName);

// Writes Short.bat and Long.bat (CR LF, names in code page 850) into mp3Dir;
// companions are looked for in binDir. Names holding an acute accent are
// renamed on disk first. Names that differ only in letter case are left
// where they are, both, with a rem line: the interpreter would take them
// for one file. Returns the number of MP3 files placed and, in result, what
// the summary line tells. Throws IoError when a batch file cannot be written.
int CreateCdBatches(const std::string& mp3Dir, const std::string& binDir, bool useSubDirs,
                    PassReport* report = nullptr, CdBatchResult* result = nullptr);

}  // namespace tovix

#pragma once
// One small text file per song beside its picture: the song before, the
// song itself marked with asterisks and the two after it, in list order.
#include <string>

#include "rename/passobserver.h"

namespace tovix {

// Writes binDir + stem + ".TXT" for every MP3 file of sourceDir and returns
// how many were written. Throws IoError when a text file cannot be written
// (files written before stay).
int WriteInfoTexts(const std::string& sourceDir, const std::string& binDir,
                   PassObserver* observer = nullptr);

}  // namespace tovix

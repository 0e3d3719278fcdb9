#pragma once
// One small text file per song beside its picture: the song before, the
// song itself marked with asterisks and the two after it, in list order.
#include <string>

#include "platform/passreport.h"

namespace tovix {

// Writes binDir + stem + ".TXT" for every MP3 file of sourceDir and returns
// how many were written. Throws IoError when a text file cannot be written
// (files written before stay).
// With useId3v2 an artist or title the ID3v1 tag lacks comes from the ID3v2
// tag before the file name is asked. Two songs whose stems differ only in
// letter case would share a text file: the later one is left out, with a
// memo line. The report may stop the pass while the songs are read; then
// no text is written and 0 returned.
int WriteInfoTexts(const std::string& sourceDir, const std::string& binDir,
                   PassReport* report = nullptr, bool useId3v2 = true);

}  // namespace tovix

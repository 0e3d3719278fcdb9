#pragma once
// What the player buttons show: the elapsed time of the song being played.
#include <string>

namespace tovix {

// Elapsed milliseconds of a song of durationSeconds at position pos of len
// (the library's units): the fraction played in thousandths, truncated,
// times the running time. 0 when the length is unknown (len <= 0).
int ElapsedMs(int pos, int len, int durationSeconds);

// A count of milliseconds as a time of day in the long time format
// ("hh:mm:ss", 24 hours).
std::string ElapsedText(int ms);

}  // namespace tovix

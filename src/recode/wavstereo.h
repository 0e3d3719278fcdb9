#pragma once
// A mono WAV file made stereo, the same sound on both channels: LAME keeps
// a mono input mono, and the DVD player wants plain stereo.
#include <string>

namespace tovix {

// Rewrites a 16-bit PCM mono WAV file as stereo in place (through a hidden
// temporary file that replaces it only when whole). Any other file is left
// as it is. Returns false when it was mono and could not be rewritten.
bool MakeWavStereo(const std::string& path);

}  // namespace tovix

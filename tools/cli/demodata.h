#pragma once
// The sample CD of "tovix-cli demo": songs made from generated sound,
// encoded with lame at run time, and a generated background picture.
#include <optional>
#include <string>
#include <vector>

#include "picture/bitmap.h"

namespace tovix::cli {

struct DemoSong {
  const char* fileName;  // Windows-1252
  const char* artist;    // empty: the file gets no tag
  const char* title;
  const char* lameArgs;  // bit rate and mode, so the technical lines differ
  int melody;            // which tune the sound plays
};

// The songs of the sample CD: some with a tag, some named only by their file.
const std::vector<DemoSong>& DemoSongs();

// A 16-bit PCM RIFF WAVE file of a short tune: 44100 Hz, stereo.
std::string DemoWave(int melody, double seconds);

// A 704 x 480 background: a sky-like gradient with soft hills, calm enough
// that the player's picture size limit is met at a low level.
Bitmap DemoBackground();

// The native path of lame on PATH; nullopt when it is not installed.
std::optional<std::string> FindLame();

// Runs lame on a WAV file (native paths); the error text on failure.
std::optional<std::string> EncodeWithLame(const std::string& lame, const std::string& wavPath,
                                          const std::string& mp3Path, const std::string& args);

}  // namespace tovix::cli

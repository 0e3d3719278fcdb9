#pragma once
// Where decoded PCM goes, through libout123: the sound output (device 0) or
// a RIFF WAVE file written by libout123's own wav writer (device 2), which
// is what mpg123 -w uses.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "errors.h"

struct out123_struct;

namespace mpegdll {

class Sink {
 public:
  ~Sink();
  Sink(const Sink&) = delete;
  Sink& operator=(const Sink&) = delete;

  // device 0 plays through the module named by TOVIX_AUDIO_OUT, or
  // libout123's default; device 2 writes nativeFile (file system encoding).
  static std::unique_ptr<Sink> Open(int device, const std::string& nativeFile, long rate,
                                    int channels, Error& error);

  // True for the sound output, which is kept to real time.
  bool live() const { return live_; }
  // False when the device took less than all of it.
  bool Write(unsigned char* data, std::size_t bytes);
  // Discards what has not been heard yet (pause, stop).
  void Drop();
  // Closes the output; played: let the sound play out. False when the wave
  // file did not come out whole.
  bool Finish(bool played);

 private:
  Sink() = default;
  bool Play(unsigned char* data, std::size_t bytes);
  bool Flush();

  out123_struct* ao_ = nullptr;
  bool live_ = false;
  std::string file_;
  std::uint64_t written_ = 0;
  std::vector<unsigned char> pending_;  // for a file: not yet handed over
};

}  // namespace mpegdll

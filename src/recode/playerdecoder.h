#pragma once
// The player component as the recode pass's decoder.
#include "player/mpegplay.h"
#include "recode/wavdecode.h"

namespace tovix {

class PlayerDecoder : public DecodePlayer {
 public:
  explicit PlayerDecoder(TMPEGPlayer& player) : player_(player) {}

  void SetStreamName(const std::string& path) override { player_.SetStreamName(path); }
  int OpenAndGetLength() override {
    player_.Open();
    return player_.StreamLength();
  }
  void SetOutFilename(const std::string& path) override { player_.SetOutFilename(path); }
  std::string OutFilename() const override { return player_.OutFilename(); }
  void SetOutputToFile(bool toFile) override {
    player_.SetOutputDevice(toFile ? TOutputDevice::pcmfile : TOutputDevice::wavemapper);
  }
  // The decode polls the mode itself. Without the timer no end handler left
  // by the preview runs in the middle of it and closes the stream.
  void Play() override {
    player_.SetUseTimer(false);
    player_.Play();
  }
  int GetPlayerMode() override { return player_.GetPlayerMode(); }
  int GetCurrentPos() override { return player_.GetCurrentPos(); }
  void Close() override { player_.Close(); }

 private:
  TMPEGPlayer& player_;
};

}  // namespace tovix

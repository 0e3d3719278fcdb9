#pragma once
// The player component as the recode pass's decoder. Its errors reach the
// pass's memo and log in the language table's words.
#include <stdexcept>
#include <utility>

#include "player/mpegplay.h"
#include "player/playererrortext.h"
#include "recode/wavdecode.h"

namespace tovix {

// Runs a call of the player; its error goes on in the language's words.
template <class Call>
auto PlayerTold(Call&& call) {
  try {
    return std::forward<Call>(call)();
  } catch (const TMPEGError& e) {
    throw std::runtime_error(PlayerErrorText(e));
  }
}

class PlayerDecoder : public DecodePlayer {
 public:
  explicit PlayerDecoder(TMPEGPlayer& player) : player_(player) {}

  void SetStreamName(const std::string& path) override {
    PlayerTold([&] { player_.SetStreamName(path); });
  }
  int OpenAndGetLength() override {
    return PlayerTold([&] {
      player_.Open();
      return player_.StreamLength();
    });
  }
  void SetOutFilename(const std::string& path) override {
    PlayerTold([&] { player_.SetOutFilename(path); });
  }
  std::string OutFilename() const override { return player_.OutFilename(); }
  void SetOutputToFile(bool toFile) override {
    PlayerTold([&] {
      player_.SetOutputDevice(toFile ? TOutputDevice::pcmfile : TOutputDevice::wavemapper);
    });
  }
  // The decode polls the mode itself. Without the timer no end handler left
  // by the preview runs in the middle of it and closes the stream.
  void Play() override {
    PlayerTold([&] {
      player_.SetUseTimer(false);
      player_.Play();
    });
  }
  int GetPlayerMode() override {
    return PlayerTold([&] { return player_.GetPlayerMode(); });
  }
  int GetCurrentPos() override {
    return PlayerTold([&] { return player_.GetCurrentPos(); });
  }
  void Close() override {
    PlayerTold([&] { player_.Close(); });
  }

 private:
  TMPEGPlayer& player_;
};

}  // namespace tovix

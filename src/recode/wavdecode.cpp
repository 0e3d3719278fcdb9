#include "recode/wavdecode.h"

#include <stdexcept>

#include "lang/buildstrings.h"
#include "platform/codepage.h"
#include "platform/filesys.h"

namespace tovix {
namespace {

// Puts the player back for the preview and hides the bar, also when the
// decode failed half-way; the original left both as they were then.
class DecodeEnd {
 public:
  DecodeEnd(DecodePlayer& player, const DecodeWatch& watch) : player_(player), watch_(watch) {}
  ~DecodeEnd() {
    try {
      player_.Close();
    } catch (...) {
    }
    try {
      player_.SetOutputToFile(false);
      player_.SetOutFilename("");
    } catch (...) {
    }
    if (watch_.showGauge) watch_.showGauge(false);
  }
  DecodeEnd(const DecodeEnd&) = delete;
  DecodeEnd& operator=(const DecodeEnd&) = delete;

 private:
  DecodePlayer& player_;
  const DecodeWatch& watch_;
};

}  // namespace

std::string TempWavPath(const std::string& name, const std::string& tempDir) {
  const std::string base =
      platform::WithSep(tempDir) + name.substr(0, platform::UpperAscii(name).find(".MP3"));
  std::string path = base + ".wav";
  for (int n = 1; platform::Exists(path); ++n) path = base + "~" + std::to_string(n) + ".wav";
  return path;
}

std::string DecodeToTempWav(DecodePlayer& player, const std::string& name,
                            const std::string& sourceDir, const std::string& tempDir,
                            const DecodeWatch& watch) {
  if (watch.setGauge) watch.setGauge(0);
  if (watch.showGauge) watch.showGauge(true);
  DecodeEnd end(player, watch);
  const std::string wav = TempWavPath(name, tempDir);
  if (wav.size() > kMaxWavPath)
    throw std::runtime_error(BuildText(str::kWavPathTooLong, {std::to_string(kMaxWavPath), wav}));
  try {
    player.SetStreamName(platform::WithSep(sourceDir) + name);
    const int length = player.OpenAndGetLength();
    player.SetOutFilename(wav);
    player.SetOutputToFile(true);
    player.Play();
    while (player.GetPlayerMode() == kPlayerModePlaying &&
           (!watch.keepGoing || watch.keepGoing())) {
      if (watch.processMessages) watch.processMessages();
      if (watch.setGauge && length > 0)
        watch.setGauge(
            static_cast<int>(static_cast<long long>(player.GetCurrentPos()) * 100 / length));
      if (watch.sleep) watch.sleep(kDecodePollMs);
    }
    return player.OutFilename();
  } catch (...) {
    platform::RemoveFile(wav);
    throw;
  }
}

}  // namespace tovix

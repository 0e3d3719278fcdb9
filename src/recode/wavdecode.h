#pragma once
// Decoding an MP3 file into a temporary WAV file with the player component.
#include <cstddef>
#include <functional>
#include <string>

namespace tovix {

// What the decode needs of the player component; the program's adapter
// forwards to TMPEGPlayer, tests use a fake. Every call may throw the
// component's error.
class DecodePlayer {
 public:
  virtual ~DecodePlayer() = default;
  virtual void SetStreamName(const std::string& path) = 0;
  // Opens the stream; the length in the unit of positions, 0 when unknown.
  virtual int OpenAndGetLength() = 0;
  virtual void SetOutFilename(const std::string& path) = 0;
  virtual std::string OutFilename() const = 0;
  // true: decode into the wave file (pcmfile); false: the sound card.
  virtual void SetOutputToFile(bool toFile) = 0;
  virtual void Play() = 0;
  // 3 while playing.
  virtual int GetPlayerMode() = 0;
  virtual int GetCurrentPos() = 0;
  virtual void Close() = 0;
};

inline constexpr int kPlayerModePlaying = 3;
inline constexpr int kDecodePollMs = 100;

// The window's side of a decode: the progress bar and the cancel check.
struct DecodeWatch {
  std::function<void(bool shown)> showGauge;
  std::function<void(int percent)> setGauge;
  // Lets pending window messages run; a cancel click is seen here.
  std::function<void()> processMessages;
  // False once the pass is cancelled or the program is ending.
  std::function<bool()> keepGoing;
  std::function<void(int ms)> sleep;
};

// The WAV path of a name: tempDir (a separator added) + the name up to the
// first ".MP3" in any letter case + ".wav" ("Live.MP3.mp3" gives "Live.wav").
// The folder may hold a file of that name, in any letter case, that the
// user keeps (the MP3 folder itself may be the temp folder): then "~1",
// "~2", ... follow the base name, the first that no file has.
std::string TempWavPath(const std::string& name, const std::string& tempDir);

// The longest WAV path the decoder library takes (its buffer holds 260
// characters with the closing zero).
inline constexpr std::size_t kMaxWavPath = 259;

// Decodes sourceDir/name into TempWavPath(name, tempDir) and returns the
// player's output file name. A cancel stops the decode and leaves the
// partial file for the caller to remove; a failure removes it. Whatever
// happens, the stream is closed, the output goes back to the sound card (its
// file name cleared, so no later Play trips over it) and the progress bar
// is hidden again.
std::string DecodeToTempWav(DecodePlayer& player, const std::string& name,
                            const std::string& sourceDir, const std::string& tempDir,
                            const DecodeWatch& watch);

}  // namespace tovix

#include "demodata.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <sstream>

#include "commands.h"
#include "lang/buildstrings.h"
#include "platform/process.h"

namespace tovix::cli {
namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;

void PutLE(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Semitones above A4 of each tune's notes, one note per quarter second.
constexpr int kTunes[][8] = {
    {-9, -5, -2, 3, -2, -5, -9, -14},  // a rising and falling C major arpeggio
    {0, 2, 3, 5, 7, 5, 3, 2},          // a scale in A minor
    {-7, -7, 0, 0, 2, 2, 0, -2},       // a nursery tune
    {3, 7, 10, 15, 10, 7, 3, -2},      // wide steps
    {-12, -5, -12, -5, -10, -3, -10, -3},
    {5, 3, 2, 0, -2, 0, 2, 3},
};

double NoteFrequency(int semitones) {
  return 440.0 * std::pow(2.0, semitones / 12.0);
}

}  // namespace

const std::vector<DemoSong>& DemoSongs() {
  static const std::vector<DemoSong> songs = {
      {"Die Wellen - Abendlied.mp3", "Die Wellen", "Abendlied", "-b 192 -m j", 0},
      {"track02.mp3", "Kerstin Adler",
       "\xDC"
       "ber den Wolken",
       "-b 128 -m s", 1},
      {"Nordlicht - Polarnacht.mp3", "Nordlicht", "Polarnacht", "-V 4", 2},
      {"Sonnenschein_-_Morgentau.mp3", "", "", "-b 160 -m j", 3},
      {"Zugv\xF6gel - Reise nach S\xFC"
       "den.mp3",
       "", "", "-b 96 -m m", 4},
      {"07 Ohne Namen.mp3", "", "", "-b 128 -m j", 5},
  };
  return songs;
}

std::string DemoWave(int melody, double seconds) {
  const auto& tune = kTunes[static_cast<std::size_t>(melody) % std::size(kTunes)];
  const int frames = static_cast<int>(seconds * kRate);
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(frames * kChannels * 2);
  std::string wav = "RIFF";
  PutLE(wav, 36 + dataBytes, 4);
  wav += "WAVEfmt ";
  PutLE(wav, 16, 4);
  PutLE(wav, 1, 2);  // PCM
  PutLE(wav, kChannels, 2);
  PutLE(wav, kRate, 4);
  PutLE(wav, kRate * kChannels * 2, 4);
  PutLE(wav, kChannels * 2, 2);
  PutLE(wav, 16, 2);
  wav += "data";
  PutLE(wav, dataBytes, 4);
  wav.reserve(wav.size() + dataBytes);

  const int noteFrames = kRate / 4;
  double phase = 0;
  for (int i = 0; i < frames; ++i) {
    const int note = (i / noteFrames) % 8;
    const double f = NoteFrequency(tune[note]);
    phase += 2 * std::numbers::pi * f / kRate;
    // Each note swells and fades, so the tune is heard note by note.
    const double within = static_cast<double>(i % noteFrames) / noteFrames;
    const double envelope = std::min(1.0, within * 20) * (1.0 - 0.6 * within);
    const double fadeOut = std::min(1.0, static_cast<double>(frames - i) / (kRate / 2));
    const double v = 0.3 * envelope * fadeOut * (std::sin(phase) + 0.3 * std::sin(2 * phase));
    const auto left = static_cast<std::int16_t>(std::lround(v * 32767 * 0.9));
    const auto right = static_cast<std::int16_t>(std::lround(v * 32767 * 0.7));
    PutLE(wav, static_cast<std::uint16_t>(left), 2);
    PutLE(wav, static_cast<std::uint16_t>(right), 2);
  }
  return wav;
}

Bitmap DemoBackground() {
  Bitmap bitmap = MakeBitmap(704, 480);
  for (int y = 0; y < bitmap.height; ++y) {
    for (int x = 0; x < bitmap.width; ++x) {
      const double t = static_cast<double>(y) / bitmap.height;
      // Evening sky from deep blue to orange, hills in the lower third.
      double r = 20 + 200 * t, g = 30 + 90 * t, b = 110 - 60 * t;
      const double hill = 360 + 40 * std::sin(x / 90.0) + 20 * std::sin(x / 37.0 + 1);
      if (y > hill) {
        r = 25 + 15 * t;
        g = 60 + 30 * t;
        b = 35;
      }
      std::uint8_t* p = &bitmap.pixels[static_cast<std::size_t>((y * bitmap.width + x) * 3)];
      p[0] = static_cast<std::uint8_t>(std::clamp(r, 0.0, 255.0));
      p[1] = static_cast<std::uint8_t>(std::clamp(g, 0.0, 255.0));
      p[2] = static_cast<std::uint8_t>(std::clamp(b, 0.0, 255.0));
    }
  }
  return bitmap;
}

std::optional<std::string> FindLame() {
  for (const std::string& dir : platform::ExecutableSearchPath()) {
    const std::string candidate = dir + "/lame";
    if (platform::IsExecutable(candidate)) return candidate;
  }
  return std::nullopt;
}

std::optional<std::string> EncodeWithLame(const std::string& lame, const std::string& wavPath,
                                          const std::string& mp3Path, const std::string& args) {
  platform::ProcessSpec request;
  request.program = lame;
  request.args = {lame, "--quiet"};
  std::istringstream words(args);
  for (std::string word; words >> word;) request.args.push_back(word);
  request.args.push_back(wavPath);
  request.args.push_back(mp3Path);
  request.in = platform::StdStream::Null();
  request.out = platform::StdStream::Null();
  platform::Process process;
  if (!process.Start(request))
    return Say(str::kCliCannotStart, {"lame", std::to_string(process.error())});
  process.Wait(platform::kWaitForever);
  if (process.exitCode() != 0)
    return Say(str::kCliEndedWith, {"lame", std::to_string(process.exitCode())});
  return std::nullopt;
}

}  // namespace tovix::cli

#pragma once
// What the player benchmarks share: a music-like song as a wave file for
// lame to encode, and running a program as a whole process.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace bench {

// Music-like stereo at 44.1 kHz: a few drifting tones and some noise, so the
// encoder spends its bits as on a real song.
inline void WriteSongWave(const std::filesystem::path& path, int seconds) {
  constexpr std::uint32_t kRate = 44100;
  const std::uint32_t samples = kRate * static_cast<std::uint32_t>(seconds);
  std::vector<std::int16_t> pcm(static_cast<std::size_t>(samples) * 2);
  std::uint32_t noise = 12345;
  for (std::uint32_t i = 0; i < samples; ++i) {
    double t = static_cast<double>(i) / kRate;
    double tone = 0.3 * std::sin(2 * M_PI * (220 + 20 * std::sin(t * 0.5)) * t) +
                  0.2 * std::sin(2 * M_PI * 330 * t) * std::sin(t * 3) +
                  0.1 * std::sin(2 * M_PI * 1760 * t + std::sin(t * 7));
    for (int c = 0; c < 2; ++c) {
      noise = noise * 1664525u + 1013904223u;
      double n = (static_cast<double>(noise >> 16) / 65536.0 - 0.5) * 0.1;
      pcm[2 * i + c] = static_cast<std::int16_t>(20000 * (tone * (c ? 0.8 : 1.0) + n));
    }
  }
  auto le = [](std::ofstream& out, std::uint32_t v, int bytes) {
    for (int b = 0; b < bytes; ++b) out.put(static_cast<char>(v >> (8 * b)));
  };
  std::ofstream out(path, std::ios::binary);
  const std::uint32_t data = samples * 4;
  out.write("RIFF", 4);
  le(out, 36 + data, 4);
  out.write("WAVEfmt ", 8);
  le(out, 16, 4);
  le(out, 1, 2);
  le(out, 2, 2);
  le(out, kRate, 4);
  le(out, kRate * 4, 4);
  le(out, 4, 2);
  le(out, 16, 2);
  out.write("data", 4);
  le(out, data, 4);
  out.write(reinterpret_cast<const char*>(pcm.data()), static_cast<std::streamsize>(data));
}

// Runs args[0] (found on PATH) and waits; its exit code, -1 when it could
// not run. quiet: its output goes to /dev/null.
inline int Run(std::vector<std::string> args, bool quiet = false) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (quiet) {
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  }
  pid_t pid = 0;
  const int started = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (started != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace bench

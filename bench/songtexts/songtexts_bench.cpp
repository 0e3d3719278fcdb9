// How long the song texts' ID3v2 fallback takes on large files that a user
// may name .mp3: 200 MB of zeros (a disk image, a video cut short) and a
// song whose tag opens 200 MB. Only the leading tag may be read; a search
// of the whole file took 16.5 s on the first.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "mp3/songtag.h"

namespace {

namespace fs = std::filesystem;

constexpr std::uintmax_t kBytes = 200u << 20;

// An ID3v2.4 tag with one UTF-8 title frame.
std::string TitleTag(const std::string& title) {
  const std::string value = "\x03" + title;
  auto syncSafe = [](std::size_t n) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((n >> (21 - 7 * i)) & 0x7F);
    return s;
  };
  const std::string frame = "TIT2" + syncSafe(value.size()) + std::string(2, '\0') + value;
  return std::string("ID3\x04\x00\x00", 6) + syncSafe(frame.size()) + frame;
}

// A file of kBytes whose first bytes are head and the rest zeros (sparse).
std::string LargeFile(const std::string& name, const std::string& head) {
  const fs::path path = fs::temp_directory_path() / ("tovix-bench-" + name);
  std::ofstream(path, std::ios::binary) << head;
  fs::resize_file(path, kBytes);
  return path.string();
}

void ZerosNamedMp3(benchmark::State& state) {
  const std::string path = LargeFile("zeros.mp3", "");
  for (auto _ : state) benchmark::DoNotOptimize(tovix::ReadID3v2Names(path));
  fs::remove(path);
}
BENCHMARK(ZerosNamedMp3)->Unit(benchmark::kMillisecond);

void LeadingTagBeforeLargeData(benchmark::State& state) {
  const std::string path = LargeFile("tagged.mp3", TitleTag("Lied"));
  for (auto _ : state) {
    const tovix::Id3v2Names names = tovix::ReadID3v2Names(path);
    if (names.title != "Lied") state.SkipWithError("the leading tag was not read");
  }
  fs::remove(path);
}
BENCHMARK(LeadingTagBeforeLargeData)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

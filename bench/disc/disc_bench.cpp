// How fast the CD image is written: a generated CD folder of about 600 MB
// (150 songs of 4 MB, each with a 100 KB .BIN), laid out as Short.bat lays
// it out, against "xorriso -as mkisofs" writing a level-1 image of the same
// folder in the same run. Both read the folder from the page cache after the
// first round; the images go to the same temporary folder.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "disc/disctree.h"
#include "disc/isoimage.h"
#include "platform/filesys.h"
#include "platform/process.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSongs = 150;
constexpr std::size_t kSongBytes = 4'000'000;
constexpr std::size_t kBinBytes = 100'000;

std::string Noise(std::size_t size, std::uint64_t seed) {
  std::string bytes(size, '\0');
  std::uint64_t x = 0x9E3779B97F4A7C15ull ^ seed;
  for (std::size_t i = 0; i < size; ++i) {
    x ^= x << 13;
    x ^= x >> 7;
    x ^= x << 17;
    bytes[i] = static_cast<char>(x >> 56);
  }
  return bytes;
}

// The bench's own folder: the CD folder and the images, removed at the end.
class Scratch {
 public:
  Scratch() {
    const char* tmp = getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tovix-disc-bench-XXXXXX";
    root_ = mkdtemp(pattern.data()) ? pattern : "";
    fs::create_directory(Cd());
    const std::string song = Noise(kSongBytes, 1), bin = Noise(kBinBytes, 2);
    for (int i = 0; i < kSongs; ++i) {
      const std::string stem = Cd() + "/" + static_cast<char>('A' + i % 26) + "rtist " +
                               std::to_string(i) + " - Song " + std::to_string(i);
      // Songs differ in their first bytes, so no two files are alike.
      std::ofstream(stem + ".mp3", std::ios::binary) << std::to_string(i) << song;
      std::ofstream(stem + ".BIN", std::ios::binary) << std::to_string(i) << bin;
    }
  }
  ~Scratch() {
    std::error_code ec;
    if (!root_.empty()) fs::remove_all(root_, ec);
  }
  std::string Cd() const { return root_ + "/cd"; }
  std::string Image(const char* name) const { return root_ + "/" + name; }

 private:
  std::string root_;
};

Scratch& Folder() {
  static Scratch scratch;
  return scratch;
}

std::int64_t FolderBytes() {
  std::int64_t total = 0;
  for (const auto& entry : fs::directory_iterator(Folder().Cd())) total += entry.file_size();
  return total;
}

void BM_TovixImage(benchmark::State& state) {
  const std::string cd = Folder().Cd();
  for (auto _ : state) {
    const tovix::DiscTree tree = tovix::ShortLayoutTree(cd, cd);
    tovix::WriteIsoImage(tree, Folder().Image("tovix.iso"), true);
  }
  state.SetBytesProcessed(state.iterations() * FolderBytes());
}

std::string XorrisoPath() {
  for (const char* dir : {"/usr/bin/", "/usr/local/bin/", "/bin/"})
    if (access((std::string(dir) + "xorriso").c_str(), X_OK) == 0)
      return std::string(dir) + "xorriso";
  return "";
}

void BM_XorrisoMkisofs(benchmark::State& state) {
  const std::string xorriso = XorrisoPath();
  if (xorriso.empty()) {
    state.SkipWithError("xorriso is not installed");
    return;
  }
  for (auto _ : state) {
    tovix::platform::ProcessSpec request;
    request.program = xorriso;
    request.args = {xorriso,      "-as", "mkisofs", "-quiet",
                    "-iso-level", "1",   "-o",      Folder().Image("xorriso.iso"),
                    Folder().Cd()};
    request.in = tovix::platform::StdStream::Null();
    request.out = tovix::platform::StdStream::Null();
    request.err = tovix::platform::StdStream::Null();
    tovix::platform::Process process;
    if (!process.Start(request) || !process.Wait(tovix::platform::kWaitForever) ||
        process.exitCode() != 0) {
      state.SkipWithError("xorriso failed");
      return;
    }
  }
  state.SetBytesProcessed(state.iterations() * FolderBytes());
}

// xorriso first: it meets the folder while the disk still settles from
// making it, which, if anything, favours Tovix's figure less.
BENCHMARK(BM_XorrisoMkisofs)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_TovixImage)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();

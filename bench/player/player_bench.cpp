// Decoding a five-minute song to a wave file: through the decoder library
// (as the recode pass does) against mpg123 -w on the same file, in the same
// run. lame encodes the song once at the start.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "mpegdll.h"
#include "songwave.h"

namespace {

namespace fs = std::filesystem;
using bench::Run;
using bench::WriteSongWave;

constexpr int kSeconds = 300;

struct Data {
  fs::path root;
  std::string mp3, libraryWav, mpg123Wav;

  Data() {
    const char* tmp = std::getenv("TMPDIR");
    root =
        fs::path(tmp && *tmp ? tmp : "/tmp") / ("tovix-bench-player-" + std::to_string(::getpid()));
    fs::create_directories(root);
    mp3 = (root / "song.mp3").string();
    libraryWav = (root / "library.wav").string();
    mpg123Wav = (root / "mpg123.wav").string();
    WriteSongWave(root / "song.wav", kSeconds);
    if (Run({"lame", "--quiet", "-b", "192", (root / "song.wav").string(), mp3}) != 0) {
      std::fprintf(stderr, "lame could not encode the song\n");
      std::exit(1);
    }
  }
  ~Data() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
};

Data& TheData() {
  static Data data;
  return data;
}

struct Library {
  decltype(&::init) init = nullptr;
  decltype(&::Open) Open = nullptr;
  decltype(&::SetOutputDevice) SetOutputDevice = nullptr;
  decltype(&::Play) Play = nullptr;
  decltype(&::GetPlayerMode) GetPlayerMode = nullptr;
  decltype(&::Close) Close = nullptr;
  decltype(&::LastError) LastError = nullptr;
  bool ok = false;

  Library() {
    void* h = dlopen(TOVIX_BENCH_PROGRAM_DIR "libmpegdll.so", RTLD_NOW | RTLD_LOCAL);
    if (!h) return;
    init = reinterpret_cast<decltype(init)>(dlsym(h, "init"));
    Open = reinterpret_cast<decltype(Open)>(dlsym(h, "Open"));
    SetOutputDevice = reinterpret_cast<decltype(SetOutputDevice)>(dlsym(h, "SetOutputDevice"));
    Play = reinterpret_cast<decltype(Play)>(dlsym(h, "Play"));
    GetPlayerMode = reinterpret_cast<decltype(GetPlayerMode)>(dlsym(h, "GetPlayerMode"));
    Close = reinterpret_cast<decltype(Close)>(dlsym(h, "Close"));
    LastError = reinterpret_cast<decltype(LastError)>(dlsym(h, "LastError"));
    ok = init && Open && SetOutputDevice && Play && GetPlayerMode && Close && LastError && init();
  }
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::uintmax_t SizeOf(const std::string& path) {
  std::error_code ec;
  return fs::file_size(path, ec);
}

// What the recode pass does: open, wave-file device, play, poll the mode.
void BM_Library(benchmark::State& state) {
  static Library library;
  const Data& data = TheData();
  if (!library.ok) {
    state.SkipWithError("libmpegdll.so not loadable");
    return;
  }
  for (auto _ : state) {
    std::uint8_t ended = 0;
    library.Open(data.mp3.c_str(), 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                 nullptr);
    library.SetOutputDevice(MPEGDLL_DEVICE_WAVEFILE, data.libraryWav.c_str());
    if (library.Play(0, 0, &ended) != 0) {
      state.SkipWithError("Play failed");
      return;
    }
    while (library.GetPlayerMode() == MPEGDLL_MODE_PLAYING)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (library.LastError() != 0) state.SkipWithError("decoding failed");
    library.Close();
  }
  state.counters["MB"] = static_cast<double>(SizeOf(data.libraryWav)) / 1e6;
}
BENCHMARK(BM_Library)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(7);

void BM_Mpg123(benchmark::State& state) {
  const Data& data = TheData();
  for (auto _ : state) {
    if (Run({"mpg123", "-q", "-w", data.mpg123Wav, data.mp3}) != 0) {
      state.SkipWithError("mpg123 failed");
      return;
    }
  }
  state.counters["MB"] = static_cast<double>(SizeOf(data.mpg123Wav)) / 1e6;
}
BENCHMARK(BM_Mpg123)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(7);

// Keeps the time of every repetition of each benchmark for the ratio of
// the medians at the end.
class Reporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && !run.error_occurred)
        seconds_[run.run_name.function_name].push_back(run.real_accumulated_time / run.iterations);
    ConsoleReporter::ReportRuns(runs);
  }
  double Median(const std::string& name) {
    std::vector<double>& times = seconds_[name];
    if (times.empty()) return 0;
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
  }

 private:
  std::map<std::string, std::vector<double>> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
  // The two take turns, so that a busy machine slows both alike.
  std::vector<char*> args(argv, argv + argc);
  char interleave[] = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, interleave);
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  TheData();
  Reporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double library = reporter.Median("BM_Library");
  const double mpg123 = reporter.Median("BM_Mpg123");
  if (library > 0 && mpg123 > 0) {
    std::printf("five minutes to WAV (medians): library %.0f ms, mpg123 -w %.0f ms\n",
                library * 1000, mpg123 * 1000);
    std::printf("speed of the library / speed of mpg123 -w: %.2f (goal: 0.90 or more)\n",
                mpg123 / library);
  }
  const bool same = ReadAll(TheData().libraryWav) == ReadAll(TheData().mpg123Wav);
  if (!same) std::printf("the two wave files differ\n");
  benchmark::Shutdown();
  return same ? 0 : 1;
}

// The recode pass over 20 songs of 30 s through the shipped Mp3ToMp3.bat,
// against running the batch's own commands (mpg123, then lame) directly on
// the same files, in the same run. The window's pass pauses 1 s after each
// recoded file; its overhead is what it takes beyond the direct run and the
// pauses. Run it alone: it keeps both cores busy for a few minutes.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "lang/sprachen.h"
#include "platform/filesys.h"
#include "platform/process.h"
#include "recode/recodepass.h"

namespace {

namespace fs = std::filesystem;
constexpr int kSongs = 20;
constexpr int kSeconds = 30;
constexpr int kPauseMs = 1000;

bool Run(std::vector<std::string> args) {
  tovix::platform::ProcessSpec request;
  request.program = args[0];
  request.args = args;
  request.in = tovix::platform::StdStream::Null();
  request.out = tovix::platform::StdStream::Null();
  request.err = tovix::platform::StdStream::Null();
  tovix::platform::Process child;
  return child.Start(request) && child.Wait(tovix::platform::kWaitForever) && child.exitCode() == 0;
}

// A 30 s stereo song at 160 kbit/s joint stereo: every one is recoded.
struct Folder {
  std::string root = (fs::temp_directory_path() / "tovix-bench-recode").string();
  std::string src = root + "/src";
  Folder() {
    fs::remove_all(root);
    fs::create_directories(src);
    const int rate = 44100;
    std::string pcm;
    std::mt19937 noise(1);
    for (int i = 0; i < rate * kSeconds; ++i)
      for (double f : {440.0, 554.0}) {
        const auto v = static_cast<std::int16_t>(7000 * std::sin(2 * M_PI * f * i / rate) +
                                                 static_cast<int>(noise() % 3000) - 1500);
        pcm += static_cast<char>(v & 0xFF);
        pcm += static_cast<char>((v >> 8) & 0xFF);
      }
    auto le = [](std::uint32_t n, int bytes) {
      std::string s;
      for (int i = 0; i < bytes; ++i) s += static_cast<char>(n >> (8 * i));
      return s;
    };
    std::ofstream(root + "/song.wav", std::ios::binary)
        << "RIFF" << le(36 + pcm.size(), 4) << "WAVEfmt " << le(16, 4) << le(1, 2) << le(2, 2)
        << le(rate, 4) << le(rate * 4, 4) << le(4, 2) << le(16, 2) << "data" << le(pcm.size(), 4)
        << pcm;
    Run({"/usr/bin/lame", "-S", "-b", "160", "-m", "j", root + "/song.wav", root + "/song.mp3"});
    for (int i = 0; i < kSongs; ++i)
      fs::copy_file(root + "/song.mp3", src + "/Song " + std::to_string(i) + ".mp3");
  }
  ~Folder() { fs::remove_all(root); }
  std::string Fresh(const std::string& name) {
    const std::string dir = root + "/" + name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
  }
};

Folder& Songs() {
  static Folder folder;
  return folder;
}

// CPU seconds of all ended children so far: on a machine shared with other
// work the wall time varies by tens of percent, the work done does not.
double ChildCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

class QuietHost : public tovix::RecodeHost {
 public:
  void Line(const std::string&, int) override {}
  void Stop() override { failed = true; }
  bool failed = false;
};

// What Mp3ToMp3.bat runs, started directly, one file after the other.
void BM_BatchCommandsDirectly(benchmark::State& state) {
  Folder& songs = Songs();
  const std::string out = songs.Fresh("direct");
  const double cpu = ChildCpuSeconds();
  for (auto _ : state)
    for (int i = 0; i < kSongs; ++i) {
      const std::string song = songs.src + "/Song " + std::to_string(i) + ".mp3";
      Run({"/usr/bin/mpg123", "-q", "--stereo", "-w", out + "/.song.wav", song});
      Run({"/usr/bin/lame", "-S", "--noreplaygain", "-b", "128", "--cbr", "-m", "s",
           out + "/.song.wav", out + "/Song " + std::to_string(i) + ".mp3"});
    }
  state.counters["child_cpu_s"] = ChildCpuSeconds() - cpu;
  state.counters["songs/s"] = benchmark::Counter(kSongs, benchmark::Counter::kIsRate);
}

// lame alone on the MP3 files (it keeps a mono song mono, so the batch
// cannot do this); for reference.
void BM_LameOnlyDirectly(benchmark::State& state) {
  Folder& songs = Songs();
  const std::string out = songs.Fresh("lame");
  for (auto _ : state)
    for (int i = 0; i < kSongs; ++i)
      Run({"/usr/bin/lame", "-S", "--noreplaygain", "-b", "128", "--cbr", "-m", "s",
           songs.src + "/Song " + std::to_string(i) + ".mp3",
           out + "/Song " + std::to_string(i) + ".mp3"});
  state.counters["songs/s"] = benchmark::Counter(kSongs, benchmark::Counter::kIsRate);
}

void RunPass(benchmark::State& state, int jobs, bool windowPass) {
  Folder& songs = Songs();
  tovix::ApplyLanguage(0, TOVIX_BENCH_PROGRAM_DIR "tovix.lng");
  // tovix-cmd, which runs the batch files, stands in the program folder.
  tovix::platform::SetProgramDir(TOVIX_BENCH_PROGRAM_DIR);
  const std::string out = songs.Fresh("pass" + std::to_string(jobs));
  const std::string work = songs.Fresh("work" + std::to_string(jobs));
  QuietHost host;
  tovix::RecodeEnv env;
  env.programDir = TOVIX_BENCH_PROGRAM_DIR;
  env.jobs = jobs;
  env.pauseMs = kPauseMs;
  if (!windowPass) {
    env.privateWorkFolders = true;
    env.workRoot = work;
  }
  tovix::RecodeOptions options;
  options.sourceDir = songs.src;
  options.recodeDir = out;
  options.tmpWav = false;
  const std::string start = tovix::platform::CurrentDir();
  const double cpu = ChildCpuSeconds();
  for (auto _ : state) {
    const tovix::RecodeResult result = tovix::RecodePass(host, env).Run(options);
    if (result.recoded != kSongs || result.errors != 0) state.SkipWithError("the pass failed");
  }
  // The window's pass runs its batches from the program folder.
  if (chdir(start.c_str()) != 0) state.SkipWithError("cannot go back");
  state.counters["child_cpu_s"] = ChildCpuSeconds() - cpu;
  state.counters["songs/s"] = benchmark::Counter(kSongs, benchmark::Counter::kIsRate);
  state.counters["pauses_s"] = kSongs * kPauseMs / 1000.0 / jobs;
}

void BM_WindowPass(benchmark::State& state) {
  RunPass(state, 1, true);
}
void BM_CliPass(benchmark::State& state) {
  RunPass(state, static_cast<int>(state.range(0)), false);
}

BENCHMARK(BM_BatchCommandsDirectly)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_LameOnlyDirectly)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_WindowPass)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_CliPass)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

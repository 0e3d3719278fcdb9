// tovix-cli play --wav against mpg123 -w, whole processes as a user runs
// them, over 30 six-second songs that lame makes at the start. The two take
// turns song by song in the same run, with tovix-cli --help beside them for
// the program's own start, which the goal leaves out:
//   (play - help) <= 1.2 x mpg123, summed over the songs, medians of runs.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "songwave.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kSongs = 30;
constexpr int kSeconds = 6;

double Timed(const std::vector<std::string>& args) {
  const auto start = Clock::now();
  const int code = bench::Run(args, true);
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  if (code != 0) {
    std::fprintf(stderr, "failed (exit %d): %s\n", code, args[0].c_str());
    std::exit(1);
  }
  return ms;
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  const char* tmp = std::getenv("TMPDIR");
  const fs::path root =
      fs::path(tmp && *tmp ? tmp : "/tmp") / ("tovix-bench-playcli-" + std::to_string(getpid()));
  fs::create_directories(root);
  bench::WriteSongWave(root / "song.wav", kSeconds);
  // Bit rates and modes vary as in a collection.
  const char* rates[] = {"96", "128", "160", "192", "256"};
  const char* modes[] = {"j", "s", "m"};
  std::vector<std::string> songs;
  for (int i = 0; i < kSongs; ++i) {
    songs.push_back((root / ("song" + std::to_string(i) + ".mp3")).string());
    if (bench::Run({"lame", "--quiet", "-b", rates[i % 5], "-m", modes[i / 5 % 3],
                    (root / "song.wav").string(), songs.back()}) != 0) {
      std::fprintf(stderr, "lame could not encode the songs\n");
      return 1;
    }
  }
  const std::string cli = TOVIX_BENCH_PROGRAM_DIR "tovix-cli";
  const fs::path ours = root / "tovix.wav", theirs = root / "mpg123.wav";

  std::vector<double> play, help, mpg123;
  bool same = true;
  for (int run = 0; run < runs; ++run) {
    double p = 0, h = 0, m = 0;
    for (const std::string& song : songs) {
      fs::remove(ours);
      // Which goes first changes from song to song.
      if ((&song - songs.data() + run) % 2) m += Timed({"mpg123", "-q", "-w", theirs, song});
      p += Timed({cli, "play", song, "--wav", ours});
      h += Timed({cli, "--help"});
      if ((&song - songs.data() + run) % 2 == 0) m += Timed({"mpg123", "-q", "-w", theirs, song});
      if (run == 0) same = same && ReadAll(ours) == ReadAll(theirs);
    }
    std::printf("run %d: play --wav %.0f ms, --help %.0f ms, mpg123 -w %.0f ms\n", run + 1, p, h,
                m);
    play.push_back(p);
    help.push_back(h);
    mpg123.push_back(m);
  }
  std::error_code ec;
  fs::remove_all(root, ec);

  const double p = Median(play), h = Median(help), m = Median(mpg123);
  std::printf(
      "%d songs of %d s, medians of %d runs: play --wav %.0f ms (%.1f a song), "
      "--help %.0f ms (%.1f), mpg123 -w %.0f ms (%.1f)\n",
      kSongs, kSeconds, runs, p, p / kSongs, h, h / kSongs, m, m / kSongs);
  std::printf("(play - help) / mpg123: %.2f (goal: 1.20 or less); play / mpg123: %.2f\n",
              (p - h) / m, p / m);
  if (!same) std::printf("the wave files differ from mpg123's\n");
  return same ? 0 : 1;
}

// How fast the header scan and tag read go over what tovix-scan reads: a
// folder of 2,000 songs and one file with 60 MiB of junk before its first
// frame. Compared with TagLib reading the same facts where it is installed.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "mp3/mpegfile.h"
#include "mp3/scantable.h"
#include "mp3/songtag.h"

#ifdef TOVIX_BENCH_TAGLIB
#include <taglib/id3v1tag.h>
#include <taglib/mpegfile.h>
#endif

namespace {

namespace fs = std::filesystem;

constexpr int kSongs = 2000;
constexpr std::size_t kJunk = 60u << 20;
constexpr std::size_t kJunkFile = 64u << 20;

std::string Frames(int count, std::uint8_t modeByte) {
  std::string frame(417, '\0');
  frame[0] = '\xFF';
  frame[1] = '\xFB';
  frame[2] = '\x90';
  frame[3] = static_cast<char>(modeByte);
  for (std::size_t i = 4; i < frame.size(); ++i) frame[i] = static_cast<char>((i * 37) & 0x7F);
  std::string out;
  for (int i = 0; i < count; ++i) out += frame;
  return out;
}

std::string Tag(int n) {
  std::string tag = "TAG";
  auto field = [&tag](const std::string& text, std::size_t width) {
    std::string f = text.substr(0, width);
    f.resize(width, '\0');
    tag += f;
  };
  field("Title " + std::to_string(n), 30);
  field("Artist " + std::to_string(n % 97), 30);
  field("Album", 30);
  field("2001", 4);
  field("Comment", 30);
  tag[126] = static_cast<char>(n % 20);
  tag += static_cast<char>(n % 148);
  return tag;
}

// Random-looking bytes in which no 0xFF is followed by the rest of a sync
// word, so no header can be found by accident and the search runs through.
std::string Junk(std::size_t size) {
  std::string junk(size, '\0');
  std::uint64_t x = 0x9E3779B97F4A7C15ull;
  for (std::size_t i = 0; i < size; ++i) {
    x ^= x << 13;
    x ^= x >> 7;
    x ^= x << 17;
    junk[i] = static_cast<char>(x >> 56);
  }
  junk[0] = 'J';
  for (std::size_t i = 0; i + 1 < size; ++i)
    if (static_cast<std::uint8_t>(junk[i]) == 0xFF &&
        (static_cast<std::uint8_t>(junk[i + 1]) & 0xE0) == 0xE0)
      junk[i + 1] = static_cast<char>(junk[i + 1] & 0x7F);
  return junk;
}

void Write(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::exit(1);
  }
}

// An ID3v2.3 tag with Latin-1 artist and title, as files bought today
// carry alone.
std::string Id3v2(int n) {
  auto frame = [](const std::string& id, const std::string& text) {
    const std::string value = std::string(1, '\0') + text;
    return id + std::string{0, 0, 0, static_cast<char>(value.size())} + std::string(2, '\0') +
           value;
  };
  const std::string body = frame("TPE1", "Artist " + std::to_string(n % 97)) +
                           frame("TIT2", "Title " + std::to_string(n));
  return std::string("ID3\x03\x00\x00\x00\x00\x00", 9) + static_cast<char>(body.size()) + body;
}

struct Data {
  fs::path root;
  std::vector<std::string> songs;
  std::vector<std::string> v2Songs;  // an ID3v2 tag and no ID3v1 tag
  std::int64_t songBytes = 0;
  std::string junkFile;

  Data() {
    const char* tmp = std::getenv("TMPDIR");
    root =
        fs::path(tmp && *tmp ? tmp : "/tmp") / ("tovix-bench-scan-" + std::to_string(::getpid()));
    fs::create_directories(root / "songs");
    const std::uint8_t modes[] = {0x44, 0x64, 0x04, 0x6C, 0xC4};
    for (int i = 0; i < kSongs; ++i) {
      std::string bytes = Frames(24 + i % 16, modes[i % 5]) + Tag(i);
      fs::path path = root / "songs" / ("Song " + std::to_string(i) + ".mp3");
      Write(path, bytes);
      songs.push_back(path.string());
      songBytes += static_cast<std::int64_t>(bytes.size());
    }
    fs::create_directories(root / "v2");
    for (int i = 0; i < kSongs; ++i) {
      fs::path path = root / "v2" / ("Song " + std::to_string(i) + ".mp3");
      Write(path, Id3v2(i) + Frames(24 + i % 16, 0x44));
      v2Songs.push_back(path.string());
    }
    std::string big = Junk(kJunk);
    big += Frames(static_cast<int>((kJunkFile - kJunk - 128) / 417), 0x44);
    big.resize(kJunkFile - 128, '\0');
    big += Tag(1);
    junkFile = (root / "junk.mp3").string();
    Write(junkFile, big);
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

// Sums the facts tovix-scan prints, so neither side can skip work.
std::int64_t Facts(const tovix::Mp3Info& info) {
  return info.BitRate + info.SampleRate + info.Duration + info.Mode + info.Genre +
         static_cast<std::int64_t>(info.Title.size() + info.Artist.size());
}

// What tovix-scan does per file: both reads over one open file.
std::int64_t ScanOne(const std::string& path) {
  tovix::Mp3Info info;
  std::ostringstream err;
  tovix::ReadScanFacts(path, info, err);
  return Facts(info);
}

// The same through the two file-name functions, as the passes call them.
std::int64_t ReadTwice(const std::string& path) {
  tovix::Mp3Info info;
  tovix::ReadMPEGData(path, info);
  static_cast<tovix::TID3Tag&>(info) = tovix::TID3Tag{};
  tovix::ReadID3Tag(path, info);
  return Facts(info);
}

void SetRates(benchmark::State& state, std::int64_t files, std::int64_t bytes) {
  state.SetItemsProcessed(state.iterations() * files);
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["files/s"] =
      benchmark::Counter(static_cast<double>(files), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["MB/s"] = benchmark::Counter(static_cast<double>(bytes) / 1e6,
                                              benchmark::Counter::kIsIterationInvariantRate);
}

void BM_TovixFolder(benchmark::State& state) {
  Data& data = TheData();
  for (auto _ : state) {
    std::int64_t sum = 0;
    for (const std::string& path : data.songs) sum += ScanOne(path);
    benchmark::DoNotOptimize(sum);
  }
  SetRates(state, kSongs, data.songBytes);
}
BENCHMARK(BM_TovixFolder)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TovixFolderTwoCalls(benchmark::State& state) {
  Data& data = TheData();
  for (auto _ : state) {
    std::int64_t sum = 0;
    for (const std::string& path : data.songs) sum += ReadTwice(path);
    benchmark::DoNotOptimize(sum);
  }
  SetRates(state, kSongs, data.songBytes);
}
BENCHMARK(BM_TovixFolderTwoCalls)->Unit(benchmark::kMillisecond)->UseRealTime();

// The tag read of the song texts, info texts and rename list: ID3v1, and
// for files without one, artist and title from the ID3v2 tag through TagLib.
void SongTags(benchmark::State& state, const std::vector<std::string>& paths, bool useId3v2) {
  for (auto _ : state) {
    std::int64_t sum = 0;
    for (const std::string& path : paths) {
      tovix::TID3Tag tag;
      tovix::ReadSongTag(path, tag, useId3v2);
      sum += static_cast<std::int64_t>(tag.Artist.size() + tag.Title.size());
    }
    if (useId3v2 && sum == 0) state.SkipWithError("no ID3v2 text read");
    benchmark::DoNotOptimize(sum);
  }
  state.counters["files/s"] = benchmark::Counter(static_cast<double>(paths.size()),
                                                 benchmark::Counter::kIsIterationInvariantRate);
}
void BM_SongTagsId3v1(benchmark::State& state) {
  SongTags(state, TheData().songs, true);
}
BENCHMARK(BM_SongTagsId3v1)->Unit(benchmark::kMillisecond)->UseRealTime();
void BM_SongTagsId3v2Only(benchmark::State& state) {
  SongTags(state, TheData().v2Songs, true);
}
BENCHMARK(BM_SongTagsId3v2Only)->Unit(benchmark::kMillisecond)->UseRealTime();
void BM_SongTagsId3v2Off(benchmark::State& state) {
  SongTags(state, TheData().v2Songs, false);
}
BENCHMARK(BM_SongTagsId3v2Off)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TovixJunkFile(benchmark::State& state) {
  Data& data = TheData();
  for (auto _ : state) {
    std::int64_t facts = ScanOne(data.junkFile);
    if (facts == 0) state.SkipWithError("no frame found after the junk");
    benchmark::DoNotOptimize(facts);
  }
  SetRates(state, 1, static_cast<std::int64_t>(kJunkFile));
}
BENCHMARK(BM_TovixJunkFile)->Unit(benchmark::kMillisecond)->UseRealTime();

#ifdef TOVIX_BENCH_TAGLIB
std::int64_t TagLibOne(const std::string& path) {
  TagLib::MPEG::File file(path.c_str(), true, TagLib::AudioProperties::Fast);
  std::int64_t sum = 0;
  if (auto* p = file.audioProperties())
    sum += p->bitrate() + p->sampleRate() + p->lengthInSeconds() + p->channels() +
           static_cast<int>(p->channelMode());
  if (auto* tag = file.ID3v1Tag(false))
    sum += tag->genreNumber() + tag->title().size() + tag->artist().size();
  return sum;
}

void BM_TagLibFolder(benchmark::State& state) {
  Data& data = TheData();
  for (auto _ : state) {
    std::int64_t sum = 0;
    for (const std::string& path : data.songs) sum += TagLibOne(path);
    benchmark::DoNotOptimize(sum);
  }
  SetRates(state, kSongs, data.songBytes);
}
BENCHMARK(BM_TagLibFolder)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

// Keeps the time per iteration of each benchmark for the ratio at the end.
class Reporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && !run.error_occurred)
        seconds_[run.run_name.function_name] = run.real_accumulated_time / run.iterations;
    ConsoleReporter::ReportRuns(runs);
  }
  double Seconds(const std::string& name) const {
    auto it = seconds_.find(name);
    return it == seconds_.end() ? 0 : it->second;
  }

 private:
  std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TheData();
  Reporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  double ours = reporter.Seconds("BM_TovixFolder");
  double taglib = reporter.Seconds("BM_TagLibFolder");
  double junk = reporter.Seconds("BM_TovixJunkFile");
  if (junk > 0) std::printf("junk file: %.2f GB/s\n", kJunkFile / junk / 1e9);
  if (ours > 0) std::printf("folder: %.0f files/s\n", kSongs / ours);
  if (ours > 0 && taglib > 0)
    std::printf("folder, TagLib time / Tovix time: %.2f (TagLib %.0f files/s)\n", taglib / ours,
                kSongs / taglib);
  benchmark::Shutdown();
  return 0;
}

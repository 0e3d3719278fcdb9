// The load test: each pass, as a whole tovix-cli or tovix-scan process,
// over a folder of small MP3 files (10,000 by default), with its wall time
// and peak memory; and the longest pause between two moments the window
// could handle its messages during the rename list and the BIN run, both
// run in this process as the window runs them.
//   bench/bench_load [SONGS] [BIN_SONGS] [SHEET_SONGS]
// BIN_SONGS (default 300) limits the BIN run, whose every song is an MPEG-2
// encode; the other passes take all songs. The TV sheet is made over
// SHEET_SONGS songs (default 1,000), each with a .BIN of the BIN run.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <QGuiApplication>
#include <iostream>

#include "console.h"
#include "lang/sprachen.h"
#include "mp3/mpegfile.h"
#include "offscreenpictures.h"
#include "picture/binrun.h"
#include "platform/filesys.h"
#include "rename/renamelist.h"
#include "settings/settings.h"
#include "workfolder.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Measured {
  double seconds = 0;
  long peakMb = 0;
  int status = -1;
};

Measured RunProcess(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/tmp/tovix-load.err", O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  const auto start = Clock::now();
  pid_t pid = -1;
  Measured m;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) return m;
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  m.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  m.peakMb = usage.ru_maxrss / 1024;
  m.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return m;
}

// Times between calls, the longest kept.
class Pauses {
 public:
  void Tick() {
    const auto now = Clock::now();
    ++ticks_;
    if (last_ && now - *last_ > longest_) {
      longest_ = now - *last_;
      longestAt_ = ticks_;
    }
    last_ = now;
  }
  double LongestMs() const { return std::chrono::duration<double, std::milli>(longest_).count(); }
  // Which tick ended the longest pause, of how many.
  long LongestAt() const { return longestAt_; }
  long Ticks() const { return ticks_; }

 private:
  std::optional<Clock::time_point> last_;
  Clock::duration longest_{};
  long ticks_ = 0, longestAt_ = 0;
};

class RenameWatch : public tovix::PassReport {
 public:
  void Line(const std::string&, int) override {}
  void Progress(std::int64_t, std::int64_t) override { pauses.Tick(); }
  Pauses pauses;
};

// The pictures as tovix-cli makes them, the longest one kept: a long
// pause is either a picture or a batch's start.
class TimedPictures : public tovix::BinPictureMaker {
 public:
  explicit TimedPictures(tovix::BinPictureMaker& inner) : inner_(inner) {}
  void MakeTestPicture(const std::string& title, const std::string& bmpName) override {
    inner_.MakeTestPicture(title, bmpName);
  }
  std::string MakeSongPicture(const tovix::SongPictureJob& job) override {
    const auto start = Clock::now();
    std::string base = inner_.MakeSongPicture(job);
    longestMs = std::max(longestMs,
                         std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    return base;
  }
  double longestMs = 0;

 private:
  tovix::BinPictureMaker& inner_;
};

// The BIN run's host in the window: messages run where it lets them.
class BinWatch : public tovix::BinRunHost {
 public:
  void Line(const std::string&, int) override {}
  void ErrorBox(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  void ProcessMessages() override {
    pauses.Tick();
    QCoreApplication::processEvents();
  }
  Pauses pauses;
};

bool MakeSongs(const fs::path& folder, int count) {
  const fs::path raw = folder / "tone.raw", mp3 = folder / "tone.mp3";
  {
    std::FILE* f = std::fopen(raw.c_str(), "wb");
    if (!f) return false;
    std::vector<char> silence(44100 * 2 / 2, 0);  // half a second, mono
    std::fwrite(silence.data(), 1, silence.size(), f);
    std::fclose(f);
  }
  const std::string lame = "lame --quiet -r -s 44.1 -m m --bitwidth 16 -b 32 '" + raw.string() +
                           "' '" + mp3.string() + "'";
  if (std::system(lame.c_str()) != 0) return false;
  fs::create_directories(folder / "mp3");
  for (int i = 1; i <= count; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "song_%05d.mp3", i);
    const fs::path song = folder / "mp3" / name;
    fs::copy_file(mp3, song);
    tovix::TID3Tag tag;
    tag.Artist = "Artist " + std::to_string(i % 300);
    tag.Title = "Title " + std::to_string(i);
    tovix::WriteID3Tag(song.string(), tag);
  }
  return true;
}

bool MakeCompanions(const fs::path& songs, const fs::path& bins) {
  for (const auto& e : fs::directory_iterator(songs)) {
    const std::string stem = e.path().stem().string();
    std::string upper = stem;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const fs::path& name : {bins / (upper + ".BIN"), bins / (stem + ".jpg")}) {
      std::FILE* f = std::fopen(name.c_str(), "wb");
      if (!f) return false;
      const bool written = std::fputs("companion", f) >= 0;
      if (std::fclose(f) != 0 || !written) return false;
    }
  }
  return true;
}

void Report(const char* pass, int files, const Measured& m) {
  std::printf("%-22s %6d files  %8.2f s  %5ld MB peak  exit %d\n", pass, files, m.seconds, m.peakMb,
              m.status);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const int songs = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int binSongs = argc > 2 ? std::atoi(argv[2]) : 300;
  const int sheetSongs = argc > 3 ? std::atoi(argv[3]) : 1000;
  const fs::path dir = fs::temp_directory_path() / ("tovix-load-" + std::to_string(getpid()));
  fs::create_directories(dir / "bin");
  if (!MakeSongs(dir, songs)) {
    std::fprintf(stderr, "lame failed\n");
    return 1;
  }
  const std::string programs = TOVIX_BENCH_PROGRAM_DIR;
  const std::string cli = programs + "tovix-cli";
  const std::string ini = (dir / "tovix.ini").string();
  std::FILE* f = std::fopen(ini.c_str(), "wb");
  std::fprintf(f, "[Tovix]\r\nmp3dir=%s\r\nbindir=%s\r\nSaveTag=0\r\n", (dir / "mp3").c_str(),
               (dir / "bin").c_str());
  std::fclose(f);
  const std::string list = (dir / "list.txt").string();
  auto with = [&](std::vector<std::string> a) {
    a.insert(a.begin(), {cli, "--ini", ini});
    return a;
  };

  Report("tovix-scan", songs, RunProcess({programs + "tovix-scan", (dir / "mp3").string()}));
  Report("scan", songs, RunProcess(with({"scan", (dir / "mp3").string()})));
  Report("texts", songs, RunProcess(with({"texts"})));
  Report("rename --plan", songs, RunProcess(with({"rename", "--plan", list})));
  // Each song's picture and JPEG copy beside the text just written: the
  // apply renames four files a song, its undo list four more.
  if (!MakeCompanions(dir / "mp3", dir / "bin")) return 1;
  Report("rename --apply", songs, RunProcess(with({"rename", "--apply", list})));
  Report("rename --apply .undo", songs, RunProcess(with({"rename", "--apply", list + ".undo"})));
  Report("rename --apply", songs, RunProcess(with({"rename", "--apply", list})));
  Report("cdbatch", songs, RunProcess(with({"cdbatch"})));

  // The window's view of the rename list: the pass in this process, its
  // progress calls being where the page lets messages run.
  {
    RenameWatch build, apply;
    build.pauses.Tick();
    const auto lines = tovix::BuildRenameList((dir / "mp3").string(), {}, &build);
    build.pauses.Tick();
    apply.pauses.Tick();
    tovix::ApplyRenameList((dir / "mp3").string(), lines, {}, &apply, {});
    apply.pauses.Tick();
    std::printf(
        "rename list (in process): longest pause between messages %.1f ms building, "
        "%.1f ms applying\n",
        build.pauses.LongestMs(), apply.pauses.LongestMs());
  }

  // The BIN run over the first binSongs songs, in a folder of its own.
  fs::create_directories(dir / "binsongs");
  int moved = 0;
  for (const auto& e : fs::directory_iterator(dir / "mp3")) {
    if (e.path().extension() != ".mp3") continue;  // the CD batch pair stays
    if (moved++ >= binSongs) break;
    fs::rename(e.path(), dir / "binsongs" / e.path().filename());
  }
  Report("bins", binSongs,
         RunProcess(with({"--set", "mp3dir=" + (dir / "binsongs").string(), "bins"})));

  // The same BIN run in this process, as the window runs it, replacing
  // the .BIN files just made.
  {
    tovix::platform::SetProgramDir(programs);
    tovix::ApplyLanguage(0, programs + "tovix.lng");
    tovix::cli::PutProgramFolderOnPath();
    tovix::Settings settings;
    tovix::cli::Console console(std::cout, std::cerr, false);
    tovix::SongPictureMaker pictures = tovix::cli::ConsolePictureMaker(settings, console);
    BinWatch watch;
    tovix::BinRunOptions options;
    options.sourceDir = (dir / "binsongs").string();
    options.targetDir = (dir / "bin").string();
    options.replaceBin = true;
    tovix::cli::WorkFolder work;
    // The window has drawn its preview before Start is pressed.
    pictures.MakeTestPicture("warm", "warm.bmp");
    tovix::platform::RemoveFile("warm.bmp");
    TimedPictures timed(pictures);
    tovix::BinRun run(timed, watch);
    watch.pauses.Tick();
    const int made = run.Run(options);
    watch.pauses.Tick();
    std::printf(
        "BIN run (in process, %d .BIN, %d failed): longest pause between messages %.1f ms "
        "(pause %ld of %ld)\n",
        made, run.Failures(), watch.pauses.LongestMs(), watch.pauses.LongestAt(),
        watch.pauses.Ticks());
    auto perSong = [&](std::chrono::nanoseconds t) {
      return std::chrono::duration<double, std::milli>(t).count() / std::max(made, 1);
    };
    std::printf(
        "  per song: picture %.1f ms (longest %.1f ms), batch %.1f ms, waiting for its end "
        "%.1f ms\n",
        perSong(run.Times().pictures), timed.longestMs, perSong(run.Times().batch),
        perSong(run.Times().wait));
  }

  // The TV sheet over sheetSongs songs, each with one of the pictures made.
  {
    const fs::path sheet = dir / "sheet";
    fs::create_directories(sheet);
    std::vector<fs::path> bins;
    for (const auto& e : fs::directory_iterator(dir / "bin")) bins.push_back(e.path());
    int placed = 0;
    for (const auto& e : fs::directory_iterator(dir / "mp3")) {
      if (bins.empty() || placed >= sheetSongs) break;
      if (e.path().extension() != ".mp3") continue;
      fs::copy_file(e.path(), sheet / e.path().filename());
      fs::copy_file(bins[static_cast<std::size_t>(placed) % bins.size()],
                    sheet / e.path().filename().replace_extension(".BIN"));
      ++placed;
    }
    Report("sheet", placed,
           RunProcess(with({"--set", "mp3dir=" + sheet.string(), "--set",
                            "bindir=" + sheet.string(), "sheet", (dir / "tv.png").string()})));
  }
  fs::remove_all(dir);
  return 0;
}

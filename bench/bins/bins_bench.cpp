// The whole BIN run over 50 songs through the real tovix-cmd, mklogo and
// c2bin: songs per second and where the time goes.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

#include "lang/sprachen.h"
#include "mp3/mpegfile.h"
#include "picture/binrun.h"
#include "picture/bitmap.h"
#include "picture/picturebackground.h"
#include "picture/songpicturemaker.h"
#include "platform/filesys.h"
#include "settings/settings.h"

namespace {

constexpr int kSongs = 50;

class QuietHost : public tovix::BinRunHost {
 public:
  void Line(const std::string&, int) override {}
  void ErrorBox(const std::string& text) override { errors += text + "\n"; }
  void ProcessMessages() override { QCoreApplication::processEvents(); }
  std::string errors;
};

// A photo-like background: smooth gradients with some texture.
tovix::Bitmap Background() {
  tovix::Bitmap bitmap = tovix::MakeBitmap(704, 480);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 704; ++x) {
      auto* p = bitmap.pixels.data() + (static_cast<std::size_t>(y) * 704 + x) * 3;
      p[0] = static_cast<std::uint8_t>(128 + 100 * std::sin(x * 0.013) * std::cos(y * 0.011));
      p[1] = static_cast<std::uint8_t>((x * 255) / 704);
      p[2] = static_cast<std::uint8_t>((y * 255) / 480 ^ (x & 15));
    }
  return bitmap;
}

// One second of silence from lame, copied under 50 names with their tags.
bool MakeSongs(const QString& folder) {
  const QString raw = folder + "/tone.raw", mp3 = folder + "/tone.mp3";
  QFile pcm(raw);
  if (!pcm.open(QIODevice::WriteOnly)) return false;
  pcm.write(QByteArray(44100 * 4, '\0'));
  pcm.close();
  if (QProcess::execute("lame", {"--quiet", "-r", "-s", "44.1", "-b", "128", raw, mp3}) != 0)
    return false;
  for (int i = 1; i <= kSongs; ++i) {
    const QString name = folder + QString("/mp3/Song %1.mp3").arg(i, 2, 10, QChar('0'));
    if (!QFile::copy(mp3, name)) return false;
    tovix::TID3Tag tag;
    tag.Artist = "Artist " + std::to_string(i);
    tag.Title = "Title number " + std::to_string(i);
    tovix::WriteID3Tag(name.toStdString(), tag);
  }
  return true;
}

void BM_BinRun(benchmark::State& state) {
  QTemporaryDir dir;
  const QString folder = dir.path();
  QDir(folder).mkpath("mp3");
  QDir(folder).mkpath("bin");
  QDir(folder).mkpath("work");
  if (!MakeSongs(folder)) {
    state.SkipWithError("lame failed");
    return;
  }
  tovix::WriteBmpFile(folder.toStdString() + "/back.bmp", Background());

  tovix::platform::SetProgramDir(TOVIX_BENCH_PROGRAM_DIR);
  qputenv("PATH", QByteArray(TOVIX_BENCH_PROGRAM_DIR) + ":" + qgetenv("PATH"));
  const QString before = QDir::currentPath();
  QDir::setCurrent(folder + "/work");

  tovix::Settings settings;
  settings.BitmapFile = folder.toStdString() + "/back.bmp";
  tovix::SongPictureMaker pictures(tovix::LayoutFromSettings(settings),
                                   tovix::RunBackground(settings.BitmapFile));
  QuietHost host;
  tovix::BinRunOptions options;
  options.sourceDir = folder.toStdString() + "/mp3";
  options.targetDir = folder.toStdString() + "/bin";
  options.replaceBin = true;

  tovix::BinRunTimes total;
  int songs = 0;
  for (auto _ : state) {
    tovix::BinRun run(pictures, host);
    songs += run.Run(options);
    total.pictures += run.Times().pictures;
    total.batch += run.Times().batch;
    total.wait += run.Times().wait;
  }
  QDir::setCurrent(before);
  if (!host.errors.empty()) state.SkipWithError(host.errors.c_str());
  auto perSong = [&](std::chrono::nanoseconds t) {
    return std::chrono::duration<double, std::milli>(t).count() / std::max(songs, 1);
  };
  state.counters["songs/s"] = benchmark::Counter(songs, benchmark::Counter::kIsRate);
  state.counters["picture_ms"] = perSong(total.pictures);
  state.counters["batch_ms"] = perSong(total.batch);
  state.counters["wait_ms"] = perSong(total.wait);
}

BENCHMARK(BM_BinRun)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QGuiApplication app(argc, argv);
  tovix::ApplyLanguage(0, TOVIX_BENCH_PROGRAM_DIR "tovix.lng");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

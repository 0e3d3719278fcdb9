// Song pictures per second as every caller makes them (painted, then saved),
// off-screen, with and without the JPEG copy.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cmath>

#include "picture/bitmap.h"
#include "picture/layout.h"
#include "picture/picturebackground.h"
#include "picture/songpainter.h"
#include "picture/songpicturemaker.h"

namespace {

// A photo-like background: smooth gradients with some texture.
tovix::Bitmap Background(int width, int height) {
  tovix::Bitmap bitmap = tovix::MakeBitmap(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      auto* p = bitmap.pixels.data() + (static_cast<std::size_t>(y) * width + x) * 3;
      p[0] = static_cast<std::uint8_t>(128 + 100 * std::sin(x * 0.013) * std::cos(y * 0.011));
      p[1] = static_cast<std::uint8_t>((x * 255) / width);
      p[2] = static_cast<std::uint8_t>((y * 255) / height ^ (x & 15));
    }
  return bitmap;
}

void SongPictures(benchmark::State& state, bool jpeg) {
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString();
  tovix::WriteBmpFile(folder + "/back.bmp", Background(800, 600));

  tovix::PictureLayout layout;
  layout.scaleMode = tovix::picture::kModeScale;
  const QImage background = tovix::ReadBackgroundPicture(folder + "/back.bmp");
  const tovix::SongTexts texts{"Die Band ", "Das Lied ", "128 kBit | 44100 Hz ", "00:03:25 ",
                               "LAME 3.100 "};

  int k = 0;
  for (auto _ : state) {
    const QImage picture = tovix::PaintSongPicture(layout, background, tovix::LabelTexts(texts));
    tovix::SaveSongPicture(picture, folder + "/BM" + std::to_string(++k % 8) + ".BMP",
                           folder + "/SONG.JPG", jpeg, true);
  }
  state.counters["pictures/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_SongPicture(benchmark::State& state) {
  SongPictures(state, false);
}
void BM_SongPictureWithJpeg(benchmark::State& state) {
  SongPictures(state, true);
}

BENCHMARK(BM_SongPicture)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SongPictureWithJpeg)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

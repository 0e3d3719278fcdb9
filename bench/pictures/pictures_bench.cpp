// Song pictures per second through SaveSongPicture, off-screen, with and
// without the JPEG copy.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cmath>

#include "app/pages/previewpage.h"
#include "picture/bitmap.h"

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

  tovix::PreviewPage page;
  page.SetBitmapFile(folder + "/back.bmp");
  page.LoadBackgroundPicture(folder + "/back.bmp");
  page.SetSongTexts("Die Band ", "Das Lied ", "128 kBit | 44100 Hz ", "LAME 3.100 ", "00:03:25 ");
  page.scaleBackground();
  page.SetLayoutControlsVisible(false);

  int k = 0;
  for (auto _ : state) {
    page.showSong(false);
    page.SaveSongPicture(folder + "/BM" + std::to_string(++k % 8) + ".BMP", folder + "/SONG.JPG",
                         jpeg, true);
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
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// duration_check FILE...: the running time Tovix reads from each MP3 file
// against the samples libmpg123 decodes from it (and TagLib's accurate
// reading, where built with it), with the share of files within 1 s.
#include <mpg123.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "mp3/mpegfile.h"

#ifdef TOVIX_BENCH_TAGLIB
#include <taglib/mpegfile.h>
#endif

namespace {

// Decoded seconds, or -1 when libmpg123 cannot open the file.
double DecodedSeconds(const std::string& path) {
  mpg123_handle* h = mpg123_new(nullptr, nullptr);
  if (!h) return -1;
  if (mpg123_open(h, path.c_str()) != MPG123_OK) {
    mpg123_delete(h);
    return -1;
  }
  long rate = 0;
  int channels = 0, encoding = 0;
  long long samples = 0;
  std::vector<unsigned char> buf(1 << 16);
  for (;;) {
    std::size_t got = 0;
    const int rc = mpg123_read(h, buf.data(), buf.size(), &got);
    if (rc == MPG123_NEW_FORMAT || rate == 0) mpg123_getformat(h, &rate, &channels, &encoding);
    if (channels > 0)
      samples += static_cast<long long>(got) / (channels * mpg123_encsize(encoding));
    if (rc != MPG123_OK && rc != MPG123_NEW_FORMAT) break;
  }
  mpg123_close(h);
  mpg123_delete(h);
  return rate > 0 ? static_cast<double>(samples) / rate : -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: duration_check FILE...\n", stderr);
    return 2;
  }
  int counted = 0, tovixNear = 0, taglibNear = 0;
  std::printf("decoded\ttovix\tkbit\ttaglib\tfile\n");
  for (int i = 1; i < argc; ++i) {
    const double real = DecodedSeconds(argv[i]);
    if (real < 1) continue;  // what the decoder cannot play says nothing
    tovix::TMPEGData data;
    tovix::ReadMPEGData(argv[i], data);
    double taglib = -1;
#ifdef TOVIX_BENCH_TAGLIB
    TagLib::MPEG::File file(argv[i], true, TagLib::AudioProperties::Accurate);
    if (file.audioProperties()) taglib = file.audioProperties()->lengthInMilliseconds() / 1000.0;
#endif
    ++counted;
    tovixNear += std::fabs(data.Duration - real) < 1;
    taglibNear += taglib >= 0 && std::fabs(taglib - real) < 1;
    std::printf("%.3f\t%u\t%d\t%.3f\t%s\n", real, data.Duration, data.BitRate, taglib, argv[i]);
  }
  if (counted == 0) return 1;
  std::printf("within 1 s of the decoded audio: Tovix %d of %d (%.0f %%)", tovixNear, counted,
              100.0 * tovixNear / counted);
#ifdef TOVIX_BENCH_TAGLIB
  std::printf(", TagLib accurate %d (%.0f %%)", taglibNear, 100.0 * taglibNear / counted);
#endif
  std::printf("\n");
  return 0;
}

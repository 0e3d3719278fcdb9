#include "sink.h"

#include <out123.h>
#include <sys/stat.h>

#include <cstdlib>

namespace mpegdll {
namespace {

// The header libout123's wav writer puts before 16-bit PCM in one or two
// channels.
constexpr std::uint64_t kWaveHeader = 44;
// libout123's own order of sound outputs without its last two. On a machine
// without a sound device NAS takes seconds to give up, and OpenAL opens all
// the same and then waits for ever for its queue to drain.
constexpr const char* kSoundModules = "pulse,alsa,oss,jack,portaudio";
// PCM gathered for one write to a wave file.
constexpr std::size_t kFileChunk = 256 * 1024;

}  // namespace

Sink::~Sink() {
  Finish(false);
}

std::unique_ptr<Sink> Sink::Open(int device, const std::string& nativeFile, long rate, int channels,
                                 Error& error) {
  error = Error::Device;
  std::unique_ptr<Sink> sink(new Sink);
  sink->ao_ = out123_new();
  if (!sink->ao_) {
    error = Error::Internal;
    return nullptr;
  }
  out123_param_int(sink->ao_, OUT123_FLAGS, OUT123_QUIET);
  int opened = OUT123_ERR;
  if (device == 0) {
    sink->live_ = true;
    const char* module = std::getenv("TOVIX_AUDIO_OUT");
    opened = out123_open(sink->ao_, module && *module ? module : kSoundModules, nullptr);
  } else if (device == 2 && !nativeFile.empty()) {
    // The wav writer takes "-" for standard output; a file of that name is
    // meant here.
    sink->file_ = nativeFile == "-" ? "./-" : nativeFile;
    opened = out123_open(sink->ao_, "wav", sink->file_.c_str());
    sink->pending_.reserve(kFileChunk);
  }
  if (opened != OUT123_OK) return nullptr;
  if (out123_start(sink->ao_, rate, channels, MPG123_ENC_SIGNED_16) != OUT123_OK) return nullptr;
  error = Error::None;
  return sink;
}

bool Sink::Write(unsigned char* data, std::size_t bytes) {
  if (!ao_) return false;
  if (live_) return Play(data, bytes);
  // A file takes the PCM in large pieces: one write call where frame by
  // frame would take dozens.
  if (pending_.size() + bytes > kFileChunk && !Flush()) return false;
  if (bytes >= kFileChunk) return Play(data, bytes);
  pending_.insert(pending_.end(), data, data + bytes);
  return true;
}

bool Sink::Play(unsigned char* data, std::size_t bytes) {
  // libout123 may take a large piece in several bites; none at all is a
  // failure.
  while (bytes > 0) {
    std::size_t played = out123_play(ao_, data, bytes);
    if (played == 0 || played > bytes) return false;
    written_ += played;
    data += played;
    bytes -= played;
  }
  return true;
}

bool Sink::Flush() {
  bool ok = pending_.empty() || Play(pending_.data(), pending_.size());
  pending_.clear();
  return ok;
}

void Sink::Drop() {
  if (ao_) out123_drop(ao_);
}

bool Sink::Finish(bool played) {
  if (!ao_) return true;
  bool flushed = Flush();
  if (!played) out123_drop(ao_);
  out123_del(ao_);  // drains, closes and completes the wave header
  ao_ = nullptr;
  if (live_) return true;
  // The writer reports no failure while flushing or fixing the header: the
  // size on disk tells.
  struct stat st;
  return flushed && stat(file_.c_str(), &st) == 0 &&
         static_cast<std::uint64_t>(st.st_size) == kWaveHeader + written_;
}

}  // namespace mpegdll

#include "source.h"

#include <fcntl.h>
#include <mpg123.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <limits>

namespace mpegdll {
namespace {

// Samples decoded and dropped before a sought position.
constexpr std::int64_t kRunIn = 8 * 1152;

mpg123_ssize_t ReadThunk(void* self, void* buffer, size_t count) {
  return static_cast<Source*>(self)->ReadBytes(buffer, count);
}

off_t SeekThunk(void* self, off_t offset, int whence) {
  return static_cast<off_t>(static_cast<Source*>(self)->SeekBytes(offset, whence));
}

mpg123_handle* NewHandle(bool nonseekable) {
  int err = MPG123_OK;
  mpg123_handle* mh = mpg123_new(nullptr, &err);
  if (!mh) return nullptr;
  // 16-bit signed PCM at the stream's own rate and channel count, with
  // gapless trimming: what mpg123 -w writes.
  mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0.0);
  if (nonseekable) mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_NO_PEEK_END, 0.0);
  mpg123_format_none(mh);
  const long* rates = nullptr;
  size_t count = 0;
  mpg123_rates(&rates, &count);
  for (size_t i = 0; i < count; ++i)
    mpg123_format(mh, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
  return mh;
}

}  // namespace

Source::~Source() {
  if (mh_) {
    mpg123_close(mh_);
    mpg123_delete(mh_);
  }
  if (fd_ >= 0) ::close(fd_);
  if (streamOpen_ && callbacks_.close) callbacks_.close(callbacks_.player, stream_);
}

std::unique_ptr<Source> Source::OpenFile(const std::string& nativeName, Error& error) {
  std::unique_ptr<Source> source(new Source);
  error = Error::Stream;
  // Non-blocking so that a FIFO cannot hold the caller; only plain files
  // are played.
  source->fd_ = ::open(nativeName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (source->fd_ < 0) return nullptr;
  struct stat st;
  if (fstat(source->fd_, &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
  int flags = fcntl(source->fd_, F_GETFL);
  if (flags < 0 || fcntl(source->fd_, F_SETFL, flags & ~O_NONBLOCK) != 0) return nullptr;
  error = source->Reopen();
  if (error != Error::None) return nullptr;
  return source;
}

std::unique_ptr<Source> Source::OpenStream(const StreamCallbacks& callbacks, Error& error) {
  std::unique_ptr<Source> source(new Source);
  source->fromStream_ = true;
  source->callbacks_ = callbacks;
  error = Error::Stream;
  if (!callbacks.open || !callbacks.read) return nullptr;
  std::uint8_t nonseekable = 0;
  callbacks.open(callbacks.player, &nonseekable, &source->stream_);
  source->streamOpen_ = true;
  source->nonseekable_ = nonseekable != 0 || !callbacks.seek;
  if (callbacks.size) {
    std::int32_t size = -1;
    callbacks.size(callbacks.player, source->stream_, &size);
    source->streamSize_ = size;
  }
  error = source->Reopen();
  if (error != Error::None) return nullptr;
  return source;
}

Error Source::Reopen() {
  if (mh_) {
    mpg123_close(mh_);
    mpg123_delete(mh_);
  }
  mh_ = NewHandle(nonseekable_);
  if (!mh_) return Error::Internal;
  if (!fromStream_) {
    if (mpg123_open_fd(mh_, fd_) != MPG123_OK) return Error::Stream;
    return Start();
  }
  if (mpg123_replace_reader_handle(mh_, ReadThunk, SeekThunk, nullptr) != MPG123_OK)
    return Error::Internal;
  if (mpg123_open_handle(mh_, this) != MPG123_OK) return Error::Stream;
  // Without seeking, libmpg123 cannot find the size itself; it guesses the
  // length from it.
  if (nonseekable_ && streamSize_ > 0) mpg123_set_filesize(mh_, streamSize_);
  return Start();
}

Error Source::Start() {
  long rate = 0;
  int channels = 0, encoding = 0;
  if (mpg123_getformat(mh_, &rate, &channels, &encoding) != MPG123_OK) return Error::Stream;
  if (rate <= 0 || channels < 1 || channels > 2) return Error::Stream;
  facts_.rate = rate;
  facts_.channels = channels;
  // The whole stream comes out in the format of its first frame: a later
  // change of rate or channels (songs joined into one file) is resampled and
  // mixed by libmpg123, so one output and one wave file take all of it.
  mpg123_format_none(mh_);
  mpg123_format(mh_, rate, channels == 1 ? MPG123_MONO : MPG123_STEREO, MPG123_ENC_SIGNED_16);
  mpg123_frameinfo info{};
  if (mpg123_info(mh_, &info) == MPG123_OK) {
    facts_.bitrate = info.bitrate;
    facts_.layer = info.layer;
  }
  off_t length = mpg123_length(mh_);
  facts_.lengthSamples = length > 0 ? length : 0;
  facts_.seekable = !nonseekable_;
  position_ = 0;
  skip_ = 0;
  atStart_ = true;
  return Error::None;
}

Error Source::MoveTo(std::int64_t sample) {
  if (sample == 0 && atStart_) return Error::None;
  if (sample == 0) {
    // Read afresh rather than sought: a new decoder starts from the state
    // the first one had, so playing again gives the same PCM.
    if (!fromStream_) {
      if (lseek(fd_, 0, SEEK_SET) != 0) return Error::Stream;
    } else if (nonseekable_ || SeekBytes(0, SEEK_SET) != 0) {
      // The stream's own rewind, also for one that said it could seek and
      // then could not.
      std::uint8_t ok = 0;
      if (callbacks_.restart) callbacks_.restart(callbacks_.player, stream_, &ok);
      if (!ok) return Error::NotSeekable;
    }
    return Reopen();
  }
  if (nonseekable_) return Error::NotSeekable;
  // A seek lands with the decoder's overlap and bit reservoir empty; a few
  // frames decoded before the target and dropped give the very samples a
  // decode from the start gives.
  off_t reached =
      mpg123_seek(mh_, static_cast<off_t>(std::max<std::int64_t>(sample - kRunIn, 0)), SEEK_SET);
  if (reached < 0) return Error::Stream;
  position_ = reached;
  skip_ = sample - reached;
  atStart_ = false;
  return Error::None;
}

Source::Step Source::Decode(unsigned char*& data, std::size_t& bytes) {
  off_t frame = 0;
  data = nullptr;
  bytes = 0;
  int rc = mpg123_decode_frame(mh_, &frame, &data, &bytes);
  const bool decodedBefore = !atStart_ || position_ > 0;
  atStart_ = false;
  if (rc == MPG123_NEW_FORMAT) {
    // Only the format of the first frame is allowed (Start), so this is it.
    long rate = 0;
    int channels = 0, encoding = 0;
    mpg123_getformat(mh_, &rate, &channels, &encoding);
    if (rate != facts_.rate || channels != facts_.channels) return Step::Failed;
    rc = MPG123_OK;
  }
  if (rc == MPG123_DONE) return Step::End;
  if (rc != MPG123_OK) return AfterFailure(decodedBefore);
  const std::size_t frameBytes = 2 * static_cast<std::size_t>(facts_.channels);
  if (skip_ > 0) {
    std::int64_t drop =
        std::min<std::int64_t>(skip_, static_cast<std::int64_t>(bytes / frameBytes));
    skip_ -= drop;
    position_ += drop;
    data += drop * frameBytes;
    bytes -= drop * frameBytes;
  }
  position_ += static_cast<std::int64_t>(bytes / frameBytes);
  return Step::Audio;
}

Source::Step Source::AfterFailure(bool decodedBefore) const {
  // Data that is no MPEG audio after the last frame that decoded (a cut or
  // damaged last frame, junk behind it) ends the stream as mpg123 -w ends
  // it: the audio is all there. A failing read stays a failure.
  const int code = mpg123_errcode(mh_);
  const bool badData = code != MPG123_ERR_READER && code != MPG123_OUT_OF_MEM &&
                       code != MPG123_NO_READER && code != MPG123_BAD_HANDLE;
  return decodedBefore && badData ? Step::End : Step::Failed;
}

long Source::ReadBytes(void* buffer, std::size_t count) {
  const std::size_t limit = std::numeric_limits<std::int32_t>::max();
  std::int32_t want = static_cast<std::int32_t>(count < limit ? count : limit);
  std::int32_t got = 0;
  std::uint8_t ok = 0;
  callbacks_.read(callbacks_.player, stream_, buffer, want, &got, &ok);
  if (!ok || got < 0 || got > want) return -1;
  return got;
}

std::int64_t Source::SeekBytes(std::int64_t offset, int whence) {
  if (nonseekable_ || offset < std::numeric_limits<std::int32_t>::min() ||
      offset > std::numeric_limits<std::int32_t>::max())
    return -1;
  std::int32_t result = -1;
  callbacks_.seek(callbacks_.player, stream_, static_cast<std::int32_t>(offset), whence, &result);
  return result < 0 ? -1 : result;
}

}  // namespace mpegdll

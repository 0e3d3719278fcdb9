#pragma once
// The MPEG stream being decoded: a file or the caller's six stream
// callbacks, behind one libmpg123 handle that decodes to 16-bit PCM at the
// rate and channels of the stream's first frame, as mpg123 -w does.
#include <cstdint>
#include <memory>
#include <string>

#include "errors.h"
#include "mpegdll.h"

struct mpg123_handle_struct;

namespace mpegdll {

struct StreamCallbacks {
  MpegStreamOpen open = nullptr;
  MpegStreamClose close = nullptr;
  MpegStreamRestart restart = nullptr;
  MpegStreamRead read = nullptr;
  MpegStreamSeek seek = nullptr;
  MpegStreamSize size = nullptr;
  void* player = nullptr;
};

// What the stream says of itself once opened.
struct StreamFacts {
  long rate = 0;
  int channels = 0;
  std::int64_t lengthSamples = 0;  // 0 when unknown
  int bitrate = 0;                 // kbit/s of the first frame
  int layer = 0;
  bool seekable = false;
};

class Source {
 public:
  ~Source();
  Source(const Source&) = delete;
  Source& operator=(const Source&) = delete;

  // nativeName is in the file system's encoding.
  static std::unique_ptr<Source> OpenFile(const std::string& nativeName, Error& error);
  static std::unique_ptr<Source> OpenStream(const StreamCallbacks& callbacks, Error& error);

  const StreamFacts& facts() const { return facts_; }

  // Moves to sample (per channel) from the start: a seek where the stream
  // allows it; back to sample 0 the stream is read afresh (rewound through
  // the restart callback when it cannot seek).
  Error MoveTo(std::int64_t sample);
  // True while nothing has been decoded since opening or moving to 0.
  bool atStart() const { return atStart_; }

  // One decoded frame. data stays valid until the next call.
  enum class Step { Audio, End, Failed };
  Step Decode(unsigned char*& data, std::size_t& bytes);
  // Sample (per channel) that the next decoded byte belongs to.
  std::int64_t position() const { return position_ + skip_; }

  // Through the stream callbacks, for libmpg123's reader: bytes read or -1;
  // the new offset or -1.
  long ReadBytes(void* buffer, std::size_t count);
  std::int64_t SeekBytes(std::int64_t offset, int whence);

 private:
  Source() = default;
  Error Start();  // formats, first frame, facts
  Error Reopen();
  Step AfterFailure(bool decodedBefore) const;

  mpg123_handle_struct* mh_ = nullptr;
  int fd_ = -1;
  StreamCallbacks callbacks_;
  void* stream_ = nullptr;  // the Context the open callback handed back
  bool fromStream_ = false;
  bool streamOpen_ = false;
  bool nonseekable_ = false;
  std::int64_t streamSize_ = -1;
  StreamFacts facts_;
  std::int64_t position_ = 0;
  std::int64_t skip_ = 0;  // samples still to drop after a seek
  bool atStart_ = true;
};

}  // namespace mpegdll

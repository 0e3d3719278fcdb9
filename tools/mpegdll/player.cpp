#include "player.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <limits>
#include <system_error>

#include "platform/codepage.h"
#include "platform/flagwait.h"

namespace mpegdll {
namespace {

using Clock = std::chrono::steady_clock;

// How far the sound output may run ahead of real time: enough to ride out a
// busy machine, small enough that pause and stop are heard at once.
constexpr std::int64_t kLeadMs = 400;

std::int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
      .count();
}

Clock::time_point AtNs(std::int64_t ns) {
  return Clock::time_point(
      std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(ns)));
}

// Windows thread priorities (-15 idle .. 0 normal .. 15 time critical) as a
// change of the nice value.
int NiceChange(int priority) {
  if (priority <= -15) return 19;
  if (priority >= 15) return -20;
  return std::clamp(-5 * priority, -20, 19);
}

std::int64_t MsToSamples(std::int64_t ms, long rate) {
  return ms * rate / 1000;
}

}  // namespace

Player::~Player() {
  Close();
}

std::int32_t Player::ToMs(std::int64_t samples) const {
  if (rate_ <= 0) return 0;
  std::int64_t ms = samples * 1000 / rate_;
  return static_cast<std::int32_t>(
      std::min<std::int64_t>(ms, std::numeric_limits<std::int32_t>::max()));
}

std::int64_t Player::HeardSample() const {
  std::int64_t elapsed = NowNs() - baseNs_.load();
  return elapsed * rate_ / 1000000000;
}

Error Player::Open(const char* name, bool stream, const StreamCallbacks& callbacks) {
  Close();
  std::lock_guard api(api_);
  Error error = Error::Stream;
  if (stream) {
    source_ = Source::OpenStream(callbacks, error);
  } else if (name && *name) {
    source_ = Source::OpenFile(tovix::platform::AnsiToUtf8(name), error);
  }
  if (!source_) return error;
  rate_ = source_->facts().rate;
  shown_ = 0;
  written_ = 0;
  mode_ = MPEGDLL_MODE_STOPPED;
  return Error::None;
}

Error Player::Close() {
  std::lock_guard api(api_);
  EndThread();
  sink_.reset();
  source_.reset();  // calls the stream's close callback
  endByte_ = nullptr;
  rate_ = 0;
  shown_ = 0;
  written_ = 0;
  {
    // A failure belongs to its stream: the next one starts without it.
    std::lock_guard lock(m_);
    failure_ = Error::None;
  }
  mode_ = MPEGDLL_MODE_CLOSED;
  return Error::None;
}

Error Player::SetOutputDevice(std::int32_t device, const char* name) {
  std::lock_guard api(api_);
  int mode = mode_;
  if (mode == MPEGDLL_MODE_PLAYING || mode == MPEGDLL_MODE_PAUSED) return Error::Mode;
  if (device != MPEGDLL_DEVICE_SOUND && device != MPEGDLL_DEVICE_WAVEFILE) return Error::Device;
  if (device == MPEGDLL_DEVICE_WAVEFILE && !(name && *name)) return Error::Device;
  device_ = device;
  deviceFile_ = device == MPEGDLL_DEVICE_WAVEFILE ? tovix::platform::AnsiToUtf8(name) : "";
  return Error::None;
}

Error Player::SetPriority(std::int32_t priority) {
  // The thread picks it up at its next step.
  priority_ = std::clamp(priority, -15, 15);
  return Error::None;
}

Error Player::Play(std::int32_t startMs, std::int32_t endMs, std::uint8_t* endByte) {
  std::lock_guard api(api_);
  if (!source_) return Error::Mode;
  int mode = mode_;
  if (mode == MPEGDLL_MODE_PLAYING || mode == MPEGDLL_MODE_PAUSED) return Error::Mode;
  startMs_ = std::max(startMs, 0);
  endMs_ = std::max(endMs, 0);
  endByte_ = endByte;
  return StartThread();
}

Error Player::Restart() {
  std::lock_guard api(api_);
  if (!source_) return Error::Mode;
  return StartThread();
}

Error Player::Stop() {
  std::lock_guard api(api_);
  if (!source_) return Error::Mode;
  EndThread();
  mode_ = MPEGDLL_MODE_STOPPED;
  return Error::None;
}

Error Player::Pause(bool resume) {
  std::lock_guard api(api_);
  std::unique_lock lock(m_);
  int mode = mode_;
  if (mode != MPEGDLL_MODE_PLAYING && mode != MPEGDLL_MODE_PAUSED) return Error::Mode;
  if (resume) {
    if (mode == MPEGDLL_MODE_PLAYING) return Error::None;
    // The clock goes on from where the listener left off.
    if (sink_->live()) baseNs_ = NowNs() - shown_ * 1000000000 / rate_;
    pause_ = false;
    mode_ = MPEGDLL_MODE_PLAYING;
    cv_.notify_all();
    return Error::None;
  }
  if (mode == MPEGDLL_MODE_PAUSED) return Error::None;
  pause_ = true;
  cv_.notify_all();
  // The thread answers at the end of its current step, so that the position
  // stands from here on.
  cv_.wait(lock, [this] { return threadPaused_ || done_; });
  if (done_) {
    pause_ = false;
    return Error::Mode;
  }
  mode_ = MPEGDLL_MODE_PAUSED;
  return Error::None;
}

Error Player::Seek(std::int32_t positionMs) {
  std::lock_guard api(api_);
  if (!source_) return Error::Mode;
  if (!source_->facts().seekable) return Error::NotSeekable;
  int mode = mode_;
  if (mode != MPEGDLL_MODE_PLAYING && mode != MPEGDLL_MODE_PAUSED) return Error::Mode;
  seekTo_ = MsToSamples(std::max(positionMs, 0), rate_);
  return Error::None;
}

void Player::ResetMode() {
  std::lock_guard api(api_);
  if (mode_ != MPEGDLL_MODE_ENDED) return;
  EndThread();
  mode_ = MPEGDLL_MODE_STOPPED;
}

std::int32_t Player::Mode(Error& failure) {
  std::lock_guard api(api_);
  std::lock_guard lock(m_);
  int mode = mode_;
  failure = mode == MPEGDLL_MODE_ENDED ? failure_ : Error::None;
  return mode;
}

std::int32_t Player::PositionMs() {
  std::lock_guard api(api_);
  if (!source_) return 0;
  if (mode_ != MPEGDLL_MODE_PLAYING) return ToMs(shown_);
  std::int64_t written = written_;
  // The sound output runs a little ahead; what has been heard is what counts.
  if (sink_ && sink_->live()) return ToMs(std::min(written, HeardSample()));
  return ToMs(written);
}

std::int32_t Player::LengthMs() {
  std::lock_guard api(api_);
  return source_ ? ToMs(source_->facts().lengthSamples) : 0;
}

std::int32_t Player::Frequency() {
  std::lock_guard api(api_);
  return source_ ? static_cast<std::int32_t>(source_->facts().rate) : 0;
}

std::int32_t Player::Bitrate() {
  std::lock_guard api(api_);
  return source_ ? source_->facts().bitrate : 0;
}

std::int32_t Player::Layer() {
  std::lock_guard api(api_);
  return source_ ? source_->facts().layer : 0;
}

void Player::EndThread() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(m_);
    stop_ = true;
    cv_.notify_all();
  }
  thread_.join();
  sink_.reset();
}

Error Player::StartThread() {
  EndThread();
  const StreamFacts& facts = source_->facts();
  std::int64_t start = MsToSamples(startMs_, rate_);
  if (facts.lengthSamples > 0) start = std::min(start, facts.lengthSamples);
  Error error = source_->MoveTo(start);
  if (error != Error::None) return error;
  sink_ = Sink::Open(device_, deviceFile_, rate_, facts.channels, error);
  if (!sink_) return error;
  {
    std::lock_guard lock(m_);
    stop_ = pause_ = threadPaused_ = done_ = false;
    failure_ = Error::None;
  }
  seekTo_ = -1;
  written_ = source_->position();
  shown_ = source_->position();
  baseNs_ = NowNs() - source_->position() * 1000000000 / rate_;
  mode_ = MPEGDLL_MODE_PLAYING;
  try {
    thread_ = std::thread(&Player::Run, this);
  } catch (const std::system_error&) {
    sink_.reset();
    mode_ = MPEGDLL_MODE_STOPPED;
    return Error::Internal;
  }
  return Error::None;
}

void Player::ApplyPriority(int& applied, int baseNice) {
  int wanted = priority_;
  if (wanted == applied) return;
  applied = wanted;
  // Raising it needs privileges the program rarely has; then it plays on at
  // the priority it has.
  int nice = std::clamp(baseNice + NiceChange(wanted), -20, 19);
  setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), nice);
}

void Player::Run() {
  const bool live = sink_->live();
  const std::size_t frameBytes = 2 * static_cast<std::size_t>(source_->facts().channels);
  const std::int64_t endSample =
      endMs_ > 0 ? MsToSamples(endMs_, rate_) : std::numeric_limits<std::int64_t>::max();
  const std::int64_t lead = MsToSamples(kLeadMs, rate_);
  const int baseNice = getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)));
  int appliedPriority = 0;
  bool finished = false;  // all decoded; the sound output may still be playing it
  Error failure = Error::None;
  bool stopped = false;

  for (;;) {
    std::int64_t resumeAt = -1;
    {
      std::unique_lock lock(m_);
      if (pause_ && !stop_) {
        std::int64_t heard =
            live ? std::min<std::int64_t>(written_, HeardSample()) : written_.load();
        shown_ = heard;
        if (live) sink_->Drop();
        threadPaused_ = true;
        cv_.notify_all();
        cv_.wait(lock, [this] { return !pause_ || stop_; });
        threadPaused_ = false;
        if (live && !finished) resumeAt = heard;
      }
      if (stop_) {
        stopped = true;
        break;
      }
      if (finished) {
        if (!live || HeardSample() >= written_) break;
        cv_.wait_until(lock, AtNs(baseNs_ + written_ * 1000000000 / rate_),
                       [this] { return stop_ || pause_; });
        continue;
      }
    }
    // The sound dropped at the pause is played again where the listener left
    // off, where the stream can seek.
    if (resumeAt >= 0 && source_->facts().seekable && source_->MoveTo(resumeAt) == Error::None)
      written_ = source_->position();
    ApplyPriority(appliedPriority, baseNice);
    std::int64_t seekTo = seekTo_.exchange(-1);
    if (seekTo >= 0 && source_->MoveTo(seekTo) == Error::None) {
      written_ = source_->position();
      if (live) {
        sink_->Drop();
        baseNs_ = NowNs() - source_->position() * 1000000000 / rate_;
      }
    }

    unsigned char* data = nullptr;
    std::size_t bytes = 0;
    Source::Step step = source_->Decode(data, bytes);
    if (step == Source::Step::Failed) {
      failure = Error::Stream;
      break;
    }
    if (step == Source::Step::End) {
      finished = true;
      continue;
    }
    const std::int64_t first = source_->position() - static_cast<std::int64_t>(bytes / frameBytes);
    if (source_->position() >= endSample) {
      bytes = static_cast<std::size_t>(std::max<std::int64_t>(endSample - first, 0)) * frameBytes;
      finished = true;
    }
    if (bytes > 0 && !sink_->Write(data, bytes)) {
      failure = Error::Device;
      break;
    }
    written_ = first + static_cast<std::int64_t>(bytes / frameBytes);
    if (live && !finished) {
      std::unique_lock lock(m_);
      cv_.wait_until(lock, AtNs(baseNs_ + (written_ - lead) * 1000000000 / rate_),
                     [this] { return stop_ || pause_; });
    }
  }

  const bool played = !stopped && failure == Error::None;
  if (!sink_->Finish(played) && played) failure = Error::Device;
  std::lock_guard lock(m_);
  if (stopped) {
    shown_ = live ? std::min<std::int64_t>(written_, HeardSample()) : written_.load();
  } else {
    shown_ = written_.load();
    failure_ = failure;
    // Only now that the wave file is whole: the caller may act on either at
    // once, and whoever sees the mode change sees the end byte set.
    if (endByte_) {
      __atomic_store_n(endByte_, std::uint8_t{1}, __ATOMIC_RELEASE);
      tovix::platform::WakeFlagWaiters(endByte_);
    }
    mode_ = MPEGDLL_MODE_ENDED;
  }
  done_ = true;
  cv_.notify_all();
}

}  // namespace mpegdll

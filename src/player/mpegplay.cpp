#include "player/mpegplay.h"

#include <array>
#include <atomic>
#include <cstring>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/dynlib.h"
#include "platform/filesys.h"
#include "player/mpegdllapi.h"

namespace tovix {

namespace {

constexpr std::array<const char*, 6> kErrorTexts = {
    "MPEG library not loaded", "Internal decoder error",       "Incorrect mode",
    "Input stream error",      "Input stream is non-seekable", "Output device failure",
};

constexpr std::array<std::int32_t, 7> kPriorityValues = {-15, -2, -1, 0, 1, 2, 15};

constexpr const char* kLibraryFile = "libmpegdll.so";

// The name as the library gets it: Windows-1252 (the library converts it to
// the system's encoding), zero-terminated in a buffer of the contract's size.
// A name that does not fit is refused rather than cut, which would open or
// write another file.
std::vector<char> NameBuffer(const std::string& name, std::size_t size, std::uint8_t code) {
  if (name.size() >= size) throw TMPEGError(MPEGErrorText(code), code);
  std::vector<char> buffer(size, '\0');
  std::memcpy(buffer.data(), name.data(), name.size());
  return buffer;
}

}  // namespace

TMPEGError::TMPEGError(const std::string& message, std::uint8_t code)
    : std::runtime_error(message), ErrorCode(code) {}

std::string MPEGErrorText(int code) {
  if (code >= 0 && code < static_cast<int>(kErrorTexts.size()))
    return kErrorTexts[static_cast<std::size_t>(code)];
  return "Unknown decoder error " + std::to_string(code);
}

std::int32_t PriorityValue(TPlayPriority priority) {
  return kPriorityValues[static_cast<std::size_t>(priority)];
}

TPlayPriority PriorityOf(std::int32_t value) {
  for (std::size_t i = 0; i < kPriorityValues.size(); ++i)
    if (kPriorityValues[i] == value) return static_cast<TPlayPriority>(i);
  return TPlayPriority::Normal;
}

// The loaded library and its 19 entry points.
struct TMPEGPlayer::Library {
  void* handle = nullptr;
  mpegdll::InitFn init = nullptr;
  mpegdll::VoidFn deinit = nullptr;
  mpegdll::OpenFn open = nullptr;
  mpegdll::FlagFn pause = nullptr;
  mpegdll::VoidFn restart = nullptr;
  mpegdll::VoidFn stop = nullptr;
  mpegdll::FlagFn setPriority = nullptr;
  mpegdll::SetOutputDeviceFn setOutputDevice = nullptr;
  mpegdll::PlayFn play = nullptr;
  mpegdll::VoidFn close = nullptr;
  mpegdll::QueryFn getFrequency = nullptr;
  mpegdll::QueryFn getBitrate = nullptr;
  mpegdll::QueryFn getLayer = nullptr;
  mpegdll::QueryFn getPlayerMode = nullptr;
  mpegdll::QueryFn getCurrentPos = nullptr;
  mpegdll::QueryFn getLength = nullptr;
  mpegdll::VoidFn resetPlayerMode = nullptr;
  mpegdll::VoidFn seek = nullptr;
  mpegdll::QueryFn lastError = nullptr;
  const char* missing = nullptr;  // the first entry point Bind did not find

  // Looks up every name; false when one is missing.
  bool Bind() {
    bool all = true;
    auto bind = [&](auto& fn, const char* name) {
      void* address = platform::DynLibSymbol(handle, name);
      if (!address && all) missing = name;
      if (!address) all = false;
      fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(address);
    };
    bind(init, "init");
    bind(deinit, "deinit");
    bind(open, "Open");
    bind(pause, "Pause");
    bind(restart, "Restart");
    bind(stop, "Stop");
    bind(setPriority, "SetPriority");
    bind(setOutputDevice, "SetOutputDevice");
    bind(play, "Play");
    bind(close, "Close");
    bind(getFrequency, "GetFrequency");
    bind(getBitrate, "GetBitrate");
    bind(getLayer, "GetLayer");
    bind(getPlayerMode, "GetPlayerMode");
    bind(getCurrentPos, "GetCurrentPos");
    bind(getLength, "GetLength");
    bind(resetPlayerMode, "ResetPlayerMode");
    bind(seek, "Seek");
    bind(lastError, "LastError");
    return all;
  }
};

namespace {

// The callbacks handed to the library in stream mode. Each calls the
// player's event when one is assigned, else answers as if nothing were there.
TMPEGPlayer& PlayerOf(void* ctx) {
  return *static_cast<TMPEGPlayer*>(ctx);
}

extern "C" {
void MPEGDLL_CALL OpenStreamCallback(void* ctx, mpegdll::Boolean* nonseekable, void** context) {
  TMPEGPlayer& player = PlayerOf(ctx);
  if (!player.OnOpenStream) {
    *context = nullptr;
    return;
  }
  bool value = *nonseekable != 0;
  player.OnOpenStream(value, *context);
  *nonseekable = value ? 1 : 0;
}

void MPEGDLL_CALL CloseStreamCallback(void* ctx, void* context) {
  TMPEGPlayer& player = PlayerOf(ctx);
  if (player.OnCloseStream) player.OnCloseStream(context);
}

void MPEGDLL_CALL RestartStreamCallback(void* ctx, void* context, mpegdll::Boolean* res) {
  TMPEGPlayer& player = PlayerOf(ctx);
  bool value = false;
  if (player.OnRestartStream) player.OnRestartStream(context, value);
  *res = value ? 1 : 0;
}

void MPEGDLL_CALL ReadStreamCallback(void* ctx, void* context, void* buffer, std::int32_t count,
                                     std::int32_t* bytesRead, mpegdll::Boolean* res) {
  TMPEGPlayer& player = PlayerOf(ctx);
  bool value = false;
  if (player.OnReadStream) {
    int read = *bytesRead;
    player.OnReadStream(context, buffer, count, read, value);
    *bytesRead = read;
  }
  *res = value ? 1 : 0;
}

void MPEGDLL_CALL SeekStreamCallback(void* ctx, void* context, std::int32_t numbytes,
                                     std::int32_t moveMethod, std::int32_t* res) {
  TMPEGPlayer& player = PlayerOf(ctx);
  int value = -1;
  if (player.OnSeekStream) player.OnSeekStream(context, numbytes, moveMethod, value);
  *res = value;
}

void MPEGDLL_CALL StreamSizeCallback(void* ctx, void* context, std::int32_t* res) {
  TMPEGPlayer& player = PlayerOf(ctx);
  int value = -1;
  if (player.OnGetStreamSize) player.OnGetStreamSize(context, value);
  *res = value;
}
}

}  // namespace

TMPEGPlayer::TMPEGPlayer(PlayerTimerFactory makeTimer) : makeTimer_(std::move(makeTimer)) {
  if (!makeTimer_)
    makeTimer_ = [](std::function<void()>) { return std::make_unique<DrivenTimer>(); };
}

TMPEGPlayer::~TMPEGPlayer() {
  // The library keeps the address of endReached_ while a stream is open.
  if (lib_ && opened_) {
    opened_ = playing_ = paused_ = false;
    lib_->close();
  }
}

void TMPEGPlayer::RequireLoaded() const {
  if (!lib_) throw TMPEGError(MPEGErrorText(kErrNotLoaded), kErrNotLoaded);
}

void TMPEGPlayer::CheckError() {
  lastError_ = lib_->lastError();
  if (lastError_ > 0)
    throw TMPEGError(MPEGErrorText(lastError_), static_cast<std::uint8_t>(lastError_));
}

bool TMPEGPlayer::EndReached() const {
  return std::atomic_ref<const std::uint8_t>(endReached_).load() != 0;
}

void TMPEGPlayer::SetEndReached(std::uint8_t value) {
  std::atomic_ref<std::uint8_t>(endReached_).store(value);
}

void TMPEGPlayer::SetPlayerPriority(TPlayPriority value) {
  priority_ = PriorityValue(value);
  if (!lib_) return;
  lib_->setPriority(priority_);
  CheckError();
}

void TMPEGPlayer::SetTimerFreq(int value) {
  timerFreq_ = value;
  if (value == 0) useTimer_ = false;
}

void TMPEGPlayer::SetStreamName(const std::string& value) {
  streamName_ = value;
  if (opened_) Close();
}

TOutputDevice TMPEGPlayer::OutputDevice() const {
  return deviceCode_ != 0 ? TOutputDevice::pcmfile : TOutputDevice::wavemapper;
}

void TMPEGPlayer::SetOutputDevice(TOutputDevice value) {
  deviceCode_ = (value == TOutputDevice::pcmfile && !outFilename_.empty()) ? 2 : 0;
}

void TMPEGPlayer::InitLibrary() {
  std::string path;
  if (pathToDll_.empty()) {
    // Beside the program, where Windows looks first.
    path = platform::ProgramDir() + kLibraryFile;
  } else {
    path = pathToDll_;
    const char last = path.back();
    if (last != platform::kPathSep && last != '\\' && last != ':') path += platform::kPathSep;
    path += kLibraryFile;
  }
  libraryProblem_.clear();
  void* handle = platform::LoadDynLib(path);
  if (!handle) {
    libraryProblem_ = platform::DynLibError();
    throw TMPEGError(kTextCantLoad, kErrNotLoaded);
  }

  auto lib = std::make_unique<Library>();
  lib->handle = handle;
  if (!lib->Bind()) {
    libraryProblem_ = platform::ToNative(path) + " lacks the entry point \"" + lib->missing + "\"";
    platform::FreeDynLib(handle);
    throw TMPEGError(MPEGErrorText(kErrNotLoaded), kErrNotLoaded);
  }
  if (!lib->init()) {
    // The handle is forgotten; the library stays loaded.
    lastError_ = lib->lastError();
    throw TMPEGError(MPEGErrorText(lastError_), static_cast<std::uint8_t>(lastError_));
  }
  lib_ = std::move(lib);
  timer_ = makeTimer_([this] { TimerTick(); });
  timer_->SetEnabled(false);
  timer_->SetInterval(useTimer_ ? timerFreq_ : 0);
  streamLength_ = 0;
}

void TMPEGPlayer::Open() {
  RequireLoaded();
  if (opened_) Close();
  opened_ = false;
  if (fromStream_) {
    lib_->open(nullptr, 1, OpenStreamCallback, CloseStreamCallback, RestartStreamCallback,
               ReadStreamCallback, SeekStreamCallback, StreamSizeCallback, this);
    CheckError();
  } else {
    if (streamName_.empty()) throw TMPEGError(kTextNoStream, kErrNoStreamName);
    const std::vector<char> name =
        NameBuffer(streamName_, mpegdll::kStreamNameBuffer, kErrInputStream);
    lib_->open(name.data(), 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    CheckError();
  }
  opened_ = true;
  playedXTimes_ = 1;
  streamLength_ = GetLength();
  if (autoPlay_) Play();
}

void TMPEGPlayer::Play() {
  RequireLoaded();
  if (paused_) {
    SetPaused(false);
    return;
  }
  if (playing_) return;
  if (!opened_) Open();
  // With AutoPlay, Open has started playing already: no second start.
  if (!opened_ || playing_) return;
  if (playedXTimes_ >= 2) {
    Restart();
    return;
  }
  lib_->setPriority(priority_);
  CheckError();
  // The wave file's name matters only when a wave file is asked for: a
  // name left from a decode must not stop playing to the sound card.
  const std::vector<char> out = NameBuffer(deviceCode_ != 0 ? outFilename_ : std::string(),
                                           mpegdll::kOutFileBuffer, kErrOutputDevice);
  lib_->setOutputDevice(deviceCode_, out.data());
  CheckError();
  const std::int32_t result = lib_->play(startPos_, endPos_, &endReached_);
  lastError_ = lib_->lastError();
  if (lastError_ > 0 || result != 0)
    throw TMPEGError(MPEGErrorText(lastError_ > 0 ? lastError_ : kErrNotLoaded),
                     static_cast<std::uint8_t>(lastError_ > 0 ? lastError_ : kErrNotLoaded));
  playing_ = true;
  ++playedXTimes_;
  StartTimer();
}

void TMPEGPlayer::StartTimer() {
  if (!useTimer_ || !timer_ || timer_->Interval() == 0) return;
  timer_->SetEnabled(true);
  TimerTick();
}

void TMPEGPlayer::Restart() {
  RequireLoaded();
  if (!opened_) throw TMPEGError(MPEGErrorText(kErrIncorrectMode), kErrIncorrectMode);
  SetEndReached(0);
  lib_->restart();
  CheckError();
  playing_ = true;
  ++playedXTimes_;
  StartTimer();
}

void TMPEGPlayer::SetPaused(bool pause) {
  RequireLoaded();
  if (!playing_ || EndReached()) {
    paused_ = false;
    if (pause) throw TMPEGError(MPEGErrorText(kErrIncorrectMode), kErrIncorrectMode);
    return;
  }
  lib_->pause(pause ? 0 : 1);
  CheckError();
  paused_ = pause;
}

void TMPEGPlayer::Stop() {
  if (!playing_ || EndReached())
    throw TMPEGError(MPEGErrorText(kErrIncorrectMode), kErrIncorrectMode);
  RequireLoaded();
  lib_->stop();
  CheckError();
  playing_ = false;
  paused_ = false;
}

void TMPEGPlayer::Close() {
  RequireLoaded();
  opened_ = paused_ = playing_ = false;
  playedXTimes_ = 0;
  lib_->close();
  CheckError();
}

int TMPEGPlayer::GetPlayerMode() {
  RequireLoaded();
  const int mode = lib_->getPlayerMode();
  CheckError();
  return mode;
}

int TMPEGPlayer::GetCurrentPos() {
  RequireLoaded();
  const int pos = lib_->getCurrentPos();
  CheckError();
  return pos;
}

int TMPEGPlayer::GetLength() {
  RequireLoaded();
  const int length = lib_->getLength();
  CheckError();
  return length;
}

void TMPEGPlayer::TimerTick() {
  if (!opened_ || !playing_) {
    if (timer_) timer_->SetEnabled(false);
    return;
  }
  int pos = GetCurrentPos();
  const int len = streamLength_;
  if (pos > len) pos = 0;
  if (OnPosUpdate) OnPosUpdate(pos, len);
  if (EndReached()) {
    if (timer_) timer_->SetEnabled(false);
    playing_ = false;
    if (OnPlayEnd) {
      SetEndReached(0);
      OnPlayEnd(*this);
    }
  }
}

}  // namespace tovix

#pragma once
// MPEGPlay: the player component over the decoder library (libmpegdll.so,
// mpegdll.dll on Windows), loaded at run time. It plays an MP3 file to the
// sound device or decodes it into a wave file; the library does the audio
// work on its own thread, the component adds the state machine, the errors,
// the priority mapping and a timer that polls the play position and the end.
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/flagwait.h"

namespace tovix {

// A failure of the player: the message and an 8-bit code (0 library not
// loaded or not loadable, 1..5 reported by the library, 254 no stream name).
class TMPEGError : public std::runtime_error {
 public:
  TMPEGError(const std::string& message, std::uint8_t code);
  std::uint8_t ErrorCode;
};

// Error codes and the texts the component raises.
inline constexpr std::uint8_t kErrNotLoaded = 0;
inline constexpr std::uint8_t kErrDecoder = 1;
inline constexpr std::uint8_t kErrIncorrectMode = 2;
inline constexpr std::uint8_t kErrInputStream = 3;
inline constexpr std::uint8_t kErrNonSeekable = 4;
inline constexpr std::uint8_t kErrOutputDevice = 5;
inline constexpr std::uint8_t kErrNoStreamName = 254;
inline constexpr const char* kTextCantLoad = "Can't load MPEG library";
inline constexpr const char* kTextNoStream = "Can't play non-specified stream";
// The text of a library error code ("MPEG library not loaded" for 0).
std::string MPEGErrorText(int code);

// Player modes of GetPlayerMode that the program tests.
inline constexpr int kModePlaying = 3;
inline constexpr int kModePaused = 4;

enum class TPlayPriority { Idle, Lowest, BelowNormal, Normal, AboveNormal, Highest, TimeCritical };
enum class TOutputDevice { wavemapper, pcmfile };

// The priority value handed to the library for a priority, and back (a value
// not in the table reads as Normal).
std::int32_t PriorityValue(TPlayPriority priority);
TPlayPriority PriorityOf(std::int32_t value);

// The component's timer. The windows use a Qt timer in their thread; tests
// and tovix-cli use a DrivenTimer and call TimerTick themselves.
class PlayerTimer {
 public:
  virtual ~PlayerTimer() = default;
  virtual void SetInterval(int ms) = 0;
  virtual int Interval() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
};

// A timer that only holds its interval and state; its owner calls the tick.
class DrivenTimer : public PlayerTimer {
 public:
  void SetInterval(int ms) override { interval_ = ms; }
  int Interval() const override { return interval_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Enabled() const override { return enabled_; }

 private:
  int interval_ = 0;
  bool enabled_ = false;
};

// Makes the timer for a player; tick is the player's timer handler.
using PlayerTimerFactory = std::function<std::unique_ptr<PlayerTimer>(std::function<void()> tick)>;

class TMPEGPlayer {
 public:
  // Stream-mode events (called on the library's thread while it reads).
  using TOpenStreamEvent = std::function<void(bool& Nonseekable, void*& Context)>;
  using TCloseStreamEvent = std::function<void(void* Context)>;
  using TRestartStreamEvent = std::function<void(void* Context, bool& res)>;
  using TGetStreamSizeEvent = std::function<void(void* Context, int& res)>;
  using TSeekStreamEvent =
      std::function<void(void* Context, int numbytes, int MoveMethod, int& res)>;
  using TReadStreamEvent =
      std::function<void(void* Context, void* read_buffer, int nNumberOfBytesToRead,
                         int& nNumberOfBytesRead, bool& res)>;
  // Timer events (called in the timer's thread).
  using TPosUpdateEvent = std::function<void(int Pos, int Len)>;
  using TPlayEndEvent = std::function<void(TMPEGPlayer& Sender)>;

  // Nothing loaded, everything zero, false or empty. Without a factory the
  // timer is a DrivenTimer.
  explicit TMPEGPlayer(PlayerTimerFactory makeTimer = {});
  // Frees the timer; the library stays loaded. An open stream is closed so
  // that the library no longer writes to this player's end byte.
  virtual ~TMPEGPlayer();
  TMPEGPlayer(const TMPEGPlayer&) = delete;
  TMPEGPlayer& operator=(const TMPEGPlayer&) = delete;

  // --- Properties ---------------------------------------------------------
  bool Seekable() const { return seekable_; }
  void SetSeekable(bool value) { seekable_ = value; }
  bool FromStream() const { return fromStream_; }
  void SetFromStream(bool value) { fromStream_ = value; }
  TPlayPriority PlayerPriority() const { return PriorityOf(priority_); }
  // Hands the new priority to a loaded library at once.
  void SetPlayerPriority(TPlayPriority value);
  bool UseTimer() const { return useTimer_; }
  void SetUseTimer(bool value) { useTimer_ = value; }
  int TimerFreq() const { return timerFreq_; }
  // 0 also switches UseTimer off. The timer's interval is fixed by InitLibrary.
  void SetTimerFreq(int value);
  bool AutoPlay() const { return autoPlay_; }
  void SetAutoPlay(bool value) { autoPlay_ = value; }
  // Path of the MP3 file (Windows-1252). Setting it closes an open stream.
  const std::string& StreamName() const { return streamName_; }
  void SetStreamName(const std::string& value);
  // pcmfile takes effect only when OutFilename is already set.
  TOutputDevice OutputDevice() const;
  void SetOutputDevice(TOutputDevice value);
  // Path of the wave file for pcmfile (Windows-1252).
  const std::string& OutFilename() const { return outFilename_; }
  void SetOutFilename(const std::string& value) { outFilename_ = value; }
  // Folder of the library; empty: the program's folder.
  const std::string& PathToDLL() const { return pathToDll_; }
  void SetPathToDLL(const std::string& value) { pathToDll_ = value; }
  int StartPos() const { return startPos_; }
  void SetStartPos(int value) { startPos_ = value; }
  int EndPos() const { return endPos_; }
  void SetEndPos(int value) { endPos_ = value; }
  // 0 when closed, 1 after Open, one more on every start of playing.
  int PlayedXTimes() const { return playedXTimes_; }

  TOpenStreamEvent OnOpenStream;
  TCloseStreamEvent OnCloseStream;
  TRestartStreamEvent OnRestartStream;
  TGetStreamSizeEvent OnGetStreamSize;
  TSeekStreamEvent OnSeekStream;
  TReadStreamEvent OnReadStream;
  TPosUpdateEvent OnPosUpdate;
  TPlayEndEvent OnPlayEnd;

  // --- Operations (each raises TMPEGError) ---------------------------------
  void InitLibrary();
  void Open();
  void Play();
  void SetPaused(bool pause);
  void Stop();
  void Restart();
  void Close();
  int GetPlayerMode();
  // The mode without raising: a failure is only kept in LastError. For the
  // windows' checks of the mode, which must work after a failed playing.
  int PeekPlayerMode();
  int GetCurrentPos();
  int GetLength();
  // The timer handler: position to OnPosUpdate, the end to OnPlayEnd. A
  // playing that ended in a failure ends as any other, its code in
  // LastError; an error raised here stops the timer, so it is raised once.
  virtual void TimerTick();
  // Sleeps until the library has played the stream out (or failed), at
  // most timeoutMs; true when it has.
  bool WaitForEnd(int timeoutMs);

  // --- State, for the windows and tests -----------------------------------
  bool Loaded() const { return lib_ != nullptr; }
  bool Opened() const { return opened_; }
  bool Playing() const { return playing_; }
  bool Paused() const { return paused_; }
  // GetLength as read by Open; 0 before.
  int StreamLength() const { return streamLength_; }
  // The library's last error code.
  int LastError() const { return lastError_; }
  // Null until InitLibrary has loaded the library.
  PlayerTimer* Timer() const { return timer_.get(); }
  // Why InitLibrary could not use the library file: the system's reason,
  // or the first entry point it lacks (native text). Empty otherwise.
  const std::string& LibraryProblem() const { return libraryProblem_; }

  struct Library;

 private:
  void RequireLoaded() const;
  void CheckError();
  void StartTimer();
  bool EndReached() const;
  void SetEndReached(std::uint8_t value);

  PlayerTimerFactory makeTimer_;
  std::unique_ptr<Library> lib_;
  std::unique_ptr<PlayerTimer> timer_;
  std::string libraryProblem_;
  bool seekable_ = false;
  bool fromStream_ = false;
  std::int32_t priority_ = 0;
  bool useTimer_ = false;
  int timerFreq_ = 0;
  bool autoPlay_ = false;
  std::string streamName_;
  std::int32_t deviceCode_ = 0;
  std::string outFilename_;
  std::string pathToDll_;
  int startPos_ = 0;
  int endPos_ = 0;
  int playedXTimes_ = 0;
  bool opened_ = false;
  bool playing_ = false;
  bool paused_ = false;
  // Byte 0 is written by the library's thread at the end of the stream;
  // read and cleared here, always through atomic accesses.
  platform::FlagWord endFlag_;
  int streamLength_ = 0;
  int lastError_ = 0;
};

}  // namespace tovix

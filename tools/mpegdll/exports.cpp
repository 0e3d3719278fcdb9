// The 19 entry points, each a thin call into the one player that records
// its outcome for "LastError".
#include <mpg123.h>

#include <atomic>

#include "mpegdll.h"
#include "player.h"

#define MPEGDLL_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

mpegdll::Player& ThePlayer() {
  static mpegdll::Player player;
  return player;
}

std::atomic<int> lastError{0};

void Record(mpegdll::Error error) {
  lastError = static_cast<int>(error);
}

}  // namespace

MPEGDLL_EXPORT uint8_t MPEGDLL_CALL init(void) {
  // libmpg123 before 1.27 needs its tables set up once; later ones ignore it.
  static const int initialised = mpg123_init();
  if (initialised != MPG123_OK) {
    Record(mpegdll::Error::Internal);
    return 0;
  }
  ThePlayer();
  Record(mpegdll::Error::None);
  return 1;
}

MPEGDLL_EXPORT void MPEGDLL_CALL deinit(void) {
  Record(ThePlayer().Close());
}

MPEGDLL_EXPORT void MPEGDLL_CALL Open(const char* fileName, int32_t stream, MpegStreamOpen openCb,
                                      MpegStreamClose closeCb, MpegStreamRestart restartCb,
                                      MpegStreamRead readCb, MpegStreamSeek seekCb,
                                      MpegStreamSize sizeCb, void* context) {
  mpegdll::StreamCallbacks callbacks{openCb, closeCb, restartCb, readCb, seekCb, sizeCb, context};
  Record(ThePlayer().Open(fileName, stream != 0, callbacks));
}

MPEGDLL_EXPORT void MPEGDLL_CALL Pause(int32_t resume) {
  Record(ThePlayer().Pause(resume != 0));
}

MPEGDLL_EXPORT void MPEGDLL_CALL Restart(void) {
  Record(ThePlayer().Restart());
}

MPEGDLL_EXPORT void MPEGDLL_CALL Stop(void) {
  Record(ThePlayer().Stop());
}

MPEGDLL_EXPORT void MPEGDLL_CALL SetPriority(int32_t priority) {
  Record(ThePlayer().SetPriority(priority));
}

MPEGDLL_EXPORT void MPEGDLL_CALL SetOutputDevice(int32_t device, const char* fileName) {
  Record(ThePlayer().SetOutputDevice(device, fileName));
}

MPEGDLL_EXPORT int32_t MPEGDLL_CALL Play(int32_t startPos, int32_t endPos, uint8_t* endReached) {
  mpegdll::Error error = ThePlayer().Play(startPos, endPos, endReached);
  Record(error);
  return static_cast<int32_t>(error);
}

MPEGDLL_EXPORT void MPEGDLL_CALL Close(void) {
  Record(ThePlayer().Close());
}

MPEGDLL_EXPORT int32_t MPEGDLL_CALL GetFrequency(void) {
  Record(mpegdll::Error::None);
  return ThePlayer().Frequency();
}

MPEGDLL_EXPORT int32_t MPEGDLL_CALL GetBitrate(void) {
  Record(mpegdll::Error::None);
  return ThePlayer().Bitrate();
}

MPEGDLL_EXPORT int32_t MPEGDLL_CALL GetLayer(void) {
  Record(mpegdll::Error::None);
  return ThePlayer().Layer();
}

MPEGDLL_EXPORT int32_t MPEGDLL_CALL GetPlayerMode(void) {
  // A playing that ended in failure says so here, where the caller waits
  // for the end.
  mpegdll::Error failure = mpegdll::Error::None;
  int32_t mode = ThePlayer().Mode(failure);
  Record(failure);
  return mode;
}

MPEGDLL_EXPORT int32_t MPEGDLL_CALL GetCurrentPos(void) {
  Record(mpegdll::Error::None);
  return ThePlayer().PositionMs();
}

MPEGDLL_EXPORT int32_t MPEGDLL_CALL GetLength(void) {
  Record(mpegdll::Error::None);
  return ThePlayer().LengthMs();
}

MPEGDLL_EXPORT void MPEGDLL_CALL ResetPlayerMode(void) {
  ThePlayer().ResetMode();
  Record(mpegdll::Error::None);
}

MPEGDLL_EXPORT void MPEGDLL_CALL Seek(int32_t position) {
  Record(ThePlayer().Seek(position));
}

MPEGDLL_EXPORT int32_t MPEGDLL_CALL LastError(void) {
  return lastError;
}

#ifndef TOVIX_MPEGDLL_H
#define TOVIX_MPEGDLL_H
/*
 * The decoder library's 19 entry points (libmpegdll.so, mpegdll.dll on
 * Windows), looked up by these exact names. Plain C so that dlsym and
 * GetProcAddress find them unmangled.
 *
 * Texts are zero-terminated Windows-1252 strings, as the program holds them;
 * the library converts file names to the system's encoding itself.
 * Booleans are single bytes: 0 = false, anything else = true.
 * Positions and lengths are milliseconds.
 *
 * After every call except a successful "init", "LastError" tells the
 * outcome: 0 none, 1 internal decoder error, 2 call in the wrong state,
 * 3 stream cannot be opened or decoded, 4 seek on a stream that cannot seek,
 * 5 output device failure.
 *
 * A stream that changes rate or channels on the way comes out whole in the
 * format of its first frame. Data that cannot be decoded after the last
 * frame that could (a cut frame, junk) ends the stream without an error.
 *
 * Threads: the caller may use one thread or several (calls are serialised
 * inside); decoding runs on the library's own thread. The one value shared
 * with the caller is the end byte handed to "Play": the library sets it to 1
 * with an atomic release store once the stream has been played out (after the
 * wave file is complete, before the mode leaves 3), and then wakes futex
 * waiters on the aligned 32-bit word that holds it, so a caller can sleep
 * until the end instead of polling. "Restart" plays on with
 * the same byte, so it must stay valid until "Close" or the next "Play".
 * Read and clear it atomically, for instance through std::atomic_ref<uint8_t>,
 * so that ThreadSanitizer sees no race.
 *
 * Stream-mode callbacks run inside "Open", "Play", "Restart" and "Close" on
 * the caller's thread, and on the library's thread while it decodes; never
 * two at once. They must not call the library.
 */
#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define MPEGDLL_CALL __stdcall
#else
#define MPEGDLL_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Player modes from "GetPlayerMode". Callers rely only on 3 and 4. */
enum {
  MPEGDLL_MODE_CLOSED = 0,  /* no stream open */
  MPEGDLL_MODE_STOPPED = 1, /* open, not playing (before "Play", after "Stop") */
  MPEGDLL_MODE_ENDED = 2,   /* played out (or output failed) */
  MPEGDLL_MODE_PLAYING = 3,
  MPEGDLL_MODE_PAUSED = 4
};

/* Device codes for "SetOutputDevice". */
enum { MPEGDLL_DEVICE_SOUND = 0, MPEGDLL_DEVICE_WAVEFILE = 2 };

/* Stream-mode callbacks; player is the context handed to "Open", stream the
 * Context the open callback set. Move methods: 0 from the start, 1 from the
 * current position, 2 from the end. Seek and size answer -1 on failure. */
typedef void(MPEGDLL_CALL* MpegStreamOpen)(void* player, uint8_t* nonseekable, void** stream);
typedef void(MPEGDLL_CALL* MpegStreamClose)(void* player, void* stream);
typedef void(MPEGDLL_CALL* MpegStreamRestart)(void* player, void* stream, uint8_t* res);
typedef void(MPEGDLL_CALL* MpegStreamRead)(void* player, void* stream, void* buffer, int32_t count,
                                           int32_t* bytesRead, uint8_t* res);
typedef void(MPEGDLL_CALL* MpegStreamSeek)(void* player, void* stream, int32_t numbytes,
                                           int32_t moveMethod, int32_t* res);
typedef void(MPEGDLL_CALL* MpegStreamSize)(void* player, void* stream, int32_t* res);

/* 1 = ready. */
uint8_t MPEGDLL_CALL init(void);
/* Stops and closes whatever is open. */
void MPEGDLL_CALL deinit(void);
/* File mode: fileName, stream 0, six nulls, null context.
 * Stream mode: null, 1, the six callbacks, the caller's context. */
void MPEGDLL_CALL Open(const char* fileName, int32_t stream, MpegStreamOpen openCb,
                       MpegStreamClose closeCb, MpegStreamRestart restartCb, MpegStreamRead readCb,
                       MpegStreamSeek seekCb, MpegStreamSize sizeCb, void* context);
/* 0 = pause, 1 = continue. */
void MPEGDLL_CALL Pause(int32_t resume);
/* Plays the open stream again from its start position. */
void MPEGDLL_CALL Restart(void);
void MPEGDLL_CALL Stop(void);
/* Thread priority levels of the Windows scale: -15 idle .. 0 normal .. 15. */
void MPEGDLL_CALL SetPriority(int32_t priority);
/* Device 0: sound output; 2: RIFF WAVE file named by fileName. Takes effect
 * at the next "Play". */
void MPEGDLL_CALL SetOutputDevice(int32_t device, const char* fileName);
/* 0 = started; otherwise the error code. endPos 0 plays to the end. endReached
 * may be null. */
int32_t MPEGDLL_CALL Play(int32_t startPos, int32_t endPos, uint8_t* endReached);
void MPEGDLL_CALL Close(void);
/* Facts of the open stream (0 when none): Hz, kbit/s, MPEG layer. */
int32_t MPEGDLL_CALL GetFrequency(void);
int32_t MPEGDLL_CALL GetBitrate(void);
int32_t MPEGDLL_CALL GetLayer(void);
int32_t MPEGDLL_CALL GetPlayerMode(void);
int32_t MPEGDLL_CALL GetCurrentPos(void);
int32_t MPEGDLL_CALL GetLength(void);
/* After the end of the stream: back to stopped. */
void MPEGDLL_CALL ResetPlayerMode(void);
/* Moves the playing position (milliseconds from the start). */
void MPEGDLL_CALL Seek(int32_t position);
int32_t MPEGDLL_CALL LastError(void);

#ifdef __cplusplus
}
#endif

#endif

#pragma once
// The entry points of the decoder library as the player calls them: C
// linkage, texts as zero-terminated 8-bit strings, Booleans as one byte,
// integers of 32 bits. On 32-bit Windows they are __stdcall.
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define MPEGDLL_CALL __stdcall
#else
#define MPEGDLL_CALL
#endif

namespace tovix::mpegdll {

using Boolean = std::uint8_t;

// Stream-mode callbacks; the first argument is the context handed to Open.
extern "C" {
using OpenStreamCb = void(MPEGDLL_CALL*)(void* ctx, Boolean* nonseekable, void** context);
using CloseStreamCb = void(MPEGDLL_CALL*)(void* ctx, void* context);
using RestartStreamCb = void(MPEGDLL_CALL*)(void* ctx, void* context, Boolean* res);
using ReadStreamCb = void(MPEGDLL_CALL*)(void* ctx, void* context, void* buffer, std::int32_t count,
                                         std::int32_t* bytesRead, Boolean* res);
using SeekStreamCb = void(MPEGDLL_CALL*)(void* ctx, void* context, std::int32_t numbytes,
                                         std::int32_t moveMethod, std::int32_t* res);
using StreamSizeCb = void(MPEGDLL_CALL*)(void* ctx, void* context, std::int32_t* res);

using InitFn = Boolean(MPEGDLL_CALL*)();
using OpenFn = void(MPEGDLL_CALL*)(const char* name, std::int32_t stream, OpenStreamCb,
                                   CloseStreamCb, RestartStreamCb, ReadStreamCb, SeekStreamCb,
                                   StreamSizeCb, void* context);
using FlagFn = void(MPEGDLL_CALL*)(std::int32_t);
using VoidFn = void(MPEGDLL_CALL*)();
using SetOutputDeviceFn = void(MPEGDLL_CALL*)(std::int32_t device, const char* fileName);
using PlayFn = std::int32_t(MPEGDLL_CALL*)(std::int32_t startPos, std::int32_t endPos,
                                           std::uint8_t* endReached);
using QueryFn = std::int32_t(MPEGDLL_CALL*)();
}

// Sizes of the name buffers handed to Open and SetOutputDevice.
inline constexpr int kStreamNameBuffer = 512;
inline constexpr int kOutFileBuffer = 260;

}  // namespace tovix::mpegdll

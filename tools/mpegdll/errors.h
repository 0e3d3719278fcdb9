#pragma once
// The codes "LastError" hands back.

namespace mpegdll {

enum class Error : int {
  None = 0,
  Internal = 1,     // the decoder itself failed (memory, thread, library)
  Mode = 2,         // a call in the wrong state
  Stream = 3,       // the stream cannot be opened or decoded
  NotSeekable = 4,  // a seek on a stream that cannot seek
  Device = 5,       // the output device fails
};

}  // namespace mpegdll

#include "player/playererrortext.h"

#include "lang/buildstrings.h"

namespace tovix {

std::string PlayerErrorText(std::uint8_t code, std::string_view message) {
  switch (code) {
    case kErrNotLoaded:
      return BuildText(message == kTextCantLoad ? str::kPlayerCannotLoad : str::kPlayerNotLoaded);
    case kErrDecoder:
      return BuildText(str::kPlayerDecoder);
    case kErrIncorrectMode:
      return BuildText(str::kPlayerWrongState);
    case kErrInputStream:
      return BuildText(str::kPlayerStream);
    case kErrNonSeekable:
      return BuildText(str::kPlayerNoSeek);
    case kErrOutputDevice:
      return BuildText(str::kPlayerOutput);
    case kErrNoStreamName:
      return BuildText(str::kPlayerNoFile);
    default:
      return BuildText(str::kPlayerOther, {std::to_string(code)});
  }
}

std::string PlayerErrorText(const TMPEGError& error) {
  return PlayerErrorText(error.ErrorCode, error.what());
}

}  // namespace tovix

#pragma once
// The run-time input/output error: a failed checked file operation.
#include <string>
#include <utility>
#include <vector>

#include "platform/wordederror.h"

namespace tovix {

class IoError : public WordedError {
 public:
  // code: the operating system's error number (errno), or a small
  // program-defined number where there is none.
  IoError(int code, const std::string& message) : WordedError(message), code_(code) {}

  // The same with the language table's string for it; the display site adds
  // the system's reason for code after textArgs.
  IoError(int code, const std::string& message, int textNumber, std::vector<std::string> textArgs)
      : WordedError(message, textNumber, std::move(textArgs)), code_(code) {}

  int code() const { return code_; }

 private:
  int code_;
};

}  // namespace tovix

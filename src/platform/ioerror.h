#pragma once
// The run-time input/output error: a failed checked file operation.
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tovix {

class IoError : public std::runtime_error {
 public:
  // code: the operating system's error number (errno), or a small
  // program-defined number where there is none.
  IoError(int code, const std::string& message) : std::runtime_error(message), code_(code) {}

  // The same with the language table's string for it: modules below the
  // language module name the text, the display site words it. message
  // stays the English text for logs and callers that have no table.
  IoError(int code, const std::string& message, int textNumber, std::vector<std::string> textArgs)
      : std::runtime_error(message),
        code_(code),
        textNumber_(textNumber),
        textArgs_(std::move(textArgs)) {}

  int code() const { return code_; }
  // 0 when the error has no table string.
  int textNumber() const { return textNumber_; }
  const std::vector<std::string>& textArgs() const { return textArgs_; }

 private:
  int code_;
  int textNumber_ = 0;
  std::vector<std::string> textArgs_;
};

}  // namespace tovix

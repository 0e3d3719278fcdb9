#pragma once
// The run-time input/output error: a failed checked file operation.
#include <stdexcept>
#include <string>

namespace tovix {

class IoError : public std::runtime_error {
 public:
  // code: the operating system's error number (errno), or a small
  // program-defined number where there is none.
  IoError(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
  int code() const { return code_; }

 private:
  int code_;
};

}  // namespace tovix

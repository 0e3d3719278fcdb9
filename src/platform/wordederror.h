#pragma once
// An error whose text the language table words: modules below the language
// module name the string and its arguments, the display site words them.
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tovix {

class WordedError : public std::runtime_error {
 public:
  // message: the text for logs and for callers that have no table.
  explicit WordedError(const std::string& message, int textNumber = 0,
                       std::vector<std::string> textArgs = {})
      : std::runtime_error(message), textNumber_(textNumber), textArgs_(std::move(textArgs)) {}

  // 0 when the error has no table string.
  int textNumber() const { return textNumber_; }
  const std::vector<std::string>& textArgs() const { return textArgs_; }

 private:
  int textNumber_;
  std::vector<std::string> textArgs_;
};

}  // namespace tovix

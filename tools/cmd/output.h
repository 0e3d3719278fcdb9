#pragma once
// Text a command writes to one of its streams. A terminal gets UTF-8 lines;
// a file or pipe gets Windows-1252 lines ended by CR LF, the program's own
// form, so what a batch echoes into a file reads back as the program wrote it.
#include <string>
#include <string_view>

namespace tovix::cmd {

class Output {
 public:
  explicit Output(int fd);
  // False when the stream took fewer bytes (a full disk, a closed pipe).
  bool Write(std::string_view ansi);
  bool Line(std::string_view ansi);

 private:
  int fd_;
  bool terminal_;
};

}  // namespace tovix::cmd

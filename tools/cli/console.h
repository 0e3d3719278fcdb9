#pragma once
// Where tovix-cli's texts go: memo and log lines to standard output,
// message-box texts to standard error, progress ("[ k / N ]") to standard
// error only when it is a terminal. Texts are Windows-1252 and leave as UTF-8.
#include <initializer_list>
#include <ostream>
#include <string>

namespace tovix::cli {

class Console {
 public:
  // showProgress: draw the progress line (standard error is a terminal).
  Console(std::ostream& out, std::ostream& err, bool showProgress);
  ~Console();

  // One memo or log line.
  void Line(const std::string& ansi);
  // One message-box text; each of its lines becomes a line.
  void Message(const std::string& ansi);
  // tovix-cli's own texts, already UTF-8: to standard output, or as an
  // error to standard error.
  void Note(const std::string& utf8);
  void ErrorNote(const std::string& utf8);
  // The progress line, redrawn in place; Status shows any status text there.
  void Progress(int done, int total);
  void Status(const std::string& ansi);
  // Clears the progress line, if one is shown.
  void EndProgress();

  // The streams themselves, for passes that write their own UTF-8 output.
  std::ostream& out() { return out_; }
  std::ostream& err() { return err_; }

 private:
  std::ostream& out_;
  std::ostream& err_;
  bool showProgress_;
  std::size_t shownWidth_ = 0;
};

// String n of the language table as UTF-8, "%1", "%2", ... filled with the
// UTF-8 arguments.
std::string Say(int n, std::initializer_list<std::string> utf8Args = {});

// "[ k / N ]", as the status line shows a pass's progress.
std::string ProgressText(int done, int total);

}  // namespace tovix::cli

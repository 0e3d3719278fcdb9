#include "console.h"

#include "lang/buildstrings.h"
#include "platform/codepage.h"

namespace tovix::cli {
namespace {

// Line breaks of any kind (message texts use CR alone) split lines.
template <typename Emit>
void EachLine(const std::string& text, Emit emit) {
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      emit(line);
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  emit(line);
}

}  // namespace

std::string Say(int n, std::initializer_list<std::string> utf8Args) {
  return FillIn(platform::AnsiToUtf8(BuildText(n)), utf8Args);
}

std::string ProgressText(int done, int total) {
  return "[ " + std::to_string(done) + " / " + std::to_string(total) + " ]";
}

Console::Console(std::ostream& out, std::ostream& err, bool showProgress)
    : out_(out), err_(err), showProgress_(showProgress) {}

Console::~Console() {
  EndProgress();
}

void Console::Line(const std::string& ansi) {
  EndProgress();
  out_ << platform::AnsiToUtf8(ansi) << '\n';
  out_.flush();
}

void Console::Message(const std::string& ansi) {
  EndProgress();
  out_.flush();
  EachLine(ansi, [&](const std::string& line) { err_ << platform::AnsiToUtf8(line) << '\n'; });
  err_.flush();
}

void Console::Note(const std::string& utf8) {
  EndProgress();
  out_ << utf8 << '\n';
  out_.flush();
}

void Console::ErrorNote(const std::string& utf8) {
  EndProgress();
  out_.flush();
  err_ << utf8 << '\n';
  err_.flush();
}

void Console::Progress(int done, int total) {
  Status(ProgressText(done, total));
}

void Console::Status(const std::string& ansi) {
  if (!showProgress_) return;
  const std::string text = platform::AnsiToUtf8(ansi);
  err_ << '\r' << text;
  if (text.size() < shownWidth_)
    err_ << std::string(shownWidth_ - text.size(), ' ') << '\r' << text;
  err_.flush();
  shownWidth_ = text.size();
}

void Console::EndProgress() {
  if (!showProgress_ || shownWidth_ == 0) return;
  err_ << '\r' << std::string(shownWidth_, ' ') << '\r';
  err_.flush();
  shownWidth_ = 0;
}

}  // namespace tovix::cli

#include "consolereport.h"

#include <csignal>

namespace tovix::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int) {
  interrupted = 1;
}

}  // namespace

ConsoleReport& ConsoleReport::LinesAsMessages() {
  messages_ = true;
  return *this;
}

ConsoleReport& ConsoleReport::CountIn(std::int64_t unit) {
  unit_ = unit;
  return *this;
}

void ConsoleReport::Line(const std::string& text, int /*listLine*/) {
  if (messages_)
    console_.Message(text);
  else
    console_.Line(text);
}

void ConsoleReport::Progress(std::int64_t done, std::int64_t total) {
  const std::int64_t count = done / unit_;
  if (unit_ > 1 && count == shown_) return;
  shown_ = count;
  console_.Progress(static_cast<int>(count), static_cast<int>((total + unit_ - 1) / unit_));
}

bool ConsoleReport::KeepGoing() {
  return !stopped_ && !interrupted;
}

InterruptStops::InterruptStops() {
  interrupted = 0;
  previousInt_ = std::signal(SIGINT, OnInterrupt);
  previousTerm_ = std::signal(SIGTERM, OnInterrupt);
}

InterruptStops::~InterruptStops() {
  std::signal(SIGINT, previousInt_);
  std::signal(SIGTERM, previousTerm_);
  interrupted = 0;
}

}  // namespace tovix::cli

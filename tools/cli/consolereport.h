#pragma once
// How a pass reports to tovix-cli: its lines as memo lines on standard
// output, or as message texts (the rename passes); its count on the
// progress line; and it goes on until Stop or, while an InterruptStops
// lives, Ctrl+C or a TERM.
#include <atomic>
#include <cstdint>
#include <string>

#include "console.h"
#include "platform/passreport.h"

namespace tovix::cli {

class ConsoleReport : public PassReport {
 public:
  explicit ConsoleReport(Console& console) : console_(console) {}

  // Each line as a message-box text; the texts that need their list line
  // name it themselves.
  ConsoleReport& LinesAsMessages();
  // Above a unit of 1 the count is in whole units (total rounded up) and
  // drawn only as it changes.
  ConsoleReport& CountIn(std::int64_t unit);
  // May be called from any thread.
  void Stop() { stopped_ = true; }

  void Line(const std::string& text, int listLine = -1) override;
  void Progress(std::int64_t done, std::int64_t total) override;
  bool KeepGoing() override;

 private:
  Console& console_;
  bool messages_ = false;
  std::int64_t unit_ = 1;
  std::int64_t shown_ = -1;
  std::atomic<bool> stopped_{false};
};

// While one lives, Ctrl+C (or a TERM) stops the pass as " oops..." does
// instead of ending tovix-cli.
class InterruptStops {
 public:
  InterruptStops();
  ~InterruptStops();
  InterruptStops(const InterruptStops&) = delete;
  InterruptStops& operator=(const InterruptStops&) = delete;

 private:
  void (*previousInt_)(int);
  void (*previousTerm_)(int);
};

}  // namespace tovix::cli

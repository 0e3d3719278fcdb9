#pragma once
// How a pass reports to a page of the main window. Each pass configures
// one: where its lines go (the page's memo, or a message box with the
// review list's caret on their line), its count in LED, whether the window
// may run meanwhile, and the page whose staying open lets it go on.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/passreport.h"

namespace tovix {

class MainWindow;

class PageReport : public PassReport {
 public:
  explicit PageReport(MainWindow& form) : form_(form) {}

  // Each line appended to a memo (by memo).
  PageReport& LinesTo(std::function<void(const std::string&)> memo);
  // Each line in the error box, the rename page's caret on its list line.
  PageReport& LinesAsMessages();
  // "[ k / N ]" in LED; above a unit of 1 the count is in whole units
  // (total rounded up) with suffix, and LED is repainted only as it changes.
  PageReport& CountInLed(std::int64_t unit = 1, std::string suffix = "");
  // Pending window messages run after each piece. Only for passes where a
  // click cannot start a second pass over the same files.
  PageReport& LetEventsRun();
  // The pass goes on while the page number says page (leaving it stops).
  PageReport& WhileOnPage(int page);
  // The pass goes on until the window closes (passes that switch pages).
  PageReport& WhileOpen();

  void Line(const std::string& text, int listLine = -1) override;
  void Progress(std::int64_t done, std::int64_t total) override;
  bool KeepGoing() override;

 private:
  MainWindow& form_;
  std::function<void(const std::string&, int)> lines_;
  bool counts_ = false;
  std::int64_t unit_ = 1;
  std::string suffix_;
  std::int64_t shown_ = -1;
  bool letEventsRun_ = false;
  int page_ = -1;
  bool whileOpen_ = false;
};

// LED shows a pass's count while it runs, then text: what it showed before,
// unless the pass says otherwise.
struct LedBack {
  explicit LedBack(MainWindow& form);
  ~LedBack();
  LedBack(const LedBack&) = delete;
  LedBack& operator=(const LedBack&) = delete;

  MainWindow& form;
  std::string text;
};

}  // namespace tovix

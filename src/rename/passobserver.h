#pragma once
// How the info-text and CD-batch passes report to their window.
#include <string>

namespace tovix {

class PassObserver {
 public:
  virtual ~PassObserver() = default;
  // One line for the page's memo (Windows-1252).
  virtual void MemoLine(const std::string& text) = 0;
  // Called after each file so the window can let pending messages run.
  virtual void Progress(int done, int total) { (void)done, (void)total; }
};

}  // namespace tovix

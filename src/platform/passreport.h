#pragma once
// How a long pass reports to whoever runs it: a page of the window,
// tovix-cli, a test. Every pass (info texts, CD batch pair, rename list and
// its apply step, recode, TV sheet, CD image) takes one.
#include <cstdint>
#include <string>

namespace tovix {

class PassReport {
 public:
  virtual ~PassReport() = default;
  // One line for the user (Windows-1252): a memo line, or a message about
  // listLine, the 0-based line of the review list it concerns (-1: none).
  virtual void Line(const std::string& text, int listLine = -1) = 0;
  // After each piece (a file, a tile, a block of bytes): done of total.
  virtual void Progress(std::int64_t done, std::int64_t total) { (void)done, (void)total; }
  // Asked between pieces where stopping leaves nothing half done; false
  // stops the pass there.
  virtual bool KeepGoing() { return true; }
};

}  // namespace tovix

// Hostile batch files: the interpreter's own limits keep tovix-cmd's
// memory and stack bounded, as on Windows.
#include <sys/resource.h>

#include "cmd/batchtest.h"
#include "cmd/interpreter.h"

namespace tovix::test {
namespace {

using Limits = BatchTest;

long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

std::string Repeat(const std::string& part, std::size_t times) {
  std::string s;
  for (std::size_t i = 0; i < times; ++i) s += part;
  return s;
}

TEST_F(Limits, OverlongLinesAreSkippedWithAClearLine) {
  const std::string atLimit = "echo " + std::string(cmd::kMaxLineLength - 5, 'x');
  const std::string over = "echo " + std::string(cmd::kMaxLineLength - 4, 'y');
  Result r = Run(Bat({"@echo off", atLimit, over, "echo after"}));
  EXPECT_EQ(r.out, Crlf({std::string(cmd::kMaxLineLength - 5, 'x'), "after"}));
  EXPECT_EQ(r.err, Crlf({"The input line is too long."}));
  // A short line that expands past the limit counts as too long as well.
  r = Run(Bat({"@echo off", "echo " + Repeat("%*", 100), "echo %errorlevel%"}),
          {std::string(200, 'a')});
  EXPECT_EQ(r.out, Crlf({"1"}));
  EXPECT_EQ(r.err, Crlf({"The input line is too long."}));
}

// AddressSanitizer keeps freed blocks in a quarantine of up to 256 MB, so
// there the peak counts what was freed as well.
#if defined(__SANITIZE_ADDRESS__)
constexpr long kPeakGrowthKb = (64 + 256) * 1024;
#else
constexpr long kPeakGrowthKb = 64 * 1024;
#endif

TEST_F(Limits, NestedIfsAndLongChainsNeedLittleMemory) {
  const long before = PeakKilobytes();
  Result r =
      Run(Bat({"@echo off", Repeat("if a==a ", 1000) + "echo deep",
               Repeat("echo a& ", 900) + "echo end", Repeat("if a==a ", 40000) + "echo too long"}));
  EXPECT_EQ(r.err, Crlf({"The input line is too long."}));
  EXPECT_EQ(r.out.size(), Crlf({"deep"}).size() + 900 * 3 + Crlf({"end"}).size());
  EXPECT_TRUE(r.out.ends_with("a\r\nend\r\n"));
  EXPECT_LT(PeakKilobytes() - before, kPeakGrowthKb) << "peak memory grew too much";
}

TEST_F(Limits, ABatchThatCallsItselfStopsAtTheDepthLimit) {
  Put("self.bat", Bat({"@echo off", "echo>>count.txt x", "call self.bat"}));
  Put("named.bat", Bat({"@echo off", "echo>>named.txt x", "named.bat"}));
  Result r = Run(Bat({"@echo off", "call self.bat", "echo level %errorlevel%", "named.bat"}));
  const std::string line = "x\r\n";
  EXPECT_EQ(Get("count.txt").size(), line.size() * (cmd::kMaxBatchDepth - 1));
  EXPECT_EQ(Get("named.txt").size(), line.size() * (cmd::kMaxBatchDepth - 1));
  EXPECT_NE(r.err.find("Batch recursion exceeds the limit of 100"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, Crlf({"level 1"}));
  EXPECT_EQ(r.level, 1);
}

}  // namespace
}  // namespace tovix::test

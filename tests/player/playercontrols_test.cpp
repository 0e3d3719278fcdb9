// The elapsed time the player buttons show in the status line.
#include "player/playercontrols.h"

#include <gtest/gtest.h>

namespace tovix {
namespace {

TEST(ElapsedTime, FractionPlayedTimesTheRunningTime) {
  // A 90-second song half played shows 45 seconds.
  EXPECT_EQ(ElapsedMs(45000, 90000, 90), 45000);
  EXPECT_EQ(ElapsedText(ElapsedMs(45000, 90000, 90)), "00:00:45");
  // Thousandths are truncated before the multiplication.
  EXPECT_EQ(ElapsedMs(1, 3, 90), 333 * 90);
  // A song of an hour and more: no overflow of the position in thousandths.
  EXPECT_EQ(ElapsedMs(3'000'000, 4'000'000, 4000), 750 * 4000);
  EXPECT_EQ(ElapsedText(ElapsedMs(3'000'000, 4'000'000, 4000)), "00:50:00");
  EXPECT_EQ(ElapsedText(3723000), "01:02:03");
  // An unknown length shows the start.
  EXPECT_EQ(ElapsedMs(500, 0, 90), 0);
  EXPECT_EQ(ElapsedText(0), "00:00:00");
}

}  // namespace
}  // namespace tovix

#include "player/playercontrols.h"

#include <cstdint>
#include <cstdio>

namespace tovix {

int ElapsedMs(int pos, int len, int durationSeconds) {
  if (len <= 0 || pos <= 0) return 0;
  // 64 bits: a song longer than 35 minutes would overflow pos * 1000.
  const std::int64_t thousandths = static_cast<std::int64_t>(pos) * 1000 / len;
  return static_cast<int>(thousandths * durationSeconds);
}

std::string ElapsedText(int ms) {
  const int seconds = ms < 0 ? 0 : ms / 1000;
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600 % 24, seconds / 60 % 60,
                seconds % 60);
  return text;
}

}  // namespace tovix

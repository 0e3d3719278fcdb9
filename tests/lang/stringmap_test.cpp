// The map from string numbers to controls covers exactly the numbers the
// windows take.
#include "lang/stringmap.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <utility>

namespace tovix {
namespace {

TEST(StringMap, MainWindowTakesFortySevenToNinetySixWithoutFiftyTwoAndEightyFour) {
  std::set<int> numbers;
  for (const auto& e : kStringMap)
    if (e.window == StringWindow::kMain) numbers.insert(e.number);
  std::set<int> expected;
  for (int n = 47; n <= 96; ++n)
    if (n != 52 && n != 68 && n != 84) expected.insert(n);
  expected.insert(161);  // the ID3v2 check box on the rename options page
  expected.insert(185);  // "Bitrate < 128"
  expected.insert(343);  // the recode switch, which no longer repeats GroupBox1's title
  EXPECT_EQ(numbers, expected);
}

TEST(StringMap, EachControlPropertyIsSetOnce) {
  std::set<std::tuple<StringWindow, std::string, StringTarget>> seen;
  for (const auto& e : kStringMap)
    EXPECT_TRUE(seen.insert({e.window, std::string(e.control), e.target}).second)
        << e.control << " " << e.number;
}

TEST(StringMap, ToolbarButtonsRepeatTheHintsOfTheirPageLabels) {
  for (const auto& copy : kToolbarHintCopies) {
    int labelNumber = 0, buttonNumber = 0;
    for (const auto& e : kStringMap) {
      if (e.target != StringTarget::kHint) continue;
      if (e.window == StringWindow::kMain && e.control == copy.mainLabel) labelNumber = e.number;
      if (e.window == StringWindow::kToolbar && e.control == copy.toolbarButton)
        buttonNumber = e.number;
    }
    EXPECT_NE(labelNumber, 0) << copy.mainLabel;
    EXPECT_EQ(buttonNumber, labelNumber) << copy.toolbarButton;
  }
  bool closeHint = false;
  for (const auto& e : kStringMap)
    closeHint |= e.window == StringWindow::kToolbar && e.control == "SpeedButton7" &&
                 e.target == StringTarget::kHint && e.number == 37;
  EXPECT_TRUE(closeHint);
}

}  // namespace
}  // namespace tovix

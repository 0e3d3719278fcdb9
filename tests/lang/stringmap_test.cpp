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
    if (n != 52 && n != 84) expected.insert(n);
  EXPECT_EQ(numbers, expected);
}

TEST(StringMap, EachControlPropertyIsSetOnce) {
  std::set<std::tuple<StringWindow, std::string, StringTarget>> seen;
  for (const auto& e : kStringMap)
    EXPECT_TRUE(seen.insert({e.window, std::string(e.control), e.target}).second)
        << e.control << " " << e.number;
}

TEST(StringMap, SharedStringsReachEveryPlace) {
  auto places = [](int number) {
    std::set<std::string> controls;
    for (const auto& e : kStringMap)
      if (e.number == number && e.window == StringWindow::kMain)
        controls.insert(std::string(e.control));
    return controls;
  };
  EXPECT_EQ(places(54), (std::set<std::string>{"SpeedButton7", "SpeedButton14"}));
  EXPECT_EQ(places(64), (std::set<std::string>{"Panel1", "Label9"}));
  EXPECT_EQ(places(95), (std::set<std::string>{"Artist", "Title", "Laufzeit", "Tech", "Encoder"}));
  EXPECT_EQ(places(53), (std::set<std::string>{std::string(kMainWindowName)}));
}

TEST(StringMap, HintsAndTheFilter) {
  std::set<int> hints;
  for (const auto& e : kStringMap) {
    if (e.window != StringWindow::kMain) continue;
    if (e.target == StringTarget::kHint) hints.insert(e.number);
    if (e.target == StringTarget::kFilter) {
      EXPECT_EQ(e.number, 80);
    }
  }
  EXPECT_EQ(hints, (std::set<int>{85, 86, 87, 88, 89, 90, 91, 93, 94, 95}));
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

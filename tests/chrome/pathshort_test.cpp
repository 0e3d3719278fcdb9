// Shortening a path for the folder dialog's status line.
#include <gtest/gtest.h>

#include "chrome/pathshort.h"

namespace tovix::chrome {
namespace {

TEST(ShortenPath, DropsMiddlePartsUntilItFits) {
  const std::string path = R"(C:\Programme\Audio\MP3\Sammlung\Rock\Album)";
  ASSERT_EQ(path.size(), 42u);
  const std::string shown = ShortenPath(path, 35, '\\');
  EXPECT_EQ(shown, R"(C:\...\MP3\Sammlung\Rock\Album)");
  EXPECT_EQ(shown.size(), 30u);
  // The same with the native separator.
  EXPECT_EQ(ShortenPath("C:/Programme/Audio/MP3/Sammlung/Rock/Album"),
            "C:/.../MP3/Sammlung/Rock/Album");
}

TEST(ShortenPath, ShortPathsStayUnchanged) {
  const std::string exact(35, 'a');
  EXPECT_EQ(ShortenPath(exact), exact);
  EXPECT_EQ(ShortenPath("/home/user/mp3"), "/home/user/mp3");
  EXPECT_EQ(ShortenPath(""), "");
}

TEST(ShortenPath, TwoPartsStayUnchangedHoweverLong) {
  const std::string path = "/" + std::string(40, 'x');  // parts "" and the name
  EXPECT_EQ(ShortenPath(path), path);
  const std::string noSep(50, 'y');
  EXPECT_EQ(ShortenPath(noSep), noSep);
}

TEST(ShortenPath, ThreePartsMayStayTooLong) {
  const std::string path = "/music/" + std::string(40, 'z');
  const std::string shown = ShortenPath(path);
  EXPECT_EQ(shown, "/.../" + std::string(40, 'z'));
  EXPECT_GT(shown.size(), 35u);
}

TEST(ShortenPath, ReplacingTheSecondPartMayBeEnough) {
  // 36 characters; "verylongname" becomes "...", 27 characters.
  const std::string path = "/verylongname/abcdefgh/ijklmnop/qr";
  ASSERT_EQ(path.size(), 34u);
  const std::string longer = path + "st";
  EXPECT_EQ(ShortenPath(longer), "/.../abcdefgh/ijklmnop/qrst");
}

TEST(ShortenPath, EmptyPartsCountAsParts) {
  // A network path starts with two empty parts; the second becomes "...".
  const std::string path = R"(\\server\share\Musik\Sammlung\Jazz\Album)";
  ASSERT_GT(path.size(), 35u);
  EXPECT_EQ(ShortenPath(path, 35, '\\'), R"(\...\Musik\Sammlung\Jazz\Album)");
  // A trailing separator leaves an empty last part, which stays.
  EXPECT_EQ(ShortenPath("/home/someone/Musik/Sammlung/Jazz/Album/", 35),
            "/.../Musik/Sammlung/Jazz/Album/");
}

}  // namespace
}  // namespace tovix::chrome

// The CD image and the disc check on generated folders: the image read back
// by xorriso holds exactly the tree Short.bat makes, byte for byte, and the
// user's folder is the same afterwards.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "cli/clirunner.h"
#include "disc/disccheck.h"
#include "disc/isoimage.h"
#include "lang/sprachen.h"
#include "platform/codepage.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"
#include "platform/process.h"
#include "rename/cdbatches.h"
#include "rename/mp3fixture.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

std::string Xorriso() {
  for (const char* dir : {"/usr/bin/", "/usr/local/bin/", "/bin/"})
    if (access((std::string(dir) + "xorriso").c_str(), X_OK) == 0)
      return std::string(dir) + "xorriso";
  return "";
}

// The image's files as xorriso extracts them: disc path -> bytes.
std::map<std::string, std::string> ReadBack(const std::string& iso) {
  const std::string xorriso = Xorriso();
  // A missing reader is a failure, not a skip: CI installs it.
  EXPECT_FALSE(xorriso.empty()) << "xorriso is not installed";
  TempDir out;
  platform::ProcessSpec request;
  request.program = xorriso;
  request.args = {xorriso, "-osirrox", "on", "-indev", iso, "-extract", "/", out.file("x")};
  request.in = platform::StdStream::Null();
  request.out = platform::StdStream::Null();
  request.err = platform::StdStream::Null();
  platform::Process process;
  if (!process.Start(request) || !process.Wait(120000) || process.exitCode() != 0) {
    ADD_FAILURE() << "xorriso cannot read " << iso;
    return {};
  }
  return test::FolderState(out.file("x"));
}

std::map<std::string, std::string> Upper(const std::map<std::string, std::string>& state) {
  std::map<std::string, std::string> out;
  for (const auto& [path, bytes] : state) {
    std::string p = path;
    std::transform(p.begin(), p.end(), p.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
    out[p] = bytes;
  }
  return out;
}

std::vector<DiscProblem> Problems(const std::vector<DiscFinding>& findings) {
  std::vector<DiscProblem> out;
  for (const DiscFinding& f : findings) out.push_back(f.problem);
  return out;
}

class Disc : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(ApplyLanguage(0, test::ProgramDir() + "tovix.lng"), LanguageResult::kOk);
  }
  std::string cd() const { return root_.file("Meine CD"); }
  void SetUp() override { fs::create_directory(cd()); }
  void Put(const std::string& name, const std::string& bytes) { test::PutFile(cd(), name, bytes); }
  // A folder as real collections hold it: names in German and French,
  // companions in other letter cases, a song without a picture, a song
  // Short.bat leaves in place.
  void PutCollection() {
    Put("Some Band - First Song.mp3", test::Song("Some Band", "First Song", 'a'));
    Put("Some Band - First Song.BIN", std::string(5000, 'b'));
    Put("some band - first song.jpg", "jpeg bytes");
    Put("Some Band - First Song.txt", "text");
    Put("Yesterday.mp3", test::Song("", "", 'y'));
    Put("Yesterday.bin", "yesterday's picture");
    Put("1 Track.mp3", test::Song("", "", '1'));
    Put("7 Tracks.mp3", test::Song("", "", '7'));
    Put("7 Tracks.bin", "seven");
    Put("\xC4rzte - Sch\xF6n.mp3", test::Song("", "", 'z'));
    Put("\xC4rzte - Sch\xF6n.bin", "umlaut");
    Put("\xC7"
        "a va - Fran\xE7ois.mp3",
        test::Song("", "", 'c'));
    Put("\xC7"
        "a va - Fran\xE7ois.bin",
        "cedilla");
    Put("(Intro).mp3", test::Song("", "", 'i'));
    Put("cover.png", "not a song");
  }
  std::string Iso() const { return root_.file("cd.iso"); }
  TempDir root_;
};

TEST_F(Disc, ImageHoldsExactlyTheTreeShortBatMakesAndTheFolderStaysAsItWas) {
  PutCollection();
  const auto before = test::FolderState(cd());
  const DiscTree tree =
      ShortLayoutTree(platform::FromNative(cd()).value(), platform::FromNative(cd()).value());
  const auto findings = CheckDisc(tree, DiscLimits{});
  EXPECT_FALSE(HasErrors(findings));
  // Warnings: "1 Track" and "(Intro)" have no picture. "Ça va" goes with C,
  // "(Intro)" to "_".
  EXPECT_EQ(Problems(findings), (std::vector{DiscProblem::kNoBin, DiscProblem::kNoBin}));
  EXPECT_EQ(tree.volume, "MEINE_CD");
  WriteIsoImage(tree, platform::FromNative(Iso()).value(), false);
  const auto disc = ReadBack(Iso());
  EXPECT_TRUE(test::FolderState(cd()) == before);

  // The same folder laid out by Short.bat itself, run by the interpreter.
  TempDir copy;
  fs::copy(cd(), copy.file("cd"), fs::copy_options::recursive);
  CreateCdBatches(platform::FromNative(copy.file("cd")).value(),
                  platform::FromNative(copy.file("cd")).value(), true);
  ASSERT_EQ(test::RunProgram("tovix-cmd", {"Short.bat"}, copy.file("cd")), 0);
  auto laidOut = test::FolderState(copy.file("cd"));
  std::map<std::string, std::string> expected;
  for (const auto& [path, bytes] : Upper(laidOut)) {
    if (path.find('/') == std::string::npos) continue;  // what Short.bat leaves in the folder
    std::string p = path;
    if (p.rfind("0-9/", 0) == 0) p.replace(0, 3, "0_9");
    if (p.rfind("\xC3\x84/", 0) == 0) p.replace(0, 2, "AE");  // the umlaut folder, UTF-8 on disk
    std::replace(p.begin(), p.end(), '(', '_');               // no ISO 9660 character
    expected[p] = bytes;
  }
  EXPECT_EQ(disc, expected);
  // And by hand, the names a user sees on the disc.
  for (const char* name : {"S/01SOMEB.MP3", "S/01SOMEB.BIN", "S/01SOMEB.JPG", "S/01SOMEB.TXT",
                           "Y/01YESTE.MP3", "Y/01YESTE.BIN", "0_9/011TRAC.MP3", "0_9/017TRAC.BIN",
                           "AE/01_RZTE.MP3", "C/01_AVA.MP3", "C/01_AVA.BIN", "_/01_INTR.MP3"})
    EXPECT_EQ(disc.count(name), 1u) << name;
  EXPECT_EQ(disc.size(), 14u);

  // A song no batch line can name (code page 850 has no euro sign) would be
  // missing from the disc: an error, and no image.
  Put("\x80uro.mp3", test::Song("", "", 'e'));
  const auto missing = CheckDisc(
      ShortLayoutTree(platform::FromNative(cd()).value(), platform::FromNative(cd()).value()),
      DiscLimits{});
  EXPECT_TRUE(HasErrors(missing));
  EXPECT_EQ(Problems(missing).front(), DiscProblem::kLeftOut);
  // Named as the system spells it, since Short.bat could not take it.
  EXPECT_EQ(missing.front().file,
            "\xE2\x82\xAC"
            "uro.mp3");
  EXPECT_TRUE(missing.front().nativeFile);
}

TEST_F(Disc, AsIsTakesTheFolderAsItStandsAndRefusesNamesTheDiscCannotHold) {
  fs::create_directories(cd() + "/A/DEEP");
  Put("README.TXT", "top");
  Put("A/01abba.mp3", test::Song("", "", 'a'));
  Put("A/DEEP/x.bin", "x");
  DiscTree tree = AsIsTree(platform::FromNative(cd()).value());
  ASSERT_FALSE(HasErrors(CheckDisc(tree, DiscLimits{})));
  WriteIsoImage(tree, platform::FromNative(Iso()).value(), false);
  const std::map<std::string, std::string> expected = {
      {"README.TXT", "top"}, {"A/01ABBA.MP3", test::Song("", "", 'a')}, {"A/DEEP/X.BIN", "x"}};
  EXPECT_EQ(ReadBack(Iso()), expected);

  Put("Long Name.mp3", "a");
  fs::create_directories(cd() + "/0-9");
  tree = AsIsTree(platform::FromNative(cd()).value());
  const auto findings = CheckDisc(tree, DiscLimits{});
  EXPECT_EQ(Problems(findings), (std::vector{DiscProblem::kBadName, DiscProblem::kBadName}));
  EXPECT_EQ(FindingText(findings[0]), LanguageString(176) + " Long Name.mp3");
  EXPECT_EQ(findings[1].file, "0-9/");
}

TEST_F(Disc, EachLimitOfThePlayerIsFoundWithItsFile) {
  const std::string folder = platform::FromNative(cd()).value();
  Put("Abba - One.mp3", "1");
  Put("Abba - One.bin", std::string(163840, 'p'));  // exactly what the player takes
  Put("Beatles - Two.mp3", "2");
  Put("Beatles - Two.bin", std::string(163841, 'p'));
  Put("Cream - Three.mp3", "3");
  Put("Cream - Three.bin", "3");
  auto check = [&](const DiscLimits& limits) {
    return CheckDisc(ShortLayoutTree(folder, folder), limits);
  };

  auto findings = check(DiscLimits{});
  ASSERT_EQ(Problems(findings), std::vector{DiscProblem::kBinTooLarge});
  EXPECT_EQ(findings[0].file, "Beatles - Two.bin");
  fs::remove(cd() + "/Beatles - Two.bin");
  EXPECT_EQ(Problems(check(DiscLimits{})), std::vector{DiscProblem::kNoBin});

  DiscLimits few;
  few.maxFolders = 2;  // A, B, C
  few.maxFiles = 5;    // three songs, two pictures
  EXPECT_EQ(Problems(check(few)), (std::vector{DiscProblem::kTooManyFolders, DiscProblem::kNoBin}));
  few.maxFolders = 3;
  few.maxFiles = 4;
  EXPECT_EQ(Problems(check(few)), (std::vector{DiscProblem::kTooManyFiles, DiscProblem::kNoBin}));

  // A sparse file is as large as its length, without filling the disk.
  {
    const std::string big = cd() + "/Cream - Three.mp3";
    fs::resize_file(big, 690'000'000);
  }
  DiscLimits small;
  small.mediumMb = 650;
  EXPECT_EQ(Problems(check(small)), (std::vector{DiscProblem::kTooLarge, DiscProblem::kNoBin}));
  EXPECT_EQ(Problems(check(DiscLimits{})), std::vector{DiscProblem::kNoBin});

  Put("cream - three.MP3", "twin");  // Linux allows it, the disc does not
  const auto twins = Problems(check(DiscLimits{}));
  EXPECT_EQ(std::count(twins.begin(), twins.end(), DiscProblem::kCasePair), 1);

  EXPECT_EQ(Problems(CheckDisc(ShortLayoutTree(folder, folder + "/other"), DiscLimits{}))[0],
            DiscProblem::kNotOneFolder);

  // The CD's own folder is the first of the 8 levels ISO 9660 allows.
  fs::create_directories(cd() + "/1/2/3/4/5/6/7/8");
  EXPECT_TRUE(CheckDisc(AsIsTree(folder + "/1"), DiscLimits{}).empty());
  fs::create_directories(cd() + "/1/2/3/4/5/6/7/8/9/10");
  const auto tooDeep = CheckDisc(AsIsTree(folder + "/1"), DiscLimits{});
  ASSERT_EQ(Problems(tooDeep), std::vector{DiscProblem::kTooDeep});
  EXPECT_EQ(tooDeep[0].file, "2/3/4/5/6/7/8/9");
}

class StopAfter : public PassReport {
 public:
  explicit StopAfter(int pieces) : left_(pieces) {}
  void Line(const std::string&, int) override {}
  bool KeepGoing() override { return left_-- > 0; }

 private:
  int left_;
};

TEST_F(Disc, AFailedOrCancelledImageLeavesNothingAndAnOldOneIsKept) {
  Put("Abba - One.mp3", std::string(3'000'000, 'a'));
  Put("Abba - One.bin", "p");
  const std::string folder = platform::FromNative(cd()).value();
  const DiscTree tree = ShortLayoutTree(folder, folder);
  TempDir out;
  const std::string iso = platform::FromNative(out.file("cd.iso")).value();

  StopAfter stop(1);
  EXPECT_THROW(WriteIsoImage(tree, iso, false, &stop), ImageCancelled);
  EXPECT_TRUE(fs::is_empty(out.path()));

  test::WriteFile(out.file("cd.iso"), "an old image");
  EXPECT_THROW(WriteIsoImage(tree, iso, false), IoError);
  EXPECT_EQ(test::ReadFile(out.file("cd.iso")), "an old image");
  EXPECT_GT(WriteIsoImage(tree, iso, true), 3'000'000);
  EXPECT_EQ(ReadBack(out.file("cd.iso")).at("A/01ABBA.MP3"), std::string(3'000'000, 'a'));

  // A song gone between the check and the image: no image at all.
  fs::remove(cd() + "/Abba - One.mp3");
  EXPECT_THROW(WriteIsoImage(tree, iso + "2", false), IoError);
  EXPECT_EQ(std::distance(fs::directory_iterator(out.path()), fs::directory_iterator{}), 1);
}

}  // namespace
}  // namespace tovix

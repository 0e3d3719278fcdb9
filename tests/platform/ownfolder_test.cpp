// The program's own folder: the program folder while it is writable and not
// an installed copy, else the user's XDG settings folder, made when first
// needed.
#include "platform/ownfolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/filesys.h"
#include "support/tempdir.h"

namespace tovix::platform {
namespace {

class OwnFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"HOME", "XDG_CONFIG_HOME"})
      if (const char* v = std::getenv(name)) saved_.emplace_back(name, v);
    setenv("HOME", (dir_.path() + "/home").c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    std::filesystem::create_directory(program_);
  }
  void TearDown() override {
    chmod(program_.c_str(), 0755);
    SetProgramDir("");
    unsetenv("XDG_CONFIG_HOME");
    for (const auto& [name, value] : saved_) setenv(name.c_str(), value.c_str(), 1);
  }
  test::TempDir dir_;
  std::string program_ = dir_.file("program");
  std::vector<std::pair<std::string, std::string>> saved_;
};

TEST_F(OwnFolderTest, TheUsersFolderFollowsXdgConfigHome) {
  EXPECT_EQ(UserSettingsDir(), dir_.path() + "/home/.config/tovix/");
  setenv("XDG_CONFIG_HOME", "/somewhere/else", 1);
  EXPECT_EQ(UserSettingsDir(), "/somewhere/else/tovix/");
  // A relative XDG_CONFIG_HOME is invalid and ignored.
  setenv("XDG_CONFIG_HOME", "relative", 1);
  EXPECT_EQ(UserSettingsDir(), dir_.path() + "/home/.config/tovix/");
}

TEST_F(OwnFolderTest, AWritableProgramFolderIsItsOwnFolder) {
  SetProgramDir(program_);
  EXPECT_TRUE(FolderIsWritable(program_));
  EXPECT_FALSE(IsInstalledFolder(program_));
  EXPECT_EQ(OwnFolder(), program_ + "/");
  EXPECT_FALSE(std::filesystem::exists(dir_.path() + "/home"));
}

TEST_F(OwnFolderTest, AnInstalledCopysFolderIsNeverItsOwnEvenWhenWritable) {
  // The package leaves the folder at 0755, which root may write to.
  std::ofstream(program_ + "/" + kInstalledMarker) << "installed\n";
  SetProgramDir(program_);
  ASSERT_TRUE(FolderIsWritable(program_));
  EXPECT_TRUE(IsInstalledFolder(program_));
  EXPECT_TRUE(IsInstalledFolder(program_ + "/"));
  EXPECT_EQ(OwnFolder(), dir_.path() + "/home/.config/tovix/");
  // A folder of that name is no marker.
  std::filesystem::create_directories(dir_.file("other") + "/" + kInstalledMarker);
  EXPECT_FALSE(IsInstalledFolder(dir_.file("other")));
}

TEST_F(OwnFolderTest, AReadOnlyProgramFolderSendsTheFilesToTheUsersFolder) {
  // Also for root, who could write there regardless of the bits.
  ASSERT_EQ(chmod(program_.c_str(), 0555), 0);
  SetProgramDir(program_);
  EXPECT_FALSE(FolderIsWritable(program_));
  const std::string own = OwnFolder();
  EXPECT_EQ(own, dir_.path() + "/home/.config/tovix/");
  EXPECT_TRUE(std::filesystem::is_directory(own));
  EXPECT_FALSE(FolderIsWritable(dir_.file("missing")));
}

}  // namespace
}  // namespace tovix::platform

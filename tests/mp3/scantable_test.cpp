// The scan table, in process and through the real tovix-scan program.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <sstream>

#include "mp3/scantable.h"
#include "mp3builder.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

using test::Frames;
using test::Id3v1;
using test::TagFields;
using test::TempDir;
using test::WriteFile;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> Cells(const std::string& line) {
  std::vector<std::string> cells;
  std::size_t start = 0;
  for (;;) {
    std::size_t tab = line.find('\t', start);
    cells.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) return cells;
    start = tab + 1;
  }
}

// A folder as a user has it: two songs (one with an upper-case extension),
// other files, a hidden song and a folder named like a song.
class ScanFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    TagFields f;
    f.title = "Gr\x81n\tgelb";  // code page 850 u-umlaut, and a tab
    f.artist = "Band";
    f.comment = std::string(28, '\0') + '\0' + '\x05';
    f.genre = 255;
    WriteFile(dir_.file("b.mp3"), Frames(40) + Id3v1(f));
    std::string plain = Frames(20);
    plain[3] = '\x64';  // a fourth header byte the encoder guess does not know
    WriteFile(dir_.file("A.MP3"), std::string(10, 'j') + plain);
    WriteFile(dir_.file("notes.txt"), Frames(5));
    WriteFile(dir_.file(".hidden.mp3"), Frames(5));
    std::filesystem::create_directory(dir_.file("sub.mp3"));
  }
  TempDir dir_;
};

TEST_F(ScanFolder, ListsTheSongsAsThePassesDo) {
  std::ostringstream out, err;
  EXPECT_EQ(WriteScanTable({dir_.path()}, out, err), 0);
  EXPECT_EQ(err.str(), "");
  auto lines = Lines(out.str());
  ASSERT_EQ(lines.size(), 3u);
  auto header = Cells(lines[0]);
  ASSERT_EQ(header.size(), 22u);
  EXPECT_EQ(header[0], "File");
  EXPECT_EQ(header[6], "BitRate");
  EXPECT_EQ(header[14], "Title");

  auto a = Cells(lines[1]);
  ASSERT_EQ(a.size(), header.size());
  EXPECT_EQ(a[0], dir_.file("A.MP3"));
  EXPECT_EQ(a[2], "8350");  // FileLength
  EXPECT_EQ(a[6], "128");
  EXPECT_EQ(a[13], "Encoder nicht erkannt");
  EXPECT_EQ(a[19], "");
  EXPECT_EQ(a[20], "-1");  // no tag
  EXPECT_EQ(a[21], "0");

  auto b = Cells(lines[2]);
  ASSERT_EQ(b.size(), header.size());
  EXPECT_EQ(b[0], dir_.file("b.mp3"));
  EXPECT_EQ(b[1], std::to_string((40 * 417 + 128) * 8 / 128000));
  EXPECT_EQ(b[3], "1");
  EXPECT_EQ(b[4], "3");
  EXPECT_EQ(b[5], "44100");
  EXPECT_EQ(b[7], "1");
  EXPECT_EQ(b[9], "1");   // Original
  EXPECT_EQ(b[10], "1");  // NoCrc
  EXPECT_EQ(b[12], "417");
  EXPECT_EQ(b[13], "l3Enc");
  EXPECT_EQ(b[14], "Gr\xC3\xBCn gelb");  // UTF-8, the tab made a blank
  EXPECT_EQ(b[15], "Band");
  EXPECT_EQ(b[19], "5");
  EXPECT_EQ(b[20], "148");
}

TEST_F(ScanFolder, MissingPathsAreReportedAndTheRestIsListed) {
  std::ostringstream out, err;
  EXPECT_EQ(
      WriteScanTable({dir_.file("gone.mp3"), dir_.file("b.mp3"), dir_.file("nope")}, out, err), 1);
  auto lines = Lines(out.str());
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(Cells(lines[1])[0], dir_.file("b.mp3"));
  auto errors = Lines(err.str());
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_NE(errors[0].find("gone.mp3: no such file or folder"), std::string::npos);
  EXPECT_NE(errors[1].find("nope"), std::string::npos);
}

// Output that takes a song away once the table has its first song's line.
class VanishAfterFirstSong : public std::streambuf {
 public:
  explicit VanishAfterFirstSong(std::string path) : path_(std::move(path)) {}
  std::string text;

 protected:
  int overflow(int c) override {
    text += static_cast<char>(c);
    if (c == '\n' && ++lines_ == 2) std::filesystem::remove(path_);
    return c;
  }

 private:
  std::string path_;
  int lines_ = 0;
};

TEST_F(ScanFolder, ASongGoneWhileTheFolderIsListedIsReported) {
  WriteFile(dir_.file("c.mp3"), Frames(30));
  VanishAfterFirstSong tripwire(dir_.file("b.mp3"));
  std::ostream out(&tripwire);
  std::ostringstream err;
  EXPECT_EQ(WriteScanTable({dir_.path()}, out, err), 1);
  auto lines = Lines(tripwire.text);
  ASSERT_EQ(lines.size(), 3u) << tripwire.text;
  EXPECT_EQ(Cells(lines[1])[0], dir_.file("A.MP3"));
  EXPECT_EQ(Cells(lines[2])[0], dir_.file("c.mp3"));
  EXPECT_EQ(err.str(), "tovix-scan: " + dir_.file("b.mp3") + ": no such file or folder\n");
}

TEST_F(ScanFolder, NamesNoPassCanHandleAreReportedNotDropped) {
  WriteFile(dir_.file("say \"hi\".mp3"), Frames(5));
  WriteFile(dir_.file("\xE2\x82\xAC uro.mp3"), Frames(5));  // in Windows-1252 too
  std::ostringstream out, err;
  EXPECT_EQ(WriteScanTable({dir_.path()}, out, err), 0);
  EXPECT_NE(err.str().find("say \"hi\".mp3"), std::string::npos);
  auto lines = Lines(out.str());
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(Cells(lines[3])[0], dir_.file("\xE2\x82\xAC uro.mp3"));
}

TEST_F(ScanFolder, AFileNamedDirectlyIsListedWhateverItsExtension) {
  std::ostringstream out, err;
  EXPECT_EQ(WriteScanTable({dir_.file("notes.txt")}, out, err), 0);
  auto lines = Lines(out.str());
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(Cells(lines[1])[6], "128");
  // A file without any header is listed too, with what the program makes of it.
  WriteFile(dir_.file("empty.mp3"), std::string(300, 'x'));
  std::ostringstream out2;
  EXPECT_EQ(WriteScanTable({dir_.file("empty.mp3")}, out2, err), 0);
  EXPECT_EQ(Cells(Lines(out2.str())[1])[3], "0");
  EXPECT_EQ(Cells(Lines(out2.str())[1])[20], "-1");
}

// Runs tovix-scan with args; returns its exit code and fills out and err.
int RunScan(const std::string& args, const TempDir& work, std::string& out, std::string& err) {
  std::string command = "'" + test::ProgramDir() + "tovix-scan' " + args + " >'" +
                        work.file("out.txt") + "' 2>'" + work.file("err.txt") + "'";
  int status = std::system(command.c_str());
  out = test::ReadFile(work.file("out.txt"));
  err = test::ReadFile(work.file("err.txt"));
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(ScanFolder, TheProgramPrintsTheTableAndFailsOnAMissingPath) {
  ASSERT_FALSE(test::ProgramDir().empty())
      << "TOVIX_TEST_PROGRAM_DIR is not set (run through ctest)";
  TempDir work;
  std::string out, err;
  EXPECT_EQ(RunScan("'" + dir_.path() + "'", work, out, err), 0);
  EXPECT_EQ(err, "");
  auto lines = Lines(out);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(Cells(lines[2])[14], "Gr\xC3\xBCn gelb");

  EXPECT_EQ(
      RunScan("'" + dir_.file("missing.mp3") + "' '" + dir_.file("b.mp3") + "'", work, out, err),
      1);
  EXPECT_EQ(Lines(out).size(), 2u);
  EXPECT_NE(err.find("missing.mp3"), std::string::npos);

  EXPECT_EQ(RunScan("", work, out, err), 2);
  EXPECT_NE(err.find("usage"), std::string::npos);
}

}  // namespace
}  // namespace tovix

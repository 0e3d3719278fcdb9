// Inputs that are not what they claim: FIFOs and devices where a file is
// expected, huge files behind a picture's name, names at the length limit,
// language files cut short, garbled or saved in another encoding.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <random>

#include "lang/sprachen.h"
#include "mp3/bytesource.h"
#include "picture/bitmap.h"
#include "picture/jpgtobmp.h"
#include "platform/filesys.h"
#include "platform/inifile.h"
#include "platform/ioerror.h"
#include "platform/process.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

using test::TempDir;

long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Runs a tool of the program folder; fails the test when it does not end
// within a minute (it would be waiting on a FIFO).
struct ToolResult {
  int code = -1;
  std::string err;
};
ToolResult RunTool(const TempDir& dir, const std::vector<std::string>& args) {
  platform::ProcessSpec request;
  request.program = test::ProgramDir() + args[0];
  request.args = args;
  request.args[0] = request.program;
  request.workDir = dir.path();
  request.in = platform::StdStream::Null();
  request.out = platform::StdStream::Null();
  request.err = platform::StdStream::ToFile(dir.file("tool.err"));
  platform::Process p;
  ToolResult r;
  if (!p.Start(request)) {
    ADD_FAILURE() << request.program << " cannot be started";
    return r;
  }
  if (!p.Wait(60000)) {
    ADD_FAILURE() << args[0] << " still waits after a minute";
    return r;
  }
  r.code = p.exitCode();
  r.err = test::ReadFile(dir.file("tool.err"));
  return r;
}

TEST(HostileFiles, FifosAndDevicesAreRefusedLikeMissingFilesWithoutWaiting) {
  TempDir dir;
  const std::string fifo = dir.file("song.mp3");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  for (const std::string& path : {fifo, std::string("/dev/zero")}) {
    errno = 0;
    EXPECT_EQ(platform::OpenRegularFile(path, O_RDONLY), -1) << path;
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(platform::OpenFile(path, "rb"), nullptr);
    EXPECT_EQ(FileSource::OpenExisting(path), nullptr);
    EXPECT_THROW(ReadBmpFile(path), IoError);
    EXPECT_EQ(platform::IniFile(path).ReadString("Tovix", "mp3dir", "none"), "none");
    EXPECT_EQ(LoadLanguageFile(path), LanguageResult::kStringlistNotFound);
  }
  // A folder says so.
  EXPECT_EQ(platform::OpenRegularFile(dir.path(), O_RDONLY), -1);
  EXPECT_EQ(errno, EISDIR);
  // A settings write does not replace the FIFO with a file.
  EXPECT_THROW(platform::IniFile(fifo).WriteString("Tovix", "k", "v"), IoError);
  struct stat st;
  ASSERT_EQ(stat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));

  // The tools, each given the FIFO by name, report and end.
  ToolResult scan = RunTool(dir, {"tovix-scan", fifo});
  EXPECT_NE(scan.code, 0);
  EXPECT_NE(scan.err.find("song.mp3"), std::string::npos) << scan.err;
  ToolResult logo = RunTool(dir, {"mklogo", fifo, "4"});
  EXPECT_EQ(logo.code, 1);
  EXPECT_NE(logo.err.find("No such file"), std::string::npos) << logo.err;
  ToolResult c2bin = RunTool(dir, {"c2bin", fifo, "out.bin"});
  EXPECT_EQ(c2bin.code, 1);
  EXPECT_FALSE(std::filesystem::exists(dir.file("out.bin")));
}

// A sparse file of 3 GiB that starts with head.
std::string HugeFile(const TempDir& dir, const std::string& name, const std::string& head) {
  const std::string path = dir.file(name);
  test::WriteFile(path, head);
  EXPECT_EQ(truncate(path.c_str(), off_t{3} << 30), 0);
  return path;
}

TEST(HostileFiles, PictureReadsLookAtTheHeaderFirstAndStopWhereItSays) {
  TempDir dir;
  const long before = PeakKilobytes();
  const std::string zeros = HugeFile(dir, "zeros.bmp", "");
  EXPECT_THROW(ReadBmpBytes(zeros), BitmapError);
  // A true 704 x 480 header: exactly the picture's bytes are read.
  const std::string header = EncodeBmp(MakeBitmap(704, 480)).substr(0, 54);
  const std::string bmp = HugeFile(dir, "big.bmp", header);
  EXPECT_EQ(ReadBmpBytes(bmp).size(), 1013814u);
  EXPECT_EQ(ReadBmpFile(bmp).width, 704);
  // A JPEG's start followed by gigabytes is refused before it is read.
  const std::string jpeg = HugeFile(dir, "big.jpg", "\xFF\xD8\xFF\xE0");
  Bitmap image;
  TJpegToBmp loader;
  loader.SetImage(&image);
  loader.SetJpegFile(jpeg);
  EXPECT_THROW(loader.JpegToImage(), JpegError);
  loader.SetJpegFile(zeros);
  EXPECT_THROW(loader.JpegToImage(), JpegError);
  EXPECT_LT(PeakKilobytes() - before, 100 * 1024) << "a huge file was read whole";
  ToolResult logo = RunTool(dir, {"mklogo", zeros, "4"});
  EXPECT_EQ(logo.code, 1);
  EXPECT_NE(logo.err.find("not a valid BMP"), std::string::npos) << logo.err;
}

TEST(HostileFiles, TemporaryNamesStayWithinTheNameLimit) {
  TempDir dir;
  // 255 bytes of name: 2-byte letters, a 1-byte tail; and one of 1-byte ones.
  std::string umlauts;
  for (int i = 0; i < 126; ++i) umlauts += "\xE4";  // Windows-1252 ä: 2 bytes in UTF-8
  for (const std::string& name : {umlauts + "abc", std::string(251, 'n') + ".TXT"}) {
    const std::string path = platform::FromNative(dir.path()).value() + "/" + name;
    ASSERT_EQ(platform::ToNative(name).size() <= 255, true);
    EXPECT_EQ(platform::WriteFileWhole(path, "first"), 0) << name.size();
    EXPECT_EQ(platform::WriteFileWhole(path, "second"), 0);
    EXPECT_EQ(test::ReadFile(platform::ToNative(path)), "second");
  }
  std::size_t entries = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.path()))
    entries += !e.path().empty();
  EXPECT_EQ(entries, 2u);  // no temporary file left
}

TEST(HostileFiles, ABrokenLanguageFileLoadsWhatItHoldsOrSaysWhy) {
  const std::string shipped = test::ReadFile(test::SourceDir() + "dist/tovix.lng");
  ASSERT_EQ(ApplyLanguage(0, test::SourceDir() + "dist/tovix.lng"), LanguageResult::kOk);
  std::vector<std::string> full;
  for (int n = 1; n <= kLanguageStringCount; ++n) full.push_back(LanguageString(n));

  std::mt19937 random(13);
  std::string garbage(65536, '\0');
  for (char& c : garbage) c = static_cast<char>(random());
  std::string utf16 = "\xFF\xFE";  // as an editor saves "Unicode"
  for (char c : shipped) utf16 += std::string{c, '\0'};
  std::string nuls = shipped;
  for (std::size_t i = 0; i < nuls.size(); i += 97) nuls[i] = '\0';
  const std::size_t strings = shipped.find("[Strings]");
  ASSERT_NE(strings, std::string::npos);
  const std::size_t idx3 = shipped.find("Idx.3");
  struct Case {
    const char* what;
    std::string bytes;
    std::uint16_t language;
    std::optional<LanguageResult> result;  // none: whatever it holds, it must not crash
    bool cutShipped = false;               // its strings are beginnings of the shipped ones
  };
  const Case cases[] = {
      {"empty", "", 0, LanguageResult::kStringlistNotFound},
      {"cut in the list of languages", shipped.substr(0, idx3), 2,
       LanguageResult::kLanguageNotFound},
      {"cut in the middle of a line", shipped.substr(0, strings + (shipped.size() - strings) / 5),
       0, LanguageResult::kOk, true},
      {"binary garbage", garbage, 0, LanguageResult::kStringlistNotFound},
      {"saved as UTF-16", utf16, 0, LanguageResult::kStringlistNotFound},
      {"NUL bytes strewn in", nuls, 0, std::nullopt},
      {"one endless line",
       "[Languages]\r\ncount=1\r\nIdx.1=0\r\n[Strings]\r\n0001=" + std::string(1 << 20, 'x'), 0,
       LanguageResult::kOk},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::WriteFile(dir.file("tovix.lng"), c.bytes);
    const LanguageResult result = ApplyLanguage(c.language, dir.file("tovix.lng"));
    if (c.result) {
      EXPECT_EQ(result, *c.result);
    }
    if (result != LanguageResult::kOk) {
      EXPECT_FALSE(LanguageFailureMessage(result).empty());
      continue;
    }
    // What the file holds, cut to the table's length, or the number of a
    // string it lacks; never bytes from elsewhere.
    for (int n = 1; n <= kLanguageStringCount; ++n) {
      const std::string& text = LanguageString(n);
      EXPECT_LE(text.size(), kMaxLanguageStringLength) << n;
      if (c.cutShipped && text != "missing: Str" + std::to_string(n)) {
        EXPECT_EQ(full[static_cast<std::size_t>(n - 1)].rfind(text, 0), 0u) << n << ": " << text;
      }
    }
    if (c.cutShipped) {
      EXPECT_EQ(LanguageString(1), full[0]);
    }
  }
  EXPECT_EQ(LanguageString(1), std::string(kMaxLanguageStringLength, 'x'));  // the endless line
}

}  // namespace
}  // namespace tovix

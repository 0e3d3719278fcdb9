#include "picture/binrun/binrunfakes.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "lang/sprachen.h"
#include "platform/codepage.h"
#include "platform/filesys.h"
#include "platform/winexc32.h"

namespace tovix::test {

WorkingFolder::WorkingFolder() : previous_(std::filesystem::current_path().string()) {
  std::filesystem::current_path(dir_.path());
}

WorkingFolder::~WorkingFolder() {
  std::error_code ec;
  std::filesystem::current_path(previous_, ec);
}

void LoadGermanStrings() {
  static const bool loaded = [] {
    return ApplyLanguage(0, SourceDir() + "dist/tovix.lng") == LanguageResult::kOk;
  }();
  ASSERT_TRUE(loaded);
}

void FakePictures::MakeTestPicture(const std::string& title, const std::string& bmpName) {
  testTitles.push_back(title);
  WriteFile(bmpName, "test picture");
}

std::string FakePictures::MakeSongPicture(const SongPictureJob& job) {
  songs.push_back(job);
  if (beforeSong) beforeSong(job);
  if (job.k == failAt) throw std::runtime_error("picture failed");
  WriteFile("BM" + std::to_string(job.k) + ".BMP", "song picture " + job.fileName);
  std::string base = job.fileName;
  for (char& c : base)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  base.erase(base.find(".MP3"));
  return platform::AnsiToOem(base);
}

bool FakeHost::MemoHas(const std::string& part) const {
  for (const auto& line : memo)
    if (line.find(part) != std::string::npos) return true;
  return false;
}

namespace {

std::string Undouble(std::string text) {
  for (std::size_t at = text.find("%%"); at != std::string::npos; at = text.find("%%", at + 1))
    text.erase(at, 1);
  return text;
}

std::string QuotedPath(const std::string& line) {
  const auto open = line.find('"');
  const auto close = line.rfind('"');
  return platform::OemToAnsi(Undouble(line.substr(open + 1, close - open - 1)));
}

}  // namespace

void FakeBatchRunner::operator()(const std::string& command, std::uint16_t show,
                                 std::int32_t limitMs) {
  commands.push_back(command);
  EXPECT_EQ(show, kShowHidden);
  EXPECT_EQ(limitMs, 5000);
  const std::string text = ReadFile("tmpbat.bat");
  batches.push_back(text);
  std::string bmp, skipIf, target;
  int level = 0;
  for (const std::string& line : CrLfLines(text)) {
    if (line.starts_with("mklogo ")) {
      bmp = line.substr(7, line.find(' ', 7) - 7);
      level = std::stoi(line.substr(line.rfind(' ') + 1));
    }
    if (line.starts_with("if exist ")) skipIf = QuotedPath(line);
    if (line.starts_with("move ")) target = QuotedPath(line);
  }
  const bool skip = !skipIf.empty() && platform::Exists(skipIf);
  if (!skip && !mklogoFails)
    WriteFile(platform::ToNative(target),
              std::string(static_cast<std::size_t>(binSize(level)), 'b'));
  if (!stall) std::filesystem::remove(bmp);
}

BinRunEnv FakeBatchRunner::Env() {
  BinRunEnv env;
  env.run = [this](const std::string& c, std::uint16_t s, std::int32_t l) { (*this)(c, s, l); };
  env.now = [this] { return clock; };
  env.sleep = [this](int ms) {
    sleeps.push_back(ms);
    clock += std::chrono::milliseconds(ms);
  };
  env.timestamp = [] { return std::string("01.02.2003 04:05:06"); };
  return env;
}

std::string SongBytes() {
  // Two whole frames: the scan takes a first frame only when the next one follows.
  const std::string frame = "\xFF\xFB\x90\x44" + std::string(413, '\0');
  return frame + frame;
}

std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  while (from < text.size()) {
    const auto end = text.find("\r\n", from);
    if (end == std::string::npos) {
      ADD_FAILURE() << "text does not end in CR LF";
      lines.push_back(text.substr(from));
      break;
    }
    std::string line = text.substr(from, end - from);
    EXPECT_EQ(line.find('\n'), std::string::npos) << "bare LF in " << line;
    lines.push_back(line);
    from = end + 2;
  }
  return lines;
}

}  // namespace tovix::test

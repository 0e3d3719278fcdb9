#include "picture/songtexts.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "lang/sprachen.h"
#include "platform/codepage.h"
#include "recode/recodedecision.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

// n frames of MPEG-1 Layer III, 128 kbit/s, 44100 Hz, stereo, silent bodies.
std::string Frames(int n) {
  const std::string frame = std::string("\xFF\xFB\x90\x00", 4) + std::string(413, '\0');
  std::string bytes;
  bytes.reserve(frame.size() * static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) bytes += frame;
  return bytes;
}

std::string Tag(const std::string& artist, const std::string& title) {
  std::string tag = "TAG" + std::string(125, '\0');
  const std::string a = platform::AnsiToOem(artist), t = platform::AnsiToOem(title);
  tag.replace(3, t.size(), t);
  tag.replace(33, a.size(), a);
  return tag;
}

TEST(FormatRunningTime, TimeOfDay) {
  EXPECT_EQ(FormatRunningTime(0), "00:00:00");
  EXPECT_EQ(FormatRunningTime(205), "00:03:25");
  EXPECT_EQ(FormatRunningTime(3600 + 59), "01:00:59");
  EXPECT_EQ(FormatRunningTime(65535), "18:12:15");
  EXPECT_EQ(FormatRunningTime(86400 + 61), "00:01:01");
}

TEST(SongTextsOf, EveryTextEndsWithABlank) {
  Mp3Info info;
  info.Artist = std::string(50, 'a');
  info.Title = "Song";
  info.BitRate = 192;
  info.SampleRate = 48000;
  info.Duration = 61;
  info.Encoder = "LAME";
  const SongTexts t = SongTextsOf(info);
  EXPECT_EQ(t.artist, std::string(50, 'a') + " ");
  EXPECT_EQ(t.artist.size(), 51u);
  EXPECT_EQ(t.title, "Song ");
  EXPECT_EQ(t.tech, "192 kBit | 48000 Hz ");
  EXPECT_EQ(t.runningTime, "00:01:01 ");
  EXPECT_EQ(t.encoder, "LAME ");
  info.Artist = std::string(60, 'b');
  EXPECT_EQ(SongTextsOf(info).artist, std::string(51, 'b'));
}

class ComposeSongTextsTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  Mp3Info info;
  SongTexts texts;
};

TEST_F(ComposeSongTextsTest, UnrecognisedEncoderOf205Seconds) {
  // 205 s at 16000 bytes per second.
  test::WriteFile(dir.file("song.mp3"), Frames(7866) + Tag("Some Band", "First Song"));
  ComposeSongTexts(dir.file("song.mp3"), info, texts);
  EXPECT_EQ(texts.tech, "128 kBit | 44100 Hz ");
  EXPECT_EQ(texts.runningTime, "00:03:25 ");
  EXPECT_EQ(texts.encoder, UnknownEncoderText() + " ");
  EXPECT_EQ(texts.artist, "Some Band ");
  EXPECT_EQ(texts.title, "First Song ");
  EXPECT_EQ(info.Artist, "Some Band");
  EXPECT_EQ(info.BitRate, 128);
}

TEST_F(ComposeSongTextsTest, NoTagGivesSingleBlanks) {
  test::WriteFile(dir.file("tagged.mp3"), Frames(10) + Tag("M\xFCller", "Sch\xF6n"));
  test::WriteFile(dir.file("plain.mp3"), Frames(10));
  ComposeSongTexts(dir.file("tagged.mp3"), info, texts);
  EXPECT_EQ(texts.artist, "M\xFCller ");
  ComposeSongTexts(dir.file("plain.mp3"), info, texts);
  EXPECT_EQ(texts.artist, " ");
  EXPECT_EQ(texts.title, " ");
}

TEST_F(ComposeSongTextsTest, UnreadableFileGivesTextsWithoutAnError) {
  test::WriteFile(dir.file("tagged.mp3"), Frames(10) + Tag("Band", "Song"));
  ComposeSongTexts(dir.file("tagged.mp3"), info, texts);
  // A folder cannot be read as a file, whoever runs the test.
  std::filesystem::create_directory(dir.file("folder.mp3"));
  EXPECT_NO_THROW(ComposeSongTexts(dir.file("folder.mp3"), info, texts));
  EXPECT_EQ(texts.artist, " ");
  EXPECT_NO_THROW(ComposeSongTexts(dir.file("missing.mp3"), info, texts));
  EXPECT_EQ(texts.title, " ");
  EXPECT_EQ(texts.runningTime.back(), ' ');
}

TEST_F(ComposeSongTextsTest, UnrecognisedEncoderIsEmptyAndWordedInTheLanguage) {
  test::WriteFile(dir.file("song.mp3"), Frames(10));
  // In this order: the language table is program-wide, German before a load.
  const struct {
    int language;
    const char *shown, *why;
  } rows[] = {{-1, "Encoder nicht erkannt", "kritischer Encoder \"Encoder nicht erkannt\""},
              {1, "Encoder not recognised", "critical encoder \"Encoder not recognised\""},
              {0, "Encoder nicht erkannt", "kritischer Encoder \"Encoder nicht erkannt\""}};
  for (const auto& row : rows) {
    if (row.language >= 0) {
      ASSERT_EQ(ApplyLanguage(static_cast<std::uint16_t>(row.language),
                              test::SourceDir() + "dist/tovix.lng"),
                LanguageResult::kOk);
    }
    info.Encoder = "the previous song's";
    ComposeSongTexts(dir.file("song.mp3"), info, texts);
    EXPECT_EQ(info.Encoder, "");
    EXPECT_EQ(texts.encoder, std::string(row.shown) + " ");
    EXPECT_EQ(TermText(RecodeTerm::kCriticalEncoder, info, {}), row.why);
  }
}

}  // namespace
}  // namespace tovix

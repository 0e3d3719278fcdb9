#include "rename/renamelist.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "lang/sprachen.h"
#include "mp3/mpegfile.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"
#include "rename/mp3fixture.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

using test::GetFile;
using test::HasFile;
using test::PutFile;
using test::Song;

struct Recorder : PassReport {
  struct Shown {
    std::string text;
    int line;
  };
  std::vector<Shown> messages;
  int progressCalls = 0;
  void Line(const std::string& text, int line) override { messages.push_back({text, line}); }
  void Progress(std::int64_t, std::int64_t) override { ++progressCalls; }
};

constexpr auto Line = test::RenameLine;

TID3Tag TagOf(const std::string& folder, const std::string& name) {
  TID3Tag tag;
  ReadID3Tag(folder + "/" + name, tag);
  return tag;
}

RenameOptions Options(bool makeTag, bool x2Blank, bool saveTag, bool niceWords) {
  RenameOptions o;
  o.makeTag = makeTag;
  o.x2Blank = x2Blank;
  o.saveTag = saveTag;
  o.niceWords = niceWords;
  return o;
}

class BuildRenameListTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  Recorder recorder;
  std::vector<std::string> Build(const RenameOptions& o) {
    return BuildRenameList(dir.path(), o, &recorder);
  }
};

TEST_F(BuildRenameListTest, NameFromTag) {
  PutFile(dir.path(), "track01.mp3", Song("Some Band", "First Song"));
  const auto lines = Build(Options(true, true, true, true));
  EXPECT_EQ(lines, (std::vector<std::string>{Line("track01.mp3", "Some Band - First Song.mp3")}));
  EXPECT_EQ(recorder.progressCalls, 1);
}

TEST_F(BuildRenameListTest, TagFromFileNameWithUnderscores) {
  PutFile(dir.path(), "Some_Artist - Some_Title.mp3", Song("", ""));
  const auto lines = Build(Options(true, true, true, false));
  EXPECT_EQ(lines, (std::vector<std::string>{
                       Line("Some_Artist - Some_Title.mp3", "Some Artist - Some Title.mp3")}));
  const TID3Tag tag = TagOf(dir.path(), "Some_Artist - Some_Title.mp3");
  EXPECT_EQ(tag.Artist, "Some Artist");
  EXPECT_EQ(tag.Title, "Some Title");
}

TEST_F(BuildRenameListTest, PercentTwentyBecomesOneBlank) {
  PutFile(dir.path(), "Some%20Artist - Some%20Title.mp3", Song("", ""));
  const auto lines = Build(Options(true, true, false, false));
  EXPECT_EQ(lines, (std::vector<std::string>{
                       Line("Some%20Artist - Some%20Title.mp3", "Some Artist - Some Title.mp3")}));
}

TEST_F(BuildRenameListTest, WithoutConvert2BlankTheNameIsNotUsed) {
  const std::string song = Song("", "");
  PutFile(dir.path(), "Some_Artist - Some_Title.mp3", song);
  const auto lines = Build(Options(true, false, true, false));
  EXPECT_EQ(lines, (std::vector<std::string>{Line("Some_Artist - Some_Title.mp3", " - .mp3")}));
  // The (empty) tag was written behind the audio.
  const std::string after = GetFile(dir.path(), "Some_Artist - Some_Title.mp3");
  ASSERT_EQ(after.size(), song.size() + 128);
  EXPECT_EQ(after.substr(0, song.size()), song);
  EXPECT_EQ(after.substr(song.size(), 3), "TAG");
}

TEST_F(BuildRenameListTest, WithoutCreateTagNothingIsWritten) {
  const std::string song = Song("", "");
  PutFile(dir.path(), "Some_Artist - Some_Title.mp3", song);
  const auto lines = Build(Options(false, true, true, false));
  EXPECT_EQ(lines, (std::vector<std::string>{Line("Some_Artist - Some_Title.mp3", " - .mp3")}));
  EXPECT_EQ(GetFile(dir.path(), "Some_Artist - Some_Title.mp3"), song);
}

TEST_F(BuildRenameListTest, NoDoubledExtension) {
  PutFile(dir.path(), "a.mp3", Song("Band", "Song.mp3"));
  PutFile(dir.path(), "b.mp3", Song("Band", "Other.MP3 live"));
  const auto lines = Build(Options(true, true, false, false));
  EXPECT_EQ(lines, (std::vector<std::string>{Line("a.mp3", "Band - Song.mp3"),
                                             Line("b.mp3", "Band - Other.mp3")}));
}

TEST_F(BuildRenameListTest, UmlautsFromTheTagStayAnsi) {
  PutFile(dir.path(), "x.mp3", Song("M\xFCller", "Sch\xF6n"));
  const auto lines = Build(Options(true, true, false, false));
  EXPECT_EQ(lines, (std::vector<std::string>{Line("x.mp3", "M\xFCller - Sch\xF6n.mp3")}));
}

TEST_F(BuildRenameListTest, ReadOnlyFileIsNotedAndNeverWritten) {
  const std::string song = Song("", "");
  PutFile(dir.path(), "Band - Title.mp3", song);
  ASSERT_TRUE(platform::SetReadOnly(dir.path() + "/Band - Title.mp3", true));
  const auto lines = Build(Options(true, true, true, false));
  EXPECT_EQ(lines, (std::vector<std::string>{"\"Band - Title.mp3 ist schreibgesch\xFCtzt !!!",
                                             Line("Band - Title.mp3", "Band - Title.mp3")}));
  EXPECT_EQ(GetFile(dir.path(), "Band - Title.mp3"), song);
  EXPECT_TRUE(platform::IsReadOnly(dir.path() + "/Band - Title.mp3"));
}

TEST_F(BuildRenameListTest, SortedWithoutCaseAndDuplicatesDropped) {
  PutFile(dir.path(), "c.mp3", Song("Zed", "Last"));
  PutFile(dir.path(), "B.mp3", Song("Alpha", "One"));
  PutFile(dir.path(), "a.mp3", Song("Beta", "Two"));
  const auto lines = Build(Options(true, true, false, false));
  EXPECT_EQ(lines, (std::vector<std::string>{Line("a.mp3", "Beta - Two.mp3"),
                                             Line("B.mp3", "Alpha - One.mp3"),
                                             Line("c.mp3", "Zed - Last.mp3")}));
}

TEST_F(BuildRenameListTest, TwoFilesForOneNameGiveANoteForTheLater) {
  // A Linux folder may hold names that differ only in case; on the CD they
  // would be one file, so the later one is named in a note, not planned.
  PutFile(dir.path(), "A.mp3", Song("x", "y", '1'));
  PutFile(dir.path(), "a.mp3", Song("X", "Y", '2'));
  const auto lines = Build(Options(true, true, false, false));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], Line("A.mp3", "x - y.mp3"));
  EXPECT_NE(lines[1].find("a.mp3 ergibt denselben Namen wie A.mp3"), std::string::npos);
  EXPECT_EQ(std::count(lines[1].begin(), lines[1].end(), '"'), 0);
}

// Tags as they come: 1252 from today's taggers, 850 from old ones, a line
// feed, letters code page 850 lacks. Each planned name is right, one line.
TEST_F(BuildRenameListTest, TagTextsArePlannedOnceConvertedAndPlain) {
  test::WriteFile(dir.file("a.mp3"),
                  test::Mp3Frames('a') + test::Id3v1Raw("H\xE9l\xE8ne", "No\xEBl"));
  test::WriteFile(dir.file("b.mp3"), test::Mp3Frames('b') + test::Id3v1Raw("Die \xC4rzte",
                                                                           "Gr\xFC\xDF"
                                                                           "e"));
  test::WriteFile(dir.file("c.mp3"),
                  test::Mp3Frames('c') + test::Id3v1Raw("M\x81ller", "Sch\x94n"));
  test::WriteFile(dir.file("d.mp3"),
                  test::Mp3Frames('d') + test::Id3v1Raw("Line\nFeed", "Tab\there"));
  test::WriteFile(dir.file("e.mp3"), test::Mp3Frames('e') + test::Id3v1Raw("Don\x92t",
                                                                           "\x93"
                                                                           "Best\x94 \x96 \x80"
                                                                           "5"));
  const auto lines = Build(Options(true, true, false, false));
  EXPECT_EQ(lines, (std::vector<std::string>{Line("a.mp3", "H\xE9l\xE8ne - No\xEBl.mp3"),
                                             Line("b.mp3",
                                                  "Die \xC4rzte - Gr\xFC\xDF"
                                                  "e.mp3"),
                                             Line("c.mp3", "M\xFCller - Sch\xF6n.mp3"),
                                             Line("d.mp3", "Line Feed - Tab here.mp3"),
                                             Line("e.mp3", "Don't - 'Best' - EUR5.mp3")}));
}

TEST_F(BuildRenameListTest, AFileTooShortForATagIsPassedOver) {
  PutFile(dir.path(), "a.mp3", "");
  PutFile(dir.path(), "b - c.mp3", Song("", "", 'b'));
  PutFile(dir.path(), "z.mp3", Song("Zed", "Last"));
  const auto lines = Build(Options(true, true, true, false));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], Line("b - c.mp3", "b - c.mp3"));
  EXPECT_EQ(lines[1], Line("z.mp3", "Zed - Last.mp3"));
  EXPECT_EQ(lines[2].rfind("a.mp3 ist zu kurz", 0), 0u);
  EXPECT_EQ(GetFile(dir.path(), "a.mp3"), "");
  EXPECT_EQ(TagOf(dir.path(), "b - c.mp3").Title, "c");  // files after it still get their tag
}

TEST_F(BuildRenameListTest, UnquotableNameGivesANoteLine) {
  test::WriteFile(dir.file("say \"hi\".mp3"), Song("A", "B"));
  PutFile(dir.path(), "ok.mp3", Song("A", "B"));
  const auto lines = Build(Options(true, true, false, false));
  ASSERT_EQ(lines.size(), 2u);
  const auto note = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
    return l.find("say ?hi?.mp3") != std::string::npos;
  });
  ASSERT_NE(note, lines.end());
  EXPECT_EQ(std::count(note->begin(), note->end(), '"'), 0);
  // The apply pass passes over the note.
  const ApplyResult r = ApplyRenameList(dir.path(), lines, Options(false, false, false, false));
  EXPECT_EQ(r.outcome, ApplyResult::Outcome::Done);
  EXPECT_TRUE(HasFile(dir.path(), "A - B.mp3"));
  EXPECT_TRUE(HasFile(dir.path(), "say \"hi\".mp3"));
}

TEST_F(BuildRenameListTest, MissingFolderIsAnError) {
  EXPECT_THROW(BuildRenameList(dir.file("nope"), RenameOptions{}), IoError);
}

class ApplyRenameListTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  Recorder recorder;
  int stops = 0;
  ApplyResult Apply(const std::vector<std::string>& lines, const RenameOptions& o) {
    return ApplyRenameList(dir.path(), lines, o, &recorder, [this] { ++stops; });
  }
};

TEST_F(ApplyRenameListTest, MissingOldNameStopsBeforeAnyRename) {
  PutFile(dir.path(), "a.mp3", Song("A", "1", 'a'));
  PutFile(dir.path(), "b.mp3", Song("B", "2", 'b'));
  const auto before = test::Snapshot(dir.path());
  const ApplyResult r = Apply({Line("a.mp3", "x.mp3"), "", "\"c.mp3 ist schreibgesch\xFCtzt !!!",
                               Line(" gone.mp3 ", "y.mp3"), Line("b.mp3", "z.mp3")},
                              Options(true, true, true, true));
  EXPECT_EQ(r.outcome, ApplyResult::Outcome::MissingFile);
  EXPECT_EQ(r.line, 3);
  ASSERT_EQ(recorder.messages.size(), 1u);
  EXPECT_EQ(recorder.messages[0].text, LanguageString(25) + " 4!");
  EXPECT_EQ(recorder.messages[0].line, 3);
  EXPECT_EQ(stops, 0);
  EXPECT_EQ(test::Snapshot(dir.path()), before);
}

TEST_F(ApplyRenameListTest, AHiddenFileCountsAsNotFoundAndNothingIsRenamed) {
  // The list never offers hidden files; a line naming one (typed in by
  // hand) must not reach it, even though the file exists.
  PutFile(dir.path(), "a.mp3", Song("A", "1", 'a'));
  PutFile(dir.path(), ".x.mp3", Song("X", "2", 'x'));
  const auto before = test::Snapshot(dir.path());
  const ApplyResult r =
      Apply({Line("a.mp3", "y.mp3"), Line(".x.mp3", "x.mp3")}, Options(true, true, true, true));
  EXPECT_EQ(r.outcome, ApplyResult::Outcome::MissingFile);
  EXPECT_EQ(r.line, 1);
  EXPECT_EQ(r.renamed, 0);
  ASSERT_EQ(recorder.messages.size(), 1u);
  EXPECT_EQ(recorder.messages[0].text, LanguageString(25) + " 2!");
  EXPECT_EQ(stops, 0);
  EXPECT_EQ(test::Snapshot(dir.path()), before);
}

TEST_F(ApplyRenameListTest, RenamesAndStopsThePlayerFirst) {
  PutFile(dir.path(), "a.mp3", Song("A", "1", 'a'));
  PutFile(dir.path(), "b.mp3", Song("B", "2", 'b'));
  const ApplyResult r = Apply({Line(" a.mp3 ", "one.mp3"), Line("B.MP3", "two.mp3")},
                              Options(false, false, false, false));
  EXPECT_EQ(r.outcome, ApplyResult::Outcome::Done);
  EXPECT_EQ(r.renamed, 2);
  EXPECT_EQ(stops, 1);
  EXPECT_EQ(GetFile(dir.path(), "one.mp3"), Song("A", "1", 'a'));
  EXPECT_EQ(GetFile(dir.path(), "two.mp3"), Song("B", "2", 'b'));
  EXPECT_FALSE(HasFile(dir.path(), "a.mp3"));
}

TEST_F(ApplyRenameListTest, SameNewNameTwiceStopsAtTheSecondAndLosesNothing) {
  PutFile(dir.path(), "a.mp3", Song("A", "1", 'a'));
  PutFile(dir.path(), "b.mp3", Song("B", "2", 'b'));
  PutFile(dir.path(), "c.mp3", Song("C", "3", 'c'));
  const auto contents = test::Contents(dir.path());
  const std::vector<std::string> lines = {Line("a.mp3", "same.mp3"), Line("b.mp3", "Same.mp3"),
                                          Line("c.mp3", "third.mp3")};
  const ApplyResult r = Apply(lines, Options(false, false, false, false));
  EXPECT_EQ(r.outcome, ApplyResult::Outcome::RenameFailed);
  EXPECT_EQ(r.line, 1);
  EXPECT_EQ(r.renamed, 1);
  ASSERT_EQ(recorder.messages.size(), 1u);
  EXPECT_EQ(recorder.messages[0].text, LanguageString(26) + lines[1] + LanguageString(27));
  EXPECT_EQ(GetFile(dir.path(), "same.mp3"), Song("A", "1", 'a'));
  EXPECT_TRUE(HasFile(dir.path(), "b.mp3"));
  EXPECT_TRUE(HasFile(dir.path(), "c.mp3"));
  EXPECT_EQ(test::Contents(dir.path()), contents);
}

TEST_F(ApplyRenameListTest, NeverReplacesAFileOfAnotherCase) {
  PutFile(dir.path(), "a.mp3", Song("A", "1", 'a'));
  PutFile(dir.path(), "B.mp3", Song("B", "2", 'b'));
  const auto before = test::Snapshot(dir.path());
  const ApplyResult r = Apply({Line("a.mp3", "b.mp3")}, Options(false, false, false, false));
  EXPECT_EQ(r.outcome, ApplyResult::Outcome::RenameFailed);
  EXPECT_EQ(test::Snapshot(dir.path()), before);
}

TEST_F(ApplyRenameListTest, ChangeOfLetterCaseOnly) {
  PutFile(dir.path(), "abc.mp3", Song("A", "1"));
  const ApplyResult r = Apply({Line("abc.mp3", "Abc.mp3")}, Options(false, false, false, false));
  EXPECT_EQ(r.outcome, ApplyResult::Outcome::Done);
  EXPECT_TRUE(HasFile(dir.path(), "Abc.mp3"));
  EXPECT_FALSE(HasFile(dir.path(), "abc.mp3"));
  EXPECT_EQ(test::Contents(dir.path()).size(), 1u);
}

TEST_F(ApplyRenameListTest, NameAlreadyRightIsNoFailure) {
  PutFile(dir.path(), "Band - Song.mp3", Song("Band", "Song"));
  const ApplyResult r =
      Apply({Line("Band - Song.mp3", "Band - Song.mp3")}, Options(true, true, true, true));
  EXPECT_EQ(r.outcome, ApplyResult::Outcome::Done);
  EXPECT_EQ(TagOf(dir.path(), "Band - Song.mp3").Title, "Song");
}

TEST_F(ApplyRenameListTest, NiceWordsOnNameAndTag) {
  std::string song = test::Mp3Frames() + test::Id3v1("old", "old", "The Album");
  PutFile(dir.path(), "x.mp3", song);
  const ApplyResult r =
      Apply({Line("x.mp3", "some band - first song.mp3")}, Options(true, true, true, true));
  EXPECT_EQ(r.outcome, ApplyResult::Outcome::Done);
  ASSERT_TRUE(HasFile(dir.path(), "Some Band - First Song.mp3"));
  const TID3Tag tag = TagOf(dir.path(), "Some Band - First Song.mp3");
  EXPECT_EQ(tag.Artist, "Some Band");
  EXPECT_EQ(tag.Title, "First Song");
  EXPECT_EQ(tag.Album, "The Album");
  const std::string after = GetFile(dir.path(), "Some Band - First Song.mp3");
  EXPECT_EQ(after.substr(0, song.size() - 128), song.substr(0, song.size() - 128));
}

TEST_F(ApplyRenameListTest, NameWithoutSeparatorKeepsTheArtist) {
  PutFile(dir.path(), "x.mp3", Song("Keep Me", "old"));
  Apply({Line("x.mp3", "Lonely.mp3")}, Options(true, true, true, false));
  const TID3Tag tag = TagOf(dir.path(), "Lonely.mp3");
  EXPECT_EQ(tag.Artist, "Keep Me");
  EXPECT_EQ(tag.Title, "Lonely");
}

TEST_F(ApplyRenameListTest, ReadOnlyFileGetsItsTagAndStaysReadOnly) {
  PutFile(dir.path(), "x.mp3", Song("A", "B"));
  PutFile(dir.path(), "y.mp3", std::string(100, 'y'));  // too short for a tag
  ASSERT_TRUE(platform::SetReadOnly(dir.path() + "/x.mp3", true));
  const ApplyResult r = Apply({Line("x.mp3", "Some - Thing.mp3"), Line("y.mp3", "Short - One.mp3")},
                              Options(true, true, true, false));
  EXPECT_EQ(r.outcome, ApplyResult::Outcome::Done);
  EXPECT_EQ(TagOf(dir.path(), "Some - Thing.mp3").Artist, "Some");
  EXPECT_EQ(TagOf(dir.path(), "Some - Thing.mp3").Title, "Thing");
  EXPECT_TRUE(platform::IsReadOnly(dir.path() + "/Some - Thing.mp3"));
  EXPECT_EQ(GetFile(dir.path(), "Short - One.mp3"), std::string(100, 'y'));
  ASSERT_EQ(recorder.messages.size(), 1u);
  EXPECT_NE(recorder.messages[0].text.find("zu kurz"), std::string::npos);
}

TEST_F(ApplyRenameListTest, EqualsSignInsideTheOldName) {
  PutFile(dir.path(), "a=b.mp3", Song("A", "1", 'a'));
  PutFile(dir.path(), "a", "not a song");
  const ApplyResult r = Apply({Line("a=b.mp3", "c.mp3")}, Options(false, false, false, false));
  EXPECT_EQ(r.outcome, ApplyResult::Outcome::Done);
  EXPECT_EQ(GetFile(dir.path(), "c.mp3"), Song("A", "1", 'a'));
  EXPECT_EQ(GetFile(dir.path(), "a"), "not a song");
}

TEST_F(ApplyRenameListTest, NewNameCannotLeaveTheFolder) {
  PutFile(dir.path(), "a.mp3", Song("A", "1"));
  const auto before = test::Snapshot(dir.path());
  EXPECT_EQ(Apply({Line("a.mp3", "../a.mp3")}, Options(false, false, false, false)).outcome,
            ApplyResult::Outcome::MissingFile);
  EXPECT_EQ(Apply({Line("a.mp3", "")}, Options(false, false, false, false)).outcome,
            ApplyResult::Outcome::MissingFile);
  EXPECT_EQ(Apply({Line("../x/a.mp3", "b.mp3")}, Options(false, false, false, false)).outcome,
            ApplyResult::Outcome::MissingFile);
  EXPECT_EQ(test::Snapshot(dir.path()), before);
}

// Every line is checked before the first rename: a bad new name in the
// last line leaves the whole folder as it was.
TEST_F(ApplyRenameListTest, ANewNameTheRenameWouldRefuseStopsBeforeAnyRename) {
  PutFile(dir.path(), "a.mp3", Song("A", "1", 'a'));
  PutFile(dir.path(), "b.mp3", Song("B", "2", 'b'));
  const auto before = test::Snapshot(dir.path());
  for (const std::string& bad :
       {std::string("AC/DC - x.mp3"), std::string("sub\\x.mp3"), std::string(".hidden.mp3"),
        std::string("   "), std::string(200, '\xE9') + ".mp3"}) {
    recorder.messages.clear();
    const ApplyResult r =
        Apply({Line("a.mp3", "First.mp3"), Line("b.mp3", bad)}, Options(false, false, true, false));
    EXPECT_EQ(r.outcome, ApplyResult::Outcome::MissingFile) << bad;
    EXPECT_EQ(r.line, 1) << bad;
    ASSERT_EQ(recorder.messages.size(), 1u) << bad;
    EXPECT_EQ(recorder.messages[0].line, 1);
    EXPECT_EQ(test::Snapshot(dir.path()), before) << bad;
  }
  EXPECT_EQ(stops, 0);
}

// tovix-cli's plan writes nothing; its apply writes what the window's
// list building wrote, so both roads end with the same folder.
TEST_F(ApplyRenameListTest, PlanThenApplyEndsWhereTheWindowEnds) {
  test::TempDir other;
  for (const std::string& folder : {dir.path(), other.path()}) {
    PutFile(folder, "Band_X - Song_Y.mp3", Song("", "", '1'));
    PutFile(folder, "x.mp3", Song("Band", "Song", '3'));
  }
  const RenameOptions window = Options(true, true, true, false);
  const auto windowLines = BuildRenameList(dir.path(), window);
  RenameOptions plan = window;
  plan.saveTag = false;
  const auto before = test::Snapshot(other.path());
  const auto planLines = BuildRenameList(other.path(), plan);
  EXPECT_EQ(test::Snapshot(other.path()), before);  // the plan changed nothing
  EXPECT_EQ(planLines, windowLines);
  // The user edits the new name of one line to hold no " - ".
  auto edited = windowLines;
  for (auto& line : edited)
    if (line.rfind("\"Band_X", 0) == 0) line = Line("Band_X - Song_Y.mp3", "Renamed.mp3");
  EXPECT_EQ(ApplyRenameList(dir.path(), edited, window).outcome, ApplyResult::Outcome::Done);
  RenameOptions apply = window;
  apply.completeTagsOnApply = true;
  EXPECT_EQ(ApplyRenameList(other.path(), edited, apply).outcome, ApplyResult::Outcome::Done);
  EXPECT_EQ(test::Snapshot(other.path()), test::Snapshot(dir.path()));
  EXPECT_EQ(TagOf(other.path(), "Renamed.mp3").Artist, "Band X");
}

TEST_F(ApplyRenameListTest, BuildThenApplyRoundTrip) {
  PutFile(dir.path(), "track01.mp3", Song("Some Band", "First Song", '1'));
  PutFile(dir.path(), "Other_Band - Second_Song.mp3", Song("", "", '2'));
  const RenameOptions o = Options(true, true, true, true);
  const auto lines = BuildRenameList(dir.path(), o);
  EXPECT_EQ(Apply(lines, o).outcome, ApplyResult::Outcome::Done);
  EXPECT_TRUE(HasFile(dir.path(), "Some Band - First Song.mp3"));
  EXPECT_TRUE(HasFile(dir.path(), "Other Band - Second Song.mp3"));
  EXPECT_EQ(TagOf(dir.path(), "Other Band - Second Song.mp3").Artist, "Other Band");
}

TEST(RenameListFile, CrLfWindows1252RoundTrip) {
  test::TempDir dir;
  const std::vector<std::string> lines = {Line("a.mp3",
                                               "M\xFCller - Stra\xDF"
                                               "e.mp3"),
                                          "", "\"b.mp3 ist schreibgesch\xFCtzt !!!"};
  const std::string path = dir.file("plan.txt");
  WriteRenameListFile(path, lines);
  EXPECT_EQ(test::ReadFile(path), lines[0] + "\r\n\r\n" + lines[2] + "\r\n");
  EXPECT_EQ(ReadRenameListFile(path), lines);
  test::WriteFile(path, "\"a\"=\"b\"\n\"c\"=\"d\"");
  EXPECT_EQ(ReadRenameListFile(path), (std::vector<std::string>{"\"a\"=\"b\"", "\"c\"=\"d\""}));
  EXPECT_THROW(ReadRenameListFile(dir.file("missing.txt")), IoError);
  EXPECT_THROW(WriteRenameListFile(dir.file("no/such/plan.txt"), lines), IoError);
}

}  // namespace
}  // namespace tovix

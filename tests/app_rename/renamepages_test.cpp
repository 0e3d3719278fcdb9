// The rename pages 3 and 31 driven through the main window over generated
// folders: the review list, its options, the apply step and its messages.
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>
#include <filesystem>

#include "app/clicklabel.h"
#include "app/pages/qtext.h"
#include "app/pages/renamepage.h"
#include "lang/buildstrings.h"
#include "mp3/mpegfile.h"
#include "platform/signals.h"
#include "rename/mp3fixture.h"
#include "testwindows.h"

namespace tovix {
namespace {

using test::GetFile;
using test::HasFile;
using test::PutFile;
using test::Song;

constexpr auto Line = test::RenameLine;

class RenamePages : public ::testing::Test {
 protected:
  RenamePages() { f.MutableSettings().SourceDir = songs.path(); }

  void SetOptions(bool makeTag, bool x2Blank, bool saveTag, bool niceWords) {
    f.renameOptionsPage->CreateTag->setChecked(makeTag);
    f.renameOptionsPage->Convert2Blank->setChecked(x2Blank);
    f.renameOptionsPage->SaveTag->setChecked(saveTag);
    f.renameOptionsPage->NiceWords->setChecked(niceWords);
  }
  std::vector<std::string> Memo() { return f.renamePage->Lines(); }
  void SetMemo(const std::vector<std::string>& lines) { f.renamePage->SetLines(lines); }
  TID3Tag TagOf(const std::string& name) {
    TID3Tag tag;
    ReadID3Tag(songs.file(name), tag);
    return tag;
  }

  test::TempDir songs;
  test::Windows w;
  MainWindow& f = *w.mainWindow;
  // The player's Stop has run: Play is enabled, as after a stop.
  bool PlayerStopped() const { return w.toolbar->Play->isEnabled(); }
};

TEST_F(RenamePages, PageThreeShowsTheReviewListOfTheSourceFolder) {
  PutFile(songs.path(), "track01.mp3", Song("Some Band", "First Song"));
  PutFile(songs.path(), "Some_Artist - Some_Title.mp3", Song("", ""));
  emit f.Label3->clicked();
  EXPECT_EQ(f.PageNumber, 3);
  EXPECT_TRUE(f.renamePage->isVisible());
  EXPECT_EQ(Memo(), (std::vector<std::string>{
                        Line("Some_Artist - Some_Title.mp3", "Some Artist - Some Title.mp3"),
                        Line("track01.mp3", "Some Band - First Song.mp3")}));
  // The list is built: the page title is back, OK may be used, nothing failed.
  EXPECT_EQ(f.LedText(), f.HintOf(f.Label3));
  EXPECT_TRUE(f.renamePage->CoolButton1->isEnabled());
  EXPECT_TRUE(w.errors.empty());
  // SaveTag: the untagged file got the tag made from its name.
  EXPECT_EQ(TagOf("Some_Artist - Some_Title.mp3").Artist, "Some Artist");
  EXPECT_EQ(TagOf("Some_Artist - Some_Title.mp3").Title, "Some Title");
}

TEST_F(RenamePages, OptionsPageLeftWithOkRebuildsWithTheNewOptions) {
  const std::string untagged = Song("", "");
  PutFile(songs.path(), "Some_Artist - Some_Title.mp3", untagged);
  f.showRenamePage();
  ASSERT_EQ(Memo().size(), 1u);
  EXPECT_NE(GetFile(songs.path(), "Some_Artist - Some_Title.mp3"), untagged);

  PutFile(songs.path(), "Other_Artist - Other.mp3", untagged);
  f.renamePage->SpeedButton13->click();
  EXPECT_EQ(f.PageNumber, 31);
  EXPECT_TRUE(f.renameOptionsPage->isVisible());
  EXPECT_FALSE(f.renamePage->isVisible());
  SetOptions(false, true, true, true);
  f.renameOptionsPage->ok31->click();
  EXPECT_EQ(f.PageNumber, 3);
  EXPECT_TRUE(f.renamePage->isVisible());
  // Without CreateTag an untagged file is planned as " - .mp3" and left as it is.
  EXPECT_EQ(Memo(), (std::vector<std::string>{
                        Line("Other_Artist - Other.mp3", " - .mp3"),
                        Line("Some_Artist - Some_Title.mp3", "Some Artist - Some Title.mp3")}));
  EXPECT_EQ(GetFile(songs.path(), "Other_Artist - Other.mp3"), untagged);
}

TEST_F(RenamePages, EditedListIsAppliedWithNiceWordsAndTags) {
  PutFile(songs.path(), "track01.mp3", Song("Some Band", "First Song", 'a'));
  PutFile(songs.path(), "track02.mp3", Song("Other", "Second", 'b'));
  f.showRenamePage();
  ASSERT_EQ(Memo().size(), 2u);
  SetMemo({Line("track01.mp3", "some band - first song.mp3"),
           Line("track02.mp3", "Other - Second.mp3"), "", "a line without quotes"});
  f.renamePage->CoolButton1->click();

  EXPECT_TRUE(w.errors.empty()) << w.errors.front();
  EXPECT_TRUE(HasFile(songs.path(), "Some Band - First Song.mp3"));
  EXPECT_TRUE(HasFile(songs.path(), "Other - Second.mp3"));
  EXPECT_FALSE(HasFile(songs.path(), "track01.mp3"));
  EXPECT_FALSE(HasFile(songs.path(), "track02.mp3"));
  const TID3Tag tag = TagOf("Some Band - First Song.mp3");
  EXPECT_EQ(tag.Artist, "Some Band");
  EXPECT_EQ(tag.Title, "First Song");
  // The player is stopped once, before the renames; then back to the start view.
  EXPECT_TRUE(PlayerStopped());
  EXPECT_EQ(f.PageNumber, 0);
  EXPECT_FALSE(f.renamePage->isVisible());
}

TEST_F(RenamePages, MissingOldNameNamesTheLineAndRenamesNothing) {
  PutFile(songs.path(), "a.mp3", Song("A", "One", 'a'));
  PutFile(songs.path(), "b.mp3", Song("B", "Two", 'b'));
  f.showRenamePage();
  const auto before = test::Snapshot(songs.path());
  SetMemo({Line("a.mp3", "A - One.mp3"), "\"note only", Line("gone.mp3", "B - Two.mp3"),
           Line("b.mp3", "B - Two.mp3")});
  f.renamePage->CoolButton1->click();

  ASSERT_EQ(w.errors.size(), 1u);
  EXPECT_EQ(w.errors[0], "Text 25 3!");
  EXPECT_EQ(test::Snapshot(songs.path()), before);
  EXPECT_FALSE(PlayerStopped());
  // The page stays with the caret at the end of the offending line.
  EXPECT_EQ(f.PageNumber, 3);
  EXPECT_TRUE(f.renamePage->isVisible());
  const QTextCursor caret = f.renamePage->RenameMemo->textCursor();
  EXPECT_EQ(caret.blockNumber(), 2);
  EXPECT_TRUE(caret.atBlockEnd());
  EXPECT_EQ(Memo().size(), 4u);
}

TEST_F(RenamePages, SecondLineWithTheSameNewNameEndsThePassAndLosesNothing) {
  PutFile(songs.path(), "a.mp3", Song("", "", 'a'));
  PutFile(songs.path(), "b.mp3", Song("", "", 'b'));
  SetOptions(false, false, false, false);
  f.showRenamePage();
  const auto contents = test::Contents(songs.path());
  const std::string second = Line("b.mp3", "Same.mp3");
  SetMemo({Line("a.mp3", "Same.mp3"), second});
  f.renamePage->CoolButton1->click();

  ASSERT_EQ(w.errors.size(), 1u);
  EXPECT_EQ(w.errors[0], "Text 26" + second + "Text 27");
  EXPECT_TRUE(HasFile(songs.path(), "Same.mp3"));
  EXPECT_TRUE(HasFile(songs.path(), "b.mp3"));
  EXPECT_EQ(test::Contents(songs.path()), contents);
  EXPECT_EQ(f.PageNumber, 0);
  EXPECT_EQ(f.LedText(), ".");  // not the count "[ 1 / 2 ]"
}

// A tag that cannot be written stops the pass after the first rename: the
// error is shown, the page stays, and LED gets the page title back. A
// file-size limit (binding root, too) makes the second tag fail.
TEST_F(RenamePages, StoppedPassGivesLedThePageTitleBack) {
  constexpr rlim_t kLimit = 64 * 1024;
  PutFile(songs.path(), "a.mp3", Song("A", "One", 'a'));
  PutFile(songs.path(), "b.mp3", std::string(kLimit - 64, '\xAA'));  // no tag: one would pass it
  SetOptions(false, false, true, false);
  f.showRenamePage();
  SetMemo({Line("a.mp3", "A - Uno.mp3"), Line("b.mp3", "B - Dos.mp3")});
  {
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const rlimit limit{kLimit, old.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    platform::IgnoreFileSizeSignal();
    f.renamePage->CoolButton1->click();
    setrlimit(RLIMIT_FSIZE, &old);
  }
  ASSERT_EQ(w.errors.size(), 1u);
  EXPECT_NE(w.errors[0].find("I/O-Fehler"), std::string::npos) << w.errors[0];
  // The first song was renamed, so the count had been shown.
  EXPECT_TRUE(HasFile(songs.path(), "A - Uno.mp3"));
  EXPECT_EQ(GetFile(songs.path(), "B - Dos.mp3"), std::string(kLimit - 64, '\xAA'));
  EXPECT_EQ(f.PageNumber, 3);
  EXPECT_EQ(f.LedText(), f.HintOf(f.Label3));
}

TEST_F(RenamePages, OkWhileTheListIsStillBeingBuiltAppliesNothing) {
  for (char c = 'a'; c <= 'e'; ++c)
    PutFile(songs.path(), std::string(1, c) + ".mp3", Song("X", std::string(1, c), c));
  // The list from an earlier visit is still in the memo when page 3 opens again.
  SetMemo({Line("a.mp3", "stale.mp3")});
  bool okWasOff = false;
  // Runs inside the build, while it lets the window process its messages.
  QTimer::singleShot(0, [&] {
    okWasOff = !f.renamePage->CoolButton1->isEnabled();
    f.renamePage->CoolButton1->click();
  });
  f.showRenamePage();
  EXPECT_TRUE(okWasOff);
  EXPECT_TRUE(HasFile(songs.path(), "a.mp3"));
  EXPECT_FALSE(HasFile(songs.path(), "stale.mp3"));
  EXPECT_EQ(f.PageNumber, 3);
  EXPECT_EQ(Memo().size(), 5u);
  EXPECT_TRUE(f.renamePage->CoolButton1->isEnabled());
}

TEST_F(RenamePages, UnreadableSourceFolderIsReportedAndTheListStaysEmpty) {
  f.MutableSettings().SourceDir = songs.file("missing");
  SetMemo({Line("a.mp3", "b.mp3")});
  f.showRenamePage();
  ASSERT_EQ(w.errors.size(), 1u);
  EXPECT_NE(w.errors[0].find("I/O-Fehler"), std::string::npos);
  EXPECT_TRUE(Memo().empty());
  EXPECT_TRUE(f.renamePage->CoolButton1->isEnabled());
  EXPECT_EQ(f.LedText(), f.HintOf(f.Label3));

  f.MutableSettings().SourceDir.clear();
  f.showRenamePage();
  ASSERT_EQ(w.errors.size(), 2u);
  EXPECT_NE(w.errors[1].find("Seite 1"), std::string::npos);
}

// A file with an ID3v2 tag alone: its artist and title plan the name while
// the ID3v2 box on the options page is ticked; the box is a setting.
TEST_F(RenamePages, Id3v2BoxDecidesWhetherTheId3v2TagNamesTheSong) {
  auto frame = [](const std::string& id, const std::string& text) {
    const std::string value = std::string(1, '\0') + text;  // Latin-1
    return id + std::string{0, 0, 0, static_cast<char>(value.size())} + std::string(2, '\0') +
           value;
  };
  const std::string body = frame("TPE1", "Beyonc\xE9") + frame("TIT2", "Halo");
  PutFile(songs.path(), "x.mp3",
          std::string("ID3\x03\x00\x00\x00\x00\x00", 9) + static_cast<char>(body.size()) + body +
              Song("", ""));
  SetOptions(false, true, false, false);
  ASSERT_TRUE(f.renameOptionsPage->ID3v2Tags->isChecked());
  f.showRenamePage();
  EXPECT_EQ(Memo(), (std::vector<std::string>{Line("x.mp3", "Beyonc\xE9 - Halo.mp3")}));
  f.renameOptionsPage->ID3v2Tags->setChecked(false);
  f.showRenamePage();
  EXPECT_EQ(Memo(), (std::vector<std::string>{Line("x.mp3", " - .mp3")}));
  Settings s;
  f.renameOptionsPage->StoreSettings(s);
  EXPECT_FALSE(s.ID3v2);
  // On the page below the name options, and inside it.
  const QRect box = f.renameOptionsPage->ID3v2Tags->geometry();
  EXPECT_TRUE(f.renameOptionsPage->rect().contains(box));
  EXPECT_FALSE(box.intersects(f.renameOptionsPage->ok31->geometry()));
}

// OK renames each song with its picture and tells what it did; the undo
// button of page 3 shows the list that gives the names back, and OK applies it.
TEST_F(RenamePages, ApplyTakesThePictureAlongAndUndoBringsEveryNameBack) {
  f.MutableSettings().BinDir = songs.path();
  std::vector<std::string> summaries;
  f.renamePage->ShowSummary = [&](const std::string& text) { summaries.push_back(text); };
  PutFile(songs.path(), "track01.mp3", Song("Some Band", "First Song"));
  PutFile(songs.path(), "TRACK01.BIN", "picture");
  const auto before = test::Snapshot(songs.path());
  SetOptions(false, false, false, false);
  f.showRenamePage();
  f.renamePage->CoolButton1->click();
  EXPECT_EQ(GetFile(songs.path(), "SOME BAND - FIRST SONG.BIN"), "picture");
  EXPECT_EQ(summaries,
            std::vector<std::string>{BuildText(str::kRenameSummary, {"1", "1", "0", "0", ""})});

  f.showRenamePage();
  f.renamePage->UndoButton->click();
  EXPECT_EQ(Memo(), std::vector<std::string>{Line("Some Band - First Song.mp3", "track01.mp3")});
  EXPECT_EQ(ToAnsi(f.renamePage->StaticText1->text()), BuildText(str::kUndoCaption));
  SetOptions(false, false, true, true);  // an undo list is applied as it stands all the same
  f.renamePage->CoolButton1->click();
  EXPECT_TRUE(w.errors.empty()) << w.errors.front();
  EXPECT_EQ(test::Snapshot(songs.path()), before);
}

TEST_F(RenamePages, OopsLeavesWithoutRenaming) {
  PutFile(songs.path(), "track01.mp3", Song("Some Band", "First Song"));
  f.showRenamePage();
  f.renamePage->CoolButton2->click();
  EXPECT_EQ(f.PageNumber, 0);
  EXPECT_TRUE(HasFile(songs.path(), "track01.mp3"));
  EXPECT_EQ(f.LedText(), ".");
}

}  // namespace
}  // namespace tovix

// Every write of tovix-cli on a full disk, an exceeded file-size limit
// standing in for it (the limit binds root too, and tovix-cli takes it as a
// failed write): the pass names the file it could not write, ends with exit
// code 1, and leaves every file as it was, none cut short, no temporary file
// or work folder behind. The limits let the smaller writes before the one
// under test through.
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "cli/clifixture.h"
#include "rename/mp3fixture.h"

namespace tovix {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

struct Case {
  const char* what;
  const char* settings;           // more lines of tovix.ini
  std::vector<std::string> args;  // after --ini
  unsigned long limit;            // bytes a file may reach
  const char* message;            // part of what the run prints
  const char* kept = nullptr;     // a file put there first
  const char* log = nullptr;      // a log the run may write, in whole lines
  bool logged = false;            // which then holds the message
  bool renamed = false;           // the songs keep their bytes, some under new names
  const char* tool = nullptr;     // only this tool's writes meet the limit, from its second run
};

// Puts a script in the place of a tool of folder that starts it under the
// limit while the file "full" is there; the first run (the BIN run's test
// picture) goes free.
void LimitTool(const TempDir& folder, const std::string& tool, unsigned long limit) {
  fs::rename(folder.file(tool), folder.file(tool + ".real"));
  test::WriteFile(folder.file(tool),
                  "#!/bin/sh\nd=${0%/*}\nn=$(cat \"$d/runs\" 2>/dev/null || echo 0)\n"
                  "echo $((n + 1)) >\"$d/runs\"\n"
                  "if [ \"$n\" -ge 1 ] && [ -f \"$d/full\" ]; then ulimit -S -f " +
                      std::to_string(limit / 512) + "; fi\nexec \"$d/" + tool + ".real\" \"$@\"\n");
  fs::permissions(folder.file(tool), fs::perms::owner_all | fs::perms::group_read |
                                         fs::perms::group_exec | fs::perms::others_read |
                                         fs::perms::others_exec);
  test::WriteFile(folder.file("full"), "");
}

// Songs are 1251 and 1379 bytes (three frames, one with a tag): a tag
// written at 1251 would be cut after 49 bytes.
const Case kCases[] = {
    // The first song is renamed before its tag is written, and the pass
    // stops there; its list then no longer applies, so there is no control.
    {"tag written after a rename",
     "MakeTag=1\r\nSaveTag=1\r\n",
     {"rename", "--apply", "lists/plan.txt"},
     1300,
     "Erster Titel.mp3\" kann nicht geschrieben werden: der Datentr",
     nullptr,
     nullptr,
     false,
     true},
    {"rename list",
     "",
     {"rename", "--plan", "lists/new.txt"},
     0,
     "new.txt\" kann nicht geschrieben werden (I/O-Fehler 27)"},
    {"rename list replacing an old one",
     "",
     {"rename", "--plan", "lists/plan.txt"},
     40,
     "plan.txt\" kann nicht geschrieben werden (I/O-Fehler 27)"},
    {"info texts", "", {"texts"}, 0, "TXT\" kann nicht geschrieben werden (I/O-Fehler 27)"},
    {"info texts over old ones",
     "",
     {"texts"},
     10,
     "TXT\" kann nicht geschrieben werden (I/O-Fehler 27)",
     "bins/track01.TXT"},
    {"CD batch pair",
     "",
     {"cdbatch"},
     0,
     "Short.bat\" kann nicht geschrieben werden (I/O-Fehler 27)"},
    {"CD batch pair over an old one",
     "",
     {"cdbatch"},
     60,
     ".bat\" kann nicht geschrieben werden (I/O-Fehler 27)",
     "music/Short.bat"},
    {"recode: a new log", "Recode=0\r\n", {"recode"}, 0, "TOVIX.LOG\" kann nicht"},
    // A pass starts its log afresh; its first line fits, the second not.
    {"recode: a line that does not fit the log",
     "Recode=0\r\n",
     {"recode"},
     100,
     "TOVIX.LOG\" kann nicht geschrieben werden (I/O-Fehler 27)",
     nullptr,
     "recode/TOVIX.LOG"},
    {"recode: its copies",
     "Recode=0\r\n",
     {"recode"},
     1000,
     "kopiert werden (I/O-Fehler 27)",
     nullptr,
     "recode/TOVIX.LOG",
     true},
    {"BIN run: its settings copy", "", {"--set", "MakeTxt=1", "bins"}, 0, "(I/O-Fehler 27)"},
    {"BIN run: the test picture",
     "MakeTxt=1\r\nSaveJpg=1\r\n",
     {"bins"},
     4096,
     "BM9999.BMP kann nicht erstellt werden (I/O-Fehler 27)"},
    {"picture and its JPEG",
     "",
     {"picture", "music/track01.mp3", "bins/one.bmp", "--jpeg", "bins/one.jpg"},
     4096,
     "one.bmp kann nicht erstellt werden (I/O-Fehler 27)",
     "bins/one.bmp"},
    {"settings", "", {"--set", "bitmap=/x.bmp", "--save"}, 0, "tovix.ini"},
    // What the tools write inside the BIN run's batch; the song is named and
    // no .BIN, whole or cut short, is moved into the folder.
    {.what = "BIN run: mklogo's C array",
     .settings = "",
     .args = {"bins"},
     .limit = 0,
     .message = "track01.mp3: keine .BIN erstellt",
     .tool = "mklogo"},
    {.what = "BIN run: c2bin's .BIN",
     .settings = "",
     .args = {"bins"},
     .limit = 0,
     .message = "track01.mp3: keine .BIN erstellt",
     .tool = "c2bin"},
};

TEST(FullDisk, EachWriteSaysSoAndChangesNothing) {
  TempDir program;
  ASSERT_TRUE(test::MakeProgramFolder(program));
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    TempDir wrapped;
    std::string programDir = program.path() + "/";
    if (c.tool) {
      ASSERT_TRUE(test::MakeProgramFolder(wrapped));
      LimitTool(wrapped, c.tool, c.limit);
      programDir = wrapped.path() + "/";
    }
    test::CliFixture f(programDir, c.settings);
    if (c.kept) f.Put(c.kept, "old\r\n");
    auto before = test::Tree(f.root());
    const auto before_songs = test::Contents(f.file("music"));
    if (c.log) before.erase(c.log);
    if (c.renamed)
      std::erase_if(before, [](const auto& e) { return e.first.starts_with("music/"); });
    const test::CliOutcome run = f.RunLimited(c.args, c.tool ? RLIM_INFINITY : c.limit);
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    EXPECT_NE((run.out + run.err).find(c.message), std::string::npos) << run.out << run.err;
    auto after = test::Tree(f.root());
    if (c.log) {
      EXPECT_TRUE(after[c.log].ends_with("\r\n")) << after[c.log];
      if (c.logged) {
        EXPECT_NE(after[c.log].find(c.message), std::string::npos) << after[c.log];
      }
      after.erase(c.log);
    }
    if (c.renamed) {
      EXPECT_EQ(test::Contents(f.file("music")), before_songs) << run.out << run.err;
      std::erase_if(after, [](const auto& e) { return e.first.starts_with("music/"); });
      // The rename done before the failed tag can be taken back.
      EXPECT_TRUE(after["lists/plan.txt.undo"].starts_with("\"Band - Erster Titel.mp3\"="));
      after.erase("lists/plan.txt.undo");
    }
    EXPECT_TRUE(after == before) << test::Differences(before, after) << "\n" << run.out << run.err;
    if (c.renamed) continue;

    // Without the limit the same run goes through.
    if (c.tool) fs::remove(wrapped.file("full"));
    const test::CliOutcome control = f.RunLimited(c.args, RLIM_INFINITY);
    EXPECT_EQ(control.exitCode, 0) << control.out << control.err;
    EXPECT_TRUE(fs::is_empty(f.file("work"))) << test::Differences({}, test::Tree(f.file("work")));
  }
}

}  // namespace
}  // namespace tovix

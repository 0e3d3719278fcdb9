// Every write of tovix-cli into a folder (or file) the user cannot write:
// the pass says what it could not write, ends with exit code 1, and leaves
// every file as it was, with no temporary file or work folder behind.
// Permissions do not bind root, so each run is made by an unprivileged user;
// the same run with the lock lifted must then succeed, so it is the lock
// and nothing else that stopped it.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "cli/clifixture.h"

namespace tovix {
namespace {

namespace fs = std::filesystem;
using test::CliOutcome;
using test::Differences;
using test::TempDir;
using test::Tree;

struct Case {
  const char* what;
  std::vector<std::string> args;  // after --ini and the folders
  const char* locked;             // made read-only, relative to the fixture
  const char* message;            // part of what the run prints
  const char* kept = nullptr;     // a file put there first
  bool logged = false;            // the run appends its message to kept
  bool othersDone = false;        // the run still makes files for the other songs
};

const Case kCases[] = {
    {"tags and renames of an applied list",
     {"--set", "MakeTag=1", "--set", "SaveTag=1", "rename", "--apply", "lists/plan.txt"},
     "music",
     "kann nicht umbenannt werden (I/O-Fehler 13)"},
    {"rename list",
     {"rename", "--plan", "lists/new.txt"},
     "lists",
     "new.txt\" kann nicht geschrieben werden (I/O-Fehler 13)"},
    {"BIN run: its .BIN folder (texts and JPEG copies asked for too)",
     {"--set", "MakeTxt=1", "--set", "SaveJpg=1", "bins"},
     "bins",
     "TST9999.BIN\" ("},
    {"BIN run: its work folder", {"bins"}, "work", "(I/O-Fehler 13)"},
    {"picture and its JPEG",
     {"picture", "music/track01.mp3", "bins/one.bmp", "--jpeg", "bins/one.jpg"},
     "bins",
     "one.bmp kann nicht erstellt werden (I/O-Fehler 13)"},
    {"info text files", {"texts"}, "bins", "TXT\" kann nicht geschrieben werden (I/O-Fehler 13)"},
    {"CD batch pair",
     {"cdbatch"},
     "music",
     "Short.bat\" kann nicht geschrieben werden (I/O-Fehler 13)"},
    {"recode: log and copies",
     {"--set", "Recode=0", "recode"},
     "recode",
     "TOVIX.LOG\" kann nicht angelegt werden (I/O-Fehler 13)"},
    {"recode: copies, with a log that can be written",
     {"--set", "Recode=0", "recode"},
     "recode",
     "kopiert werden (I/O-Fehler 13)",
     "recode/TOVIX.LOG",
     true},
    {"BIN run: a read-only .BIN to be replaced",
     {"--set", "NewBins=1", "bins"},
     "bins/TRACK01.BIN",
     "TRACK01.BIN: schreibgesch\xC3\xBCtzt, die alte .BIN bleibt",
     "bins/TRACK01.BIN",
     false,
     true},
    {"settings in a read-only folder",
     {"--set", "bitmap=/x.bmp", "--save"},
     "conf",
     "tovix.ini kann nicht geschrieben werden (I/O-Fehler 13)"},
    {"read-only settings file",
     {"--set", "bitmap=/x.bmp", "--save"},
     "conf/tovix.ini",
     "tovix.ini kann nicht geschrieben werden (I/O-Fehler 13)"},
};

TEST(ReadOnlyTarget, EachWriteSaysSoAndChangesNothing) {
  // The program's files where the unprivileged user reaches them.
  TempDir program;
  ASSERT_TRUE(test::MakeProgramFolder(program));
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    test::CliFixture f(program.path() + "/");
    if (c.kept) f.Put(c.kept, "old\r\n");
    const std::string locked = f.file(c.locked);
    const bool folder = fs::is_directory(locked);
    auto before = Tree(f.root());
    ASSERT_EQ(chmod(locked.c_str(), folder ? 0555 : 0444), 0);
    const CliOutcome run = f.Run(c.args);
    ASSERT_EQ(chmod(locked.c_str(), folder ? 0755 : 0644), 0);
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    EXPECT_NE((run.out + run.err).find(c.message), std::string::npos) << run.out << run.err;
    auto after = Tree(f.root());
    if (c.logged) {
      EXPECT_NE(after[c.kept].find(c.message), std::string::npos) << after[c.kept];
      after[c.kept] = before[c.kept];
    }
    if (c.othersDone) std::erase_if(after, [&](const auto& e) { return !before.count(e.first); });
    EXPECT_TRUE(after == before) << Differences(before, after) << "\n" << run.out << run.err;

    // Unlocked, the same run goes through.
    const CliOutcome control = f.Run(c.args);
    EXPECT_EQ(control.exitCode, 0) << control.out << control.err;
    EXPECT_TRUE(fs::is_empty(f.file("work"))) << Differences({}, Tree(f.file("work")));
  }
}

}  // namespace
}  // namespace tovix

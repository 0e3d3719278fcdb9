// Every write of tovix-cli into a folder (or file) the user cannot write:
// the pass says what it could not write, ends with exit code 1, and leaves
// every file as it was, with no temporary file or work folder behind.
// Permissions do not bind root, so each run is made by an unprivileged user;
// the same run with the lock lifted must then succeed, so it is the lock
// and nothing else that stopped it.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "cli/clirunner.h"
#include "rename/mp3fixture.h"
#include "support/tempdir.h"
#include "support/unprivileged.h"

namespace tovix {
namespace {

namespace fs = std::filesystem;
using test::CliOutcome;
using test::TempDir;

// Everything below folder: files with their bytes, folders as "<dir>".
std::map<std::string, std::string> Tree(const std::string& folder) {
  std::map<std::string, std::string> tree;
  for (const auto& e : fs::recursive_directory_iterator(folder)) {
    const std::string relative = fs::relative(e.path(), folder).string();
    tree[relative] = e.is_directory() ? "<dir>" : test::ReadFile(e.path().string());
  }
  return tree;
}

// The entries in which two trees differ, for the failure message.
std::string Differences(const std::map<std::string, std::string>& a,
                        const std::map<std::string, std::string>& b) {
  std::string text;
  for (const auto& [name, bytes] : a)
    if (!b.count(name) || b.at(name) != bytes) text += " " + name;
  for (const auto& [name, bytes] : b)
    if (!a.count(name)) text += " +" + name;
  return text;
}

struct Case {
  const char* what;
  std::vector<std::string> args;  // after --ini and the folders
  const char* locked;             // made read-only, relative to the fixture
  const char* message;            // part of what the run prints
  const char* kept = nullptr;     // a file put there first
  bool logged = false;            // the run appends its message to kept
  bool othersDone = false;        // the run still makes files for the other songs
};

// Two songs (one without a tag, with an accented name), a rename list, a
// settings file with a comment, and empty folders for the passes to fill.
class Fixture {
 public:
  explicit Fixture(const std::string& program) : program_(program) {
    chmod(root_.path().c_str(), 0755);
    for (const char* folder : {"music", "bins", "recode", "lists", "work", "conf"})
      fs::create_directory(root_.file(folder));
    test::PutFile(root_.file("music"), "track01.mp3", test::Song("Band", "Erster Titel", 'a'));
    test::PutFile(root_.file("music"), "Caf\xE9 ohne Tag.mp3", test::Song("", "", 'b'));
    test::WriteFile(root_.file("lists/plan.txt"),
                    "\"track01.mp3\"=\"Band - Erster Titel.mp3\"\r\n"
                    "\"Caf\xE9 ohne Tag.mp3\"=\"Neu - Caf\xE9.mp3\"\r\n");
    test::WriteFile(root_.file("conf/tovix.ini"), "; meine\r\n[Tovix]\r\nSprache=0\r\n");
    // Owned by the unprivileged user, as a user's own files are.
    paths_ = {root_.path(), out_.path()};
    for (const auto& e : fs::recursive_directory_iterator(root_.path()))
      paths_.push_back(e.path().string());
  }

  const std::string& root() const { return root_.path(); }
  // A file the unprivileged user owns.
  void Put(const std::string& name, const std::string& bytes) {
    test::WriteFile(root_.file(name), bytes);
    paths_.push_back(root_.file(name));
  }
  std::string file(const std::string& name) const { return root_.file(name); }

  // tovix-cli as the unprivileged user; its output lands in out_.
  CliOutcome Run(const std::vector<std::string>& args) {
    std::vector<std::string> call = {
        "--ini", root_.file("conf/tovix.ini"),   "--set", "mp3dir=" + root_.file("music"),
        "--set", "bindir=" + root_.file("bins"), "--set", "wavedir=" + root_.file("recode")};
    call.insert(call.end(), args.begin(), args.end());
    // Qt's runtime folder in the output folder, not among the checked ones;
    // the leak checker's list of known leaks where the user can read it.
    const auto env =
        test::EnvironmentWith({{"TMPDIR", root_.file("work")},
                               {"XDG_RUNTIME_DIR", out_.path()},
                               {"LSAN_OPTIONS", "suppressions=" + program_ + "lsan.supp"}});
    CliOutcome outcome;
    outcome.exitCode = test::RunUnprivileged(paths_, [&] {
      const CliOutcome run = test::RunCliFrom(program_, call, root_.path(), env);
      test::WriteFile(out_.file("out"), run.out);
      test::WriteFile(out_.file("err"), run.err);
      return run.exitCode;
    });
    outcome.out = test::ReadFile(out_.file("out"));
    outcome.err = test::ReadFile(out_.file("err"));
    return outcome;
  }

 private:
  const std::string program_;
  TempDir root_;
  TempDir out_;
  std::vector<std::string> paths_;
};

const Case kCases[] = {
    {"tags and renames of an applied list",
     {"--set", "MakeTag=1", "--set", "SaveTag=1", "rename", "--apply", "lists/plan.txt"},
     "music",
     "kann nicht umbenannt werden (I/O-Fehler 13)"},
    {"rename list", {"rename", "--plan", "lists/new.txt"}, "lists", "new.txt (I/O-Fehler 13)"},
    {"BIN run: its .BIN folder (texts and JPEG copies asked for too)",
     {"--set", "MakeTxt=1", "--set", "SaveJpg=1", "bins"},
     "bins",
     "TST9999.BIN\" ("},
    {"BIN run: its work folder", {"bins"}, "work", "(I/O-Fehler 13)"},
    {"picture and its JPEG",
     {"picture", "music/track01.mp3", "bins/one.bmp", "--jpeg", "bins/one.jpg"},
     "bins",
     "one.bmp kann nicht erstellt werden (I/O-Fehler 13)"},
    {"info text files", {"texts"}, "bins", "TXT (I/O-Fehler 13)"},
    {"CD batch pair", {"cdbatch"}, "music", "Short.bat (I/O-Fehler 13)"},
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
  ASSERT_EQ(chmod(program.path().c_str(), 0755), 0);
  fs::copy_file(test::SourceDir() + "tests/support/lsan.supp", program.file("lsan.supp"));
  ASSERT_TRUE(test::MirrorProgramFiles(
      program.path(),
      {"tovix-cli", "tovix-cmd", "mklogo", "c2bin", "tovix.lng", "Mp3ToMp3.bat", "Wavtomp3.bat"}));
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    Fixture f(program.path() + "/");
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

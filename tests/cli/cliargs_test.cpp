// The call parsing, the settings of one run and the console output of
// tovix-cli, without running the program.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <sstream>
#include <stdexcept>

#include "cliargs.h"
#include "console.h"
#include "lang/sprachen.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"
#include "runsettings.h"
#include "support/tempdir.h"
#include "support/unprivileged.h"

namespace tovix::cli {
namespace {

// The complaints in English, as a run with Sprache=1 words them.
ParseResult Parse(std::vector<std::string> args) {
  static const LanguageResult english = ApplyLanguage(1, test::ProgramDir() + "tovix.lng");
  EXPECT_EQ(english, LanguageResult::kOk);
  return ParseCommandLine(args);
}

TEST(CliArgs, GlobalOptionsStandBeforeOrAfterTheCommand) {
  const ParseResult r = Parse({"--ini", "my.ini", "cdbatch", "--set", "mp3dir=/m", "--no-subdirs",
                               "--set=NewBins=1", "--save"});
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.call.command, "cdbatch");
  EXPECT_EQ(r.call.iniFile.value_or(""), "my.ini");
  ASSERT_EQ(r.call.sets.size(), 2u);
  EXPECT_EQ(r.call.sets[0], (Override{"mp3dir", "/m"}));
  // Only the first "=" separates key and value.
  EXPECT_EQ(r.call.sets[1], (Override{"NewBins", "1"}));
  EXPECT_TRUE(r.call.save);
  EXPECT_TRUE(r.call.HasOption("--no-subdirs"));
}

TEST(CliArgs, ValuesMayHoldEqualsSignsAndBlanks) {
  const ParseResult r = Parse({"--set", "bitmap=/pics/a=b c.jpg", "texts"});
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.call.sets.at(0).second, "/pics/a=b c.jpg");
}

TEST(CliArgs, OperandsAndOptionsOfEachCommand) {
  ParseResult r = Parse({"picture", "a.mp3", "out.bmp", "--jpeg=out.jpg"});
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.call.operands, (std::vector<std::string>{"a.mp3", "out.bmp"}));
  EXPECT_EQ(r.call.Option("--jpeg"), "out.jpg");

  r = Parse({"scan", "a", "b", "c"});
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.call.operands.size(), 3u);

  r = Parse({"rename", "--plan", "list.txt"});
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.call.Option("--plan"), "list.txt");

  // After "--" a word that starts with "-" is an operand.
  r = Parse({"scan", "--", "-odd.mp3"});
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.call.operands, (std::vector<std::string>{"-odd.mp3"}));
}

TEST(CliArgs, BadCallsAreNamed) {
  struct Case {
    std::vector<std::string> args;
    std::string says;
  };
  const std::vector<Case> cases = {
      {{}, "no command"},
      {{"burn"}, "unknown command \"burn\""},
      {{"scan"}, "scan: wrong number of operands (0)"},
      {{"bins", "extra"}, "bins: wrong number of operands (1)"},
      {{"picture", "a.mp3"}, "wrong number of operands"},
      {{"picture", "a", "b", "c"}, "picture: wrong number of operands (3)"},
      {{"demo"}, "wrong number"},
      {{"rename"}, "rename: give either --plan or --apply"},
      {{"rename", "--plan", "a", "--apply", "b"}, "either"},
      {{"rename", "--plan"}, "--plan needs a value"},
      {{"texts", "--jpeg", "x"}, "texts: unknown option \"--jpeg\""},
      {{"--no-subdirs", "cdbatch"}, "unknown option"},
      {{"cdbatch", "--no-subdirs=1"}, "takes no value"},
      {{"--set", "texts"}, "KEY=VALUE"},
      {{"--set", "=1", "texts"}, "KEY=VALUE"},
      {{"--set", "mp3folder=/x", "texts"}, "\"mp3folder\" is not a key"},
      {{"--ini"}, "--ini needs a value"},
      {{"--save=yes"}, "takes no value"},
      {{"demo", "d", "--save"}, "default settings"},
      {{"--ini", "x.ini", "demo", "d"}, "default settings"},
  };
  for (const Case& c : cases) {
    const ParseResult r = Parse(c.args);
    EXPECT_FALSE(r.ok()) << "accepted: " << ::testing::PrintToString(c.args);
    EXPECT_NE(r.error.find(c.says), std::string::npos)
        << ::testing::PrintToString(c.args) << " gave: " << r.error;
  }
}

TEST(CliArgs, RecodeTakesAPlanAndANumberOfJobs) {
  const ParseResult r = Parse({"recode", "--plan", "--jobs=2", "--set", "Recode=1"});
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_TRUE(r.call.HasOption("--plan"));
  EXPECT_EQ(r.call.Option("--jobs"), "2");
  for (const char* bad : {"0", "-1", "two", "1000", "2x"}) {
    const ParseResult b = Parse({"recode", "--jobs", bad});
    EXPECT_FALSE(b.ok()) << bad;
    EXPECT_NE(b.error.find("--jobs"), std::string::npos) << b.error;
  }
  EXPECT_EQ(Parse({"recode", "--jobs"}).error, "--jobs needs a value");
  EXPECT_FALSE(Parse({"recode", "extra"}).ok());
}

TEST(CliArgs, HelpNeedsNoValidCall) {
  for (const auto& args : std::vector<std::vector<std::string>>{{"--help"},
                                                                {"-h"},
                                                                {"help"},
                                                                {"rename", "--help"},
                                                                {"help", "rename"},
                                                                {"picture", "-h"}}) {
    const ParseResult r = Parse(args);
    EXPECT_TRUE(r.ok()) << ::testing::PrintToString(args) << ": " << r.error;
    EXPECT_TRUE(r.call.help);
  }
  EXPECT_EQ(Parse({"help", "rename"}).call.command, "rename");
}

TEST(CliArgs, SaveAloneStoresTheSettings) {
  const ParseResult r = Parse({"--set", "Sprache=1", "--save"});
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_TRUE(r.call.command.empty());
}

class RunSettings : public ::testing::Test {
 protected:
  std::string Ini() const { return *platform::FromNative(dir_.file("tovix.ini")); }
  void WriteIni(const std::string& text) { test::WriteFile(dir_.file("tovix.ini"), text); }
  test::TempDir dir_;
};

TEST_F(RunSettings, OverridesFollowTheReadingRuleOfTheirKey) {
  WriteIni("[Tovix]\r\nWaveDir=/old/recode\r\nScale=1\r\nNewBins=0\r\nmp3dir=/music\r\n");
  const Settings s = LoadRunSettings(Ini(),
                                     {{"scale", "0x10"},
                                      {"Overscan", "286"},
                                      {"wavedir", "\"/new/recode\""},
                                      {"NewBins", "7"},
                                      {"Bitrate", "abc"},
                                      {"Font1.Style.italic", "1"}},
                                     "/work");
  EXPECT_EQ(s.Scale, 16);
  EXPECT_EQ(s.Overscan, 30);              // a byte: 286 mod 256
  EXPECT_EQ(s.RecodeDir, "/new/recode");  // one pair of quotes dropped
  EXPECT_TRUE(s.NewBins);                 // any non-zero number is true
  EXPECT_EQ(s.Bitrate, 0);                // not a number: the default
  EXPECT_TRUE(s.Font1.italic);
  EXPECT_EQ(s.SourceDir, "/music");  // untouched keys as stored
  EXPECT_EQ(s.BinDir, "/work");      // missing: the working folder
}

TEST_F(RunSettings, OverridesAreValuesAsTheFileWouldHoldThem) {
  WriteIni("[Tovix]\r\nScale=1\r\nFont2.Style.Italic=1\r\nSprache=2\r\n");
  const Settings s = LoadRunSettings(Ini(),
                                     {{"mp3dir", " \t/a b\t "},
                                      {"bindir", "/bins\r\nScale=5"},
                                      {"Scale", "abc"},
                                      {"FONT2.STYLE.ITALIC", "0"},
                                      {"Bitrate", "'-9'"},
                                      {"Sprache", "1"},
                                      {"sprache", "0x0"}},
                                     "/w");
  EXPECT_EQ(s.SourceDir, "/a b");
  EXPECT_EQ(s.BinDir, "/bins");  // a line break ends the value: no key slips in behind it
  EXPECT_EQ(s.Scale, 0);         // not a number: the default, not the stored 1
  EXPECT_TRUE(s.Font2.italic);   // 0 removes nothing from the form's style
  EXPECT_EQ(s.Bitrate, -1);      // quotes dropped, held at the first item
  EXPECT_EQ(s.Language, 0);      // the last override of a key counts
  EXPECT_THROW(LoadRunSettings(Ini(), {{"colour", "red"}}, "/w"), std::invalid_argument);
}

TEST_F(RunSettings, AFileThatCannotBeReadIsAnErrorNotTheDefaults) {
  WriteIni("[Tovix]\r\nmp3dir=/music\r\n");
  const std::string native = dir_.file("tovix.ini");
  ASSERT_EQ(chmod(native.c_str(), 0), 0);
  const int outcome = test::RunUnprivileged({dir_.path(), native}, [&] {
    for (const std::vector<Override>& overrides :
         std::vector<std::vector<Override>>{{}, {{"MakeTxt", "1"}}}) {
      try {
        LoadRunSettings(Ini(), overrides, "/w");
        return 1;
      } catch (const IoError& e) {
        if (std::string(e.what()).find("tovix.ini") == std::string::npos) return 2;
      }
    }
    return 0;
  });
  chmod(native.c_str(), 0644);
  EXPECT_EQ(outcome, 0);
}

TEST_F(RunSettings, TheFileItselfIsNeverWritten) {
  const std::string text = "[Tovix]\r\nmp3dir=/music\r\n";
  WriteIni(text);
  const Settings s = LoadRunSettings(Ini(), {{"mp3dir", "/other"}, {"MakeTxt", "1"}}, "/w");
  EXPECT_EQ(s.SourceDir, "/other");
  EXPECT_TRUE(s.MakeTxt);
  EXPECT_EQ(test::ReadFile(dir_.file("tovix.ini")), text);
}

TEST_F(RunSettings, AMissingFileGivesTheDefaultsAndStaysMissing) {
  const Settings s = LoadRunSettings(Ini(), {{"NiceWords", "0"}}, "/w");
  EXPECT_FALSE(s.NiceWords);
  EXPECT_EQ(s.Overscan, 30);
  EXPECT_TRUE(s.Recode);
  EXPECT_FALSE(platform::Exists(Ini()));
}

TEST_F(RunSettings, SaveWritesEveryKey) {
  Settings s = LoadRunSettings(Ini(), {{"mp3dir", "/cd1"}}, "/w");
  SaveRunSettings(Ini(), s);
  const std::string written = test::ReadFile(dir_.file("tovix.ini"));
  EXPECT_NE(written.find("mp3dir=/cd1"), std::string::npos) << written;
  EXPECT_NE(written.find("SaveJpg=0"), std::string::npos);
  const Settings back = LoadRunSettings(Ini(), {}, "/elsewhere");
  EXPECT_EQ(back.SourceDir, "/cd1");
  EXPECT_EQ(back.BinDir, "/w");
}

TEST_F(RunSettings, AFolderInPlaceOfTheFileIsAnError) {
  EXPECT_THROW(LoadRunSettings(*platform::FromNative(dir_.path()), {}, "/w"), std::exception);
}

TEST(Console, LinesAreUtf8AndMessagesGoToStandardError) {
  std::ostringstream out, err;
  {
    Console console(out, err, false);
    console.Line(
        "Gr\xFC\xDF"
        "e");
    console.Message("erste Zeile\rzweite\r\ndritte");
    console.Progress(1, 5);  // not a terminal: no progress
  }
  EXPECT_EQ(out.str(),
            "Gr\xC3\xBC\xC3\x9F"
            "e\n");
  EXPECT_EQ(err.str(), "erste Zeile\nzweite\ndritte\n");
}

TEST(Console, ProgressIsDrawnInPlaceAndClearedBeforeALine) {
  std::ostringstream out, err;
  Console console(out, err, true);
  console.Progress(9, 10);
  console.Progress(10, 10);
  EXPECT_EQ(err.str(), "\r[ 9 / 10 ]\r[ 10 / 10 ]");
  console.Status("[ x ]");
  // A shorter text blanks the rest of the longer one.
  EXPECT_NE(err.str().find("\r[ x ]      \r[ x ]"), std::string::npos) << err.str();
  err.str("");
  console.Line("done");
  EXPECT_EQ(err.str(), "\r     \r");
  EXPECT_EQ(out.str(), "done\n");
  EXPECT_EQ(ProgressText(3, 12), "[ 3 / 12 ]");
}

}  // namespace
}  // namespace tovix::cli

// The line-level steps of tovix-cmd: percent forms, redirections, chains,
// command words and name matching.
#include <gtest/gtest.h>

#include <cstdlib>

#include "cmd/expand.h"
#include "cmd/parse.h"
#include "cmd/textutil.h"

namespace tovix::cmd {
namespace {

std::string Expand(const std::string& line, const std::vector<std::string>& args,
                   std::size_t shift = 0, int level = 0) {
  return ExpandPercents(line, {&args, shift, level});
}

TEST(ExpandPercents, ArgumentsAndTheirQuotes) {
  std::vector<std::string> args{".\\tmpbat.bat", "\"My Song.mp3\"", "/music\\", "192"};
  EXPECT_EQ(Expand("%0", args), ".\\tmpbat.bat");
  EXPECT_EQ(Expand("lame %1 %2%~1 %3", args), "lame \"My Song.mp3\" /music\\My Song.mp3 192");
  EXPECT_EQ(Expand("[%~1]", args), "[My Song.mp3]");
  // Arguments that were not given are empty, not left as written.
  EXPECT_EQ(Expand("a%5b%9c", args), "abc");
  EXPECT_EQ(Expand("%*", args), "\"My Song.mp3\" /music\\ 192");
  EXPECT_EQ(Expand("%1", args, 1), "/music\\");
}

TEST(ExpandPercents, PercentSignsAndVariables) {
  std::vector<std::string> args{"x.bat"};
  EXPECT_EQ(Expand("100%% sure", args), "100% sure");
  EXPECT_EQ(Expand("%%1 is %%~1", args), "%1 is %~1");
  setenv("TOVIX_PARSE_VAR", "value", 1);
  EXPECT_EQ(Expand("<%tovix_parse_var%>", args), "<value>");
  // Undefined variables and a lone % vanish, as in a Windows batch file.
  EXPECT_EQ(Expand("<%TOVIX_NOT_SET_ANYWHERE%>", args), "<>");
  EXPECT_EQ(Expand("50% off", args), "50 off");
  EXPECT_EQ(Expand("end%", args), "end");
  EXPECT_EQ(Expand("%errorlevel%", args, 0, 7), "7");
  unsetenv("TOVIX_PARSE_VAR");
}

TEST(ExpandPercents, PathModifiers) {
  std::vector<std::string> args{"x.bat", "\"/a b/Some Song.mp3\"", "dir\\file.txt"};
  EXPECT_EQ(Expand("%~n1|%~x1|%~nx1|%~dp1", args), "Some Song|.mp3|Some Song.mp3|/a b/");
  EXPECT_EQ(Expand("%~f2", args), CurrentFolder() + "/dir/file.txt");
  // Not a parameter form: left as written.
  EXPECT_EQ(Expand("%~q", args), "%~q");
}

TEST(ParseRedirections, OutputForms) {
  SimpleCommand c;
  std::string error;
  ASSERT_TRUE(ParseRedirections("@echo batchfile of now >tmpbat.sem", &c, &error));
  EXPECT_EQ(c.text, "@echo batchfile of now ");
  ASSERT_EQ(c.redirections.size(), 1u);
  EXPECT_EQ(c.redirections[0].handle, 1);
  EXPECT_FALSE(c.redirections[0].append);
  EXPECT_EQ(c.redirections[0].target, "tmpbat.sem");

  ASSERT_TRUE(ParseRedirections("c2bin e2logo.c e2logo.bin >NUL 2>> \"err log.txt\"", &c, &error));
  EXPECT_EQ(c.text, "c2bin e2logo.c e2logo.bin  ");
  ASSERT_EQ(c.redirections.size(), 2u);
  EXPECT_EQ(c.redirections[0].target, "NUL");
  EXPECT_EQ(c.redirections[1].handle, 2);
  EXPECT_TRUE(c.redirections[1].append);
  EXPECT_EQ(c.redirections[1].target, "err log.txt");

  ASSERT_TRUE(ParseRedirections("prog >>log.txt 2>&1", &c, &error));
  ASSERT_EQ(c.redirections.size(), 2u);
  EXPECT_TRUE(c.redirections[0].append);
  EXPECT_EQ(c.redirections[1].handle, 2);
  EXPECT_EQ(c.redirections[1].dupOf, 1);

  ASSERT_TRUE(ParseRedirections("prog 2>err.txt <in.txt", &c, &error));
  ASSERT_EQ(c.redirections.size(), 2u);
  EXPECT_EQ(c.redirections[0].handle, 2);
  EXPECT_EQ(c.redirections[1].handle, 0);
  EXPECT_EQ(c.redirections[1].target, "in.txt");
}

TEST(ParseRedirections, QuotesCaretsAndDigits) {
  SimpleCommand c;
  std::string error;
  // Inside quotes and after a caret, > is text.
  ASSERT_TRUE(ParseRedirections("move \"a>b\" x ^> y", &c, &error));
  EXPECT_EQ(c.text, "move \"a>b\" x > y");
  EXPECT_TRUE(c.redirections.empty());
  // A digit inside a word is not a handle number.
  ASSERT_TRUE(ParseRedirections("echo track2>t.txt", &c, &error));
  EXPECT_EQ(c.text, "echo track2");
  EXPECT_EQ(c.redirections[0].handle, 1);
  EXPECT_FALSE(ParseRedirections("echo x >", &c, &error));
  EXPECT_FALSE(error.empty());
}

TEST(SplitChain, OperatorsOutsideQuotes) {
  ChainPart p = SplitChain("mklogo a && c2bin b || echo failed");
  EXPECT_EQ(p.head, "mklogo a ");
  EXPECT_EQ(p.op, ChainOp::IfOk);
  EXPECT_EQ(p.tail, " c2bin b || echo failed");
  p = SplitChain("move \"Rock & Roll.mp3\" R\\01ROCK_.mp3");
  EXPECT_EQ(p.op, ChainOp::None);
  p = SplitChain("echo a ^& b & echo c");
  EXPECT_EQ(p.head, "echo a ^& b ");
  EXPECT_EQ(p.op, ChainOp::Always);
}

TEST(SplitCommandWord, WordsAndEchoMarks) {
  CommandWord w = SplitCommandWord("  Echo [ Fertig ]");
  EXPECT_EQ(w.word, "Echo");
  EXPECT_EQ(w.rest, " [ Fertig ]");
  EXPECT_FALSE(w.echoMark);
  w = SplitCommandWord("echo.");
  EXPECT_EQ(w.word, "echo");
  EXPECT_TRUE(w.echoMark);
  EXPECT_EQ(w.rest, "");
  w = SplitCommandWord("ECHO:text");
  EXPECT_TRUE(w.echoMark);
  EXPECT_EQ(w.rest, "text");
  w = SplitCommandWord("\"my prog\" arg");
  EXPECT_EQ(w.word, "my prog");
  EXPECT_EQ(w.rest, " arg");
  EXPECT_EQ(SplitCommandWord("echoes x").word, "echoes");
  EXPECT_EQ(SplitWords(" a \"b c\"  d "), (std::vector<std::string>{"a", "\"b c\"", "d"}));
}

TEST(TextHelpers, CaseAndWildcards) {
  EXPECT_TRUE(SameNoCase("\xC4RGER.MP3", "\xE4rger.mp3"));  // Ärger / ärger
  EXPECT_FALSE(SameNoCase("\xD7", "\xF7"));                 // × and ÷ are no letters
  EXPECT_TRUE(WildcardMatch("*.mp3", "Song.MP3"));
  EXPECT_TRUE(WildcardMatch("BM?.BMP", "bm7.bmp"));
  EXPECT_FALSE(WildcardMatch("BM?.BMP", "bm17.bmp"));
  EXPECT_TRUE(WildcardMatch("*.*", "README"));
  EXPECT_TRUE(WildcardMatch("e2logo.*", "e2logo"));
  EXPECT_TRUE(WildcardMatch("a*b*c", "aXXbYYc"));
  EXPECT_FALSE(WildcardMatch("a*b*c", "aXXbYY"));
  // A '*' in a Linux name is still a plain character of the name.
  EXPECT_TRUE(WildcardMatch("a*", "a*b"));
  EXPECT_TRUE(WildcardMatch("*.mp3", "x*y.mp3"));
}

}  // namespace
}  // namespace tovix::cmd

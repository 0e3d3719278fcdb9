#pragma once
// Splitting a batch line, after its percent forms are replaced: command
// chains, output redirections and words.
#include <string>
#include <string_view>
#include <vector>

namespace tovix::cmd {

struct Redirection {
  int handle = 1;       // 0 input, 1 output, 2 errors
  bool append = false;  // >> and 2>>
  std::string target;   // file name without quotes; empty when dupOf is set
  int dupOf = -1;       // 2>&1 and 1>&2: the handle this one copies
};

struct SimpleCommand {
  std::string text;  // the command with its redirections taken out
  std::vector<Redirection> redirections;
};

// Takes the redirections out of one simple command and removes its escape
// carets. False, with a message, for a redirection that names no target.
bool ParseRedirections(std::string_view command, SimpleCommand* out, std::string* error);

enum class ChainOp { None, Always, IfOk, IfFailed };  // end, &, &&, ||
struct ChainPart {
  std::string head;
  ChainOp op = ChainOp::None;
  std::string tail;
};
// Splits a statement at its first &, && or || outside quotes.
ChainPart SplitChain(std::string_view statement);

// Words separated by blanks outside double quotes; the quotes stay.
std::vector<std::string> SplitWords(std::string_view text);

// The first word of a command and the text after it. The word ends at a
// blank; for echo also at one of . : ( / which the Windows command
// interpreter takes as the end of the command name.
struct CommandWord {
  std::string word;  // as written, quotes removed
  std::string rest;  // everything after the word, its first blank included
  // "echo." and its kin: rest is the text itself, and even an empty one is
  // printed as an empty line.
  bool echoMark = false;
};
CommandWord SplitCommandWord(std::string_view text);

}  // namespace tovix::cmd

#include "cmd/parse.h"

#include "cmd/textutil.h"
#include "platform/process.h"

namespace tovix::cmd {
namespace {

bool IsRedirChar(char c) {
  return c == '>' || c == '<';
}

}  // namespace

bool ParseRedirections(std::string_view s, SimpleCommand* out, std::string* error) {
  out->text.clear();
  out->redirections.clear();
  bool quoted = false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (c == '"') {
      quoted = !quoted;
      out->text += c;
      continue;
    }
    if (quoted) {
      out->text += c;
      continue;
    }
    if (c == '^' && i + 1 < s.size()) {
      out->text += s[++i];
      continue;
    }
    bool handleDigit = (c == '1' || c == '2') && i + 1 < s.size() && s[i + 1] == '>' &&
                       (i == 0 || IsBlank(s[i - 1]));
    if (!IsRedirChar(c) && !handleDigit) {
      out->text += c;
      continue;
    }
    Redirection r;
    if (handleDigit) {
      r.handle = c - '0';
      ++i;
    } else {
      r.handle = c == '<' ? 0 : 1;
    }
    if (r.handle != 0 && i + 1 < s.size() && s[i + 1] == '>') {
      r.append = true;
      ++i;
    }
    if (r.handle != 0 && i + 2 < s.size() && s[i + 1] == '&' &&
        (s[i + 2] == '1' || s[i + 2] == '2')) {
      r.dupOf = s[i + 2] - '0';
      i += 2;
      out->redirections.push_back(r);
      continue;
    }
    std::size_t j = i + 1;
    while (j < s.size() && IsBlank(s[j])) ++j;
    std::string target;
    bool q = false;
    for (; j < s.size(); ++j) {
      char t = s[j];
      if (t == '"') {
        q = !q;
        continue;
      }
      if (!q && (IsBlank(t) || IsRedirChar(t))) break;
      if (!q && t == '^' && j + 1 < s.size()) t = s[++j];
      target += t;
    }
    if (target.empty()) {
      *error = "The syntax of the command is incorrect: a redirection names no file.";
      return false;
    }
    r.target = target;
    out->redirections.push_back(r);
    i = j - 1;
  }
  return true;
}

ChainPart SplitChain(std::string_view s) {
  ChainPart part;
  bool quoted = false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '^') {
      ++i;
      continue;
    }
    bool twice = i + 1 < s.size() && s[i + 1] == c;
    if (c == '&' && i > 0 && (s[i - 1] == '>' || s[i - 1] == '<')) continue;  // 2>&1
    if (c == '&') {
      part.head = std::string(s.substr(0, i));
      part.op = twice ? ChainOp::IfOk : ChainOp::Always;
      part.tail = std::string(s.substr(i + (twice ? 2 : 1)));
      return part;
    }
    if (c == '|' && twice) {
      part.head = std::string(s.substr(0, i));
      part.op = ChainOp::IfFailed;
      part.tail = std::string(s.substr(i + 2));
      return part;
    }
  }
  part.head = std::string(s);
  return part;
}

std::vector<std::string> SplitWords(std::string_view text) {
  return platform::SplitCommandWords(text);
}

CommandWord SplitCommandWord(std::string_view text) {
  std::string t = TrimLeft(text);
  CommandWord cw;
  std::size_t i = 0;
  bool quoted = false;
  for (; i < t.size(); ++i) {
    char c = t[i];
    if (c == '"') {
      quoted = !quoted;
      continue;
    }
    if (!quoted && IsBlank(c)) break;
    cw.word += c;
    if (!quoted && cw.word.size() == 4 && SameNoCase(cw.word, "echo") && i + 1 < t.size() &&
        std::string_view(".:(/[]+;,=").find(t[i + 1]) != std::string_view::npos) {
      cw.rest = t.substr(i + 2);
      cw.echoMark = true;
      return cw;
    }
  }
  cw.rest = t.substr(i);
  return cw;
}

}  // namespace tovix::cmd

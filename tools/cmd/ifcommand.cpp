// The if command: errorlevel, exist, defined and comparisons.
#include <charconv>
#include <optional>

#include "cmd/diskpath.h"
#include "cmd/expand.h"
#include "cmd/interpreter.h"
#include "cmd/textutil.h"

namespace tovix::cmd {
namespace {

// One operand: up to a blank outside quotes, or up to "==" when stopAtEq.
std::string TakeOperand(std::string& t, bool stopAtEq) {
  std::size_t i = 0;
  bool quoted = false;
  for (; i < t.size(); ++i) {
    char c = t[i];
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (IsBlank(c)) break;
    if (stopAtEq && c == '=' && i + 1 < t.size() && t[i + 1] == '=') break;
  }
  std::string op = t.substr(0, i);
  t = TrimLeft(t.substr(i));
  return op;
}

std::optional<long> ToNumber(const std::string& s) {
  long v = 0;
  const char* end = s.data() + s.size();
  auto [p, ec] = std::from_chars(s.data() + (!s.empty() && s[0] == '+'), end, v);
  if (ec != std::errc() || p != end || s.empty()) return std::nullopt;
  return v;
}

}  // namespace

bool Interpreter::If(const std::string& rest, std::string* then) {
  then->clear();
  const char* kSyntax = "The syntax of the command is incorrect: ";
  std::string t = TrimLeft(rest);
  bool noCase = false, negate = false;
  for (;;) {
    std::string copy = t;
    std::string w = TakeOperand(copy, false);
    if (!noCase && SameNoCase(w, "/i")) {
      noCase = true;
    } else if (!negate && SameNoCase(w, "not")) {
      negate = true;
    } else {
      break;
    }
    t = copy;
  }
  std::string probe = t;
  std::string keyword = Lower(TakeOperand(probe, false));
  bool cond = false;
  if (keyword == "errorlevel" || keyword == "exist" || keyword == "defined") {
    std::string operand = TakeOperand(probe, false);
    if (operand.empty())
      return Fail(base_, std::string(kSyntax) + "if " + keyword + " needs an operand.");
    if (keyword == "errorlevel") {
      auto n = ToNumber(operand);
      if (!n) return Fail(base_, std::string(kSyntax) + "\"" + operand + "\" is not a number.");
      cond = errorlevel_ >= *n;
    } else if (keyword == "exist") {
      cond = !ExpandPattern(NativePath(Unquote(operand))).empty();
    } else {
      cond = GetVariable(operand).has_value();
    }
    t = probe;
  } else {
    std::string left = TakeOperand(t, true);
    std::string right;
    int cmp = 0;
    bool numeric = false;
    std::string op;
    if (t.compare(0, 2, "==") == 0) {
      t = TrimLeft(t.substr(2));
      right = TakeOperand(t, false);
      op = "equ";
    } else {
      op = Lower(TakeOperand(t, false));
      static constexpr const char* kOps[] = {"equ", "neq", "lss", "leq", "gtr", "geq"};
      bool known = false;
      for (const char* k : kOps) known = known || op == k;
      if (!known || left.empty()) return Fail(base_, std::string(kSyntax) + "unknown form of if.");
      right = TakeOperand(t, false);
      auto a = ToNumber(left), b = ToNumber(right);
      if (a && b) {
        numeric = true;
        cmp = *a < *b ? -1 : *a > *b ? 1 : 0;
      }
    }
    if (right.empty())
      return Fail(base_, std::string(kSyntax) + "if needs two strings to compare.");
    if (!numeric) {
      std::string a = noCase ? Lower(left) : left, b = noCase ? Lower(right) : right;
      cmp = a.compare(b) < 0 ? -1 : a.compare(b) > 0 ? 1 : 0;
    }
    cond = op == "equ"   ? cmp == 0
           : op == "neq" ? cmp != 0
           : op == "lss" ? cmp < 0
           : op == "leq" ? cmp <= 0
           : op == "gtr" ? cmp > 0
                         : cmp >= 0;
  }
  t = TrimLeft(t);
  if (t.empty()) return Fail(base_, std::string(kSyntax) + "if has no command to run.");
  if (t[0] == '(') return Fail(base_, "Blocks in parentheses are not supported by tovix-cmd.");
  if (cond != negate) *then = std::move(t);
  return true;
}

}  // namespace tovix::cmd

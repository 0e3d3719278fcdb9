#include "cliargs.h"

#include <algorithm>

#include "settingskeys.h"

namespace tovix::cli {
namespace {

struct CommandSpec {
  const char* name;
  int minOperands;
  int maxOperands;  // -1: no limit
  std::vector<std::string> valueOptions;
  std::vector<std::string> flagOptions;
};

const std::vector<CommandSpec>& Specs() {
  static const std::vector<CommandSpec> specs = {
      {"scan", 1, -1, {}, {}},
      {"picture", 2, 2, {"--jpeg"}, {}},
      {"bins", 0, 0, {}, {}},
      {"texts", 0, 0, {}, {}},
      {"rename", 0, 0, {"--plan", "--apply"}, {}},
      {"cdbatch", 0, 0, {}, {"--no-subdirs"}},
      {"demo", 1, 1, {}, {}},
      {"recode", 0, 0, {"--jobs"}, {"--plan"}},
      {"play", 1, 1, {"--wav"}, {}},
  };
  return specs;
}

const CommandSpec* FindSpec(const std::string& name) {
  for (const CommandSpec& request : Specs())
    if (name == request.name) return &request;
  return nullptr;
}

bool Contains(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

std::string CountText(int n) {
  return n == 1 ? "one operand" : std::to_string(n) + " operands";
}

// Operand counts and option combinations of the chosen subcommand.
std::string CheckCommand(const CliCall& call) {
  const CommandSpec& request = *FindSpec(call.command);
  const int count = static_cast<int>(call.operands.size());
  if (count < request.minOperands)
    return call.command + ": " + (request.minOperands == 1 ? "an operand is" : "operands are") +
           " missing";
  if (request.maxOperands >= 0 && count > request.maxOperands) {
    if (request.maxOperands == 0)
      return call.command + ": takes no operands (got \"" + call.operands[0] + "\")";
    return call.command + ": takes " + CountText(request.maxOperands) + ", got " +
           std::to_string(count);
  }
  if (call.command == "demo" && (call.save || call.iniFile))
    return "demo runs with the default settings and never reads or writes a settings file; "
           "leave out --ini and --save";
  if (call.HasOption("--jobs")) {
    const std::string jobs = call.Option("--jobs");
    if (jobs.empty() || jobs.size() > 3 ||
        jobs.find_first_not_of("0123456789") != std::string::npos || std::stoi(jobs) < 1)
      return "--jobs needs a number of files from 1 to 999, got \"" + jobs + "\"";
  }
  if (call.command == "rename" && call.HasOption("--plan") == call.HasOption("--apply"))
    return "rename: give either --plan FILE or --apply FILE";
  return "";
}

// "--name=value" split into its parts; a plain word stays whole.
std::pair<std::string, std::optional<std::string>> SplitInline(const std::string& arg) {
  const std::size_t eq = arg.find('=');
  if (arg.rfind("--", 0) != 0 || eq == std::string::npos) return {arg, std::nullopt};
  return {arg.substr(0, eq), arg.substr(eq + 1)};
}

}  // namespace

const std::vector<std::string>& CommandNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> list;
    for (const CommandSpec& request : Specs()) list.push_back(request.name);
    return list;
  }();
  return names;
}

bool IsCommand(const std::string& name) {
  return FindSpec(name) != nullptr;
}

ParseResult ParseCommandLine(const std::vector<std::string>& args) {
  ParseResult result;
  CliCall& call = result.call;
  auto fail = [&](std::string text) {
    result.error = std::move(text);
    return result;
  };
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool looksLikeOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
    if (!looksLikeOption) {
      if (call.command.empty()) {
        if (arg == "help" && !call.help) {
          call.help = true;
          continue;
        }
        if (!IsCommand(arg)) return fail("unknown command \"" + arg + "\"");
        call.command = arg;
      } else {
        call.operands.push_back(arg);
      }
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    auto [name, inlineValue] = SplitInline(arg);
    // The value of an option: after "=" or the next word.
    auto takeValue = [&](std::string& value) {
      if (inlineValue) {
        value = *inlineValue;
        return true;
      }
      if (i + 1 >= args.size()) return false;
      value = args[++i];
      return true;
    };
    if (name == "--help" || name == "-h") {
      call.help = true;
    } else if (name == "--save") {
      if (inlineValue) return fail("--save takes no value");
      call.save = true;
    } else if (name == "--ini") {
      std::string value;
      if (!takeValue(value) || value.empty()) return fail("--ini needs a file name");
      call.iniFile = value;
    } else if (name == "--set") {
      std::string value;
      if (!takeValue(value)) return fail("--set needs KEY=VALUE");
      const std::size_t eq = value.find('=');
      if (eq == std::string::npos || eq == 0)
        return fail("--set needs KEY=VALUE, got \"" + value + "\"");
      const std::string key = value.substr(0, eq);
      if (!IsSettingsKey(key))
        return fail("--set: \"" + key + "\" is not a key of the settings file");
      call.sets.emplace_back(key, value.substr(eq + 1));
    } else {
      const CommandSpec* request = call.command.empty() ? nullptr : FindSpec(call.command);
      if (request && Contains(request->valueOptions, name)) {
        std::string value;
        if (!takeValue(value) || value.empty())
          return fail(name + (name == "--jobs" ? " needs a number" : " needs a file name"));
        if (call.options.count(name)) return fail(name + " is given twice");
        call.options[name] = value;
      } else if (request && Contains(request->flagOptions, name)) {
        if (inlineValue) return fail(name + " takes no value");
        call.options[name] = "";
      } else {
        return fail("unknown option \"" + name + "\"" +
                    (call.command.empty() ? std::string() : " for " + call.command));
      }
    }
  }
  if (call.help) return result;
  if (call.command.empty()) {
    if (call.save) return result;  // only the settings: --set ... --save
    return fail("no command given");
  }
  if (std::string problem = CheckCommand(call); !problem.empty()) return fail(problem);
  return result;
}

}  // namespace tovix::cli

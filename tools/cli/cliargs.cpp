#include "cliargs.h"

#include <algorithm>

#include "console.h"
#include "lang/buildstrings.h"
#include "settings/settingskeys.h"

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
      {"sheet", 1, 1, {}, {}},
      {"disc", 0, 1, {"--size"}, {"--check", "--as-is", "--replace"}},
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

// Operand counts and option combinations of the chosen subcommand.
std::string CheckCommand(const CliCall& call) {
  const CommandSpec& request = *FindSpec(call.command);
  const int count = static_cast<int>(call.operands.size());
  if (count < request.minOperands || (request.maxOperands >= 0 && count > request.maxOperands))
    return Say(str::kCliOperands, {call.command, std::to_string(count)});
  if (call.command == "demo" && (call.save || call.iniFile)) return Say(str::kCliDemoNoSettings);
  if (call.HasOption("--jobs")) {
    const std::string jobs = call.Option("--jobs");
    if (jobs.empty() || jobs.size() > 3 ||
        jobs.find_first_not_of("0123456789") != std::string::npos || std::stoi(jobs) < 1)
      return Say(str::kCliBadValue, {"--jobs", jobs, "1 - 999"});
  }
  if (call.command == "rename" && call.HasOption("--plan") == call.HasOption("--apply"))
    return Say(str::kCliEither, {"rename", "--plan", "--apply"});
  if (call.command == "disc") {
    if (call.HasOption("--check") != call.operands.empty())
      return Say(str::kCliEither, {"disc", "--check", "OUT.iso"});
    const std::string size = call.Option("--size");
    if (call.HasOption("--size") && size != "650" && size != "700" && size != "800")
      return Say(str::kCliBadValue, {"--size", size, "650, 700, 800 MB"});
  }
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
        if (!IsCommand(arg)) return fail(Say(str::kCliUnknownCommand, {arg}));
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
      if (inlineValue) return fail(Say(str::kCliNoValue, {"--save"}));
      call.save = true;
    } else if (name == "--ini") {
      std::string value;
      if (!takeValue(value) || value.empty()) return fail(Say(str::kCliNeedsValue, {"--ini"}));
      call.iniFile = value;
    } else if (name == "--set") {
      std::string value;
      if (!takeValue(value)) return fail(Say(str::kCliNeedsValue, {"--set"}));
      const std::size_t eq = value.find('=');
      if (eq == std::string::npos || eq == 0)
        return fail(Say(str::kCliBadValue, {"--set", value, "KEY=VALUE"}));
      const std::string key = value.substr(0, eq);
      if (!FindSettingsKey(key)) return fail(Say(str::kCliNotAKey, {key}));
      call.sets.emplace_back(key, value.substr(eq + 1));
    } else {
      const CommandSpec* request = call.command.empty() ? nullptr : FindSpec(call.command);
      if (request && Contains(request->valueOptions, name)) {
        std::string value;
        if (!takeValue(value) || value.empty()) return fail(Say(str::kCliNeedsValue, {name}));
        if (call.options.count(name)) return fail(Say(str::kCliGivenTwice, {name}));
        call.options[name] = value;
      } else if (request && Contains(request->flagOptions, name)) {
        if (inlineValue) return fail(Say(str::kCliNoValue, {name}));
        call.options[name] = "";
      } else {
        const std::string problem = Say(str::kCliUnknownOption, {name});
        return fail(call.command.empty() ? problem : call.command + ": " + problem);
      }
    }
  }
  if (call.help) return result;
  if (call.command.empty()) {
    if (call.save) return result;  // only the settings: --set ... --save
    return fail(Say(str::kCliNoCommand));
  }
  if (std::string problem = CheckCommand(call); !problem.empty()) return fail(problem);
  return result;
}

}  // namespace tovix::cli

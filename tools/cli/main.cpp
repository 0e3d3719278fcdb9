// tovix-cli: the passes of Tovix without a window, over the same pass code
// the pages run. Needs no display: pictures are rendered off-screen.
#include <unistd.h>

#include <exception>
#include <iostream>

#include "cliargs.h"
#include "commands.h"
#include "console.h"
#include "lang/buildstrings.h"
#include "lang/sprachen.h"
#include "platform/codepage.h"
#include "platform/dynlib.h"
#include "platform/filesys.h"
#include "platform/inifile.h"
#include "platform/ioerror.h"
#include "platform/ownfolder.h"
#include "platform/signals.h"
#include "runsettings.h"
#include "settings/settingskeys.h"
#include "usage.h"

namespace {

using namespace tovix;
using namespace tovix::cli;

// The "Usage:" lines of a command's help, for a bad call.
std::string UsageAfterBadCall(const std::string& command) {
  if (command.empty()) return ShortUsage();
  const std::string help = CommandHelp(command);
  return help.substr(0, help.find("\n\n") + 1) + Say(str::kCliTryHelp, {"tovix-cli " + command}) +
         "\n";
}

int BadCall(const std::string& problem, const std::string& command) {
  std::cerr << "tovix-cli: " << problem << "\n\n" << UsageAfterBadCall(command);
  return kExitBadCall;
}

// The language of a call as far as it is known: the key of the settings
// file with the --set overrides of it, read as the run will read them.
// Whatever is wrong with the file is reported once the run reads it; until
// then the texts are German, as without a file.
int LoadCallLanguage(const CliCall& call) {
  std::string iniPath = platform::OwnFolder() + "tovix.ini";
  if (call.iniFile) iniPath = platform::FromNative(*call.iniFile).value_or("");
  Settings settings;
  if (!iniPath.empty() && platform::Exists(iniPath) && !platform::IsDirectory(iniPath))
    settings = ReadSettings(platform::IniFile(iniPath), "");
  const SettingsKey* language = FindSettingsKey("Sprache");
  for (const auto& [key, value] : call.sets)
    if (FindSettingsKey(key) == language) SetSetting(settings, *language, value, "");
  if (settings.Language >= 0 && settings.Language <= 0xFFFF)
    ApplyLanguage(static_cast<std::uint16_t>(settings.Language), DefaultLanguageFile());
  return settings.Language;
}

// The picture commands run in the module beside the program. It stays
// loaded until the process ends: Qt's state must not outlive its code.
int RunPictureModule(RunContext& context) {
  const std::string path = platform::ProgramDir() + kPictureModule;
  void* module = platform::LoadDynLib(path);
  auto entry =
      reinterpret_cast<PictureModuleEntry>(platform::DynLibSymbol(module, kPictureModuleEntry));
  if (!entry) {
    const std::string reason = platform::DynLibError();
    Complain(context, Say(str::kCliModuleMissing,
                          {context.call.command, platform::AnsiToUtf8(path), reason}));
    return kExitPassError;
  }
  return entry(&context);
}

int Dispatch(RunContext& context) {
  const std::string& c = context.call.command;
  if (IsPictureCommand(c)) return RunPictureModule(context);
  if (c == "scan") return RunScan(context);
  if (c == "texts") return RunTexts(context);
  if (c == "rename") return RunRename(context);
  if (c == "cdbatch") return RunCdBatch(context);
  if (c == "recode") return RunRecode(context);
  if (c == "play") return RunPlay(context);
  return RunDisc(context);
}

// callLanguage: the language LoadCallLanguage found.
int Run(const CliCall& call, int callLanguage) {
  Console console(std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
  const std::string startDir = platform::CurrentDir();

  std::string iniPath;
  if (call.command != "demo") {
    if (call.iniFile) {
      const auto path = platform::FromNative(*call.iniFile);
      if (!path)
        return BadCall("--ini: " + Say(str::kCliNotWin1252, {*call.iniFile}), call.command);
      iniPath = *path;
    } else {
      iniPath = platform::OwnFolder() + "tovix.ini";
    }
  }
  std::vector<Override> overrides;
  for (const auto& [key, value] : call.sets) {
    const auto ansi = platform::Utf8ToAnsi(value);
    if (!ansi)
      return BadCall("--set " + key + ": " + Say(str::kCliNotWin1252, {value}), call.command);
    overrides.emplace_back(key, *ansi);
  }

  Settings settings = LoadRunSettings(iniPath, overrides, startDir);
  // The demo keeps the default settings, but not a language the user chose.
  if (call.command == "demo") settings.Language = callLanguage;
  if (call.iniFile && !call.save && !platform::Exists(iniPath))
    console.ErrorNote("tovix-cli: " + Say(str::kCliSettingsMissing, {*call.iniFile}));

  const LanguageResult language =
      ApplyLanguage(static_cast<std::uint16_t>(settings.Language), DefaultLanguageFile());
  if (language != LanguageResult::kOk) {
    console.Message(LanguageFailureMessage(language));
    return kExitPassError;
  }
  if (call.save) {
    SaveRunSettings(iniPath, settings);
    if (call.command.empty()) {
      console.Note(Say(str::kCliWritten, {platform::AnsiToUtf8(iniPath)}));
      return kExitOk;
    }
  }

  RunContext context{call, settings, console, startDir};
  return Dispatch(context);
}

}  // namespace

int main(int argc, char** argv) {
  platform::IgnoreFileSizeSignal();

  const std::vector<std::string> args(argv + 1, argv + argc);
  ParseResult parsed = ParseCommandLine(args);
  // The language first, so the help and a bad call speak it too; the parse
  // is repeated to word its complaint in that language.
  const int language = LoadCallLanguage(parsed.call);
  if (!parsed.ok()) return BadCall(ParseCommandLine(args).error, parsed.call.command);
  if (parsed.call.help) {
    std::cout << CommandHelp(parsed.call.command);
    return kExitOk;
  }
  try {
    return Run(parsed.call, language);
  } catch (const IoError& e) {
    std::cerr << Say(str::kCliIoError,
                     {platform::AnsiToUtf8(ErrorText(e)), std::to_string(e.code())})
              << '\n';
  } catch (const WordedError& e) {
    std::cerr << platform::AnsiToUtf8(ErrorText(e)) << '\n';
  } catch (const std::exception& e) {
    std::cerr << "tovix-cli: " << platform::AnsiToUtf8(ErrorText(e)) << '\n';
  }
  return kExitPassError;
}

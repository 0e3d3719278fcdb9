#include "usage.h"

#include <string_view>

#include "console.h"
#include "helptexts.h"
#include "lang/buildstrings.h"

namespace tovix::cli {
namespace {

// The help follows the loaded language by its locale; a language the help
// is not written in gets the English one.
const HelpTexts& Texts() {
  const std::string locale = BuildText(str::kQtLocale);
  if (locale == "de") return kGermanHelp;
  if (locale == "fr") return kFrenchHelp;
  return kEnglishHelp;
}

}  // namespace

std::string GeneralUsage() {
  const HelpTexts& t = Texts();
  return std::string(t.usageLine) + "\n" + t.intro + "\n" + t.commands + "\n" + t.options;
}

std::string ShortUsage() {
  const HelpTexts& t = Texts();
  return std::string(t.usageLine) + "\n" + t.commands + "\n" +
         Say(str::kCliTryHelp, {"tovix-cli"}) + "\n";
}

std::string CommandHelp(const std::string& command) {
  const HelpTexts& t = Texts();
  for (const CommandHelpText& help : t.perCommand)
    if (command == help.command) return std::string(help.text) + "\n" + t.options;
  return GeneralUsage();
}

}  // namespace tovix::cli

#include "rename/shownname.h"

#include "platform/codepage.h"

namespace tovix {

std::string ShownName(const std::string& nativeName) {
  const auto ansi = platform::Utf8ToAnsi(nativeName);
  std::string shown = ansi ? *ansi : nativeName;
  for (char& c : shown) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F || c == '"' || (!ansi && u >= 0x80)) c = '?';
  }
  return shown;
}

std::string UnusableNameNote(const std::string& nativeName) {
  return "Datei ausgelassen, ihr Name enth\xE4lt ein Anf\xFChrungszeichen, einen Backslash, ein "
         "Steuerzeichen oder ein Zeichen au\xDF"
         "erhalb von Windows-1252: " +
         ShownName(nativeName);
}

std::string BatchNameNote(const std::string& ansiName) {
  return "Datei ausgelassen, ihr Name kann in keiner Batchdatei stehen (ein Zeichen, das Codepage "
         "850 nicht kennt, wie \x92 \x93 \x94 \x96 \x80, oder eines von \\ / : * ? < > |; "
         "die Umbenennung ersetzt solche Zeichen): " +
         ShownName(platform::AnsiToUtf8(ansiName));
}

std::string VanishedNote(const std::string& ansiName) {
  return "Datei ausgelassen, sie ist nicht mehr da: " + ShownName(platform::AnsiToUtf8(ansiName));
}

}  // namespace tovix

#include "lang/sprachen.h"

#include <cstdio>

#include "lang/languagelist.h"
#include "lang/stringnumbers.h"
#include "platform/filesys.h"
#include "platform/inifile.h"

namespace tovix {
namespace {

constexpr char kCR = '\r';
constexpr int kBaseBeforeLoad = 9999;
constexpr int kNoLanguage = 9999;  // "Idx." default: matches no language base

// Fixed credit lines of the info text: the components and who made them.
// The text is a caption, where "&&" shows one ampersand.
constexpr const char* kCreditSkin = "CoolForm  -  Tovix-Team && The Qt Project";
constexpr const char* kCreditPlayer =
    "MPEGPlay  -  Tovix-Team && mpg123 (Michael Hipp, Thomas Orgis)";
constexpr const char* kCreditMp3 = "mpegfile  -  Tovix-Team";
constexpr const char* kCreditLame = "LAME  -  The LAME Project (lame.sourceforge.io)\r";

// German wording of the strings the composed texts use, for the time before
// the first load.
constexpr std::array<const char*, 14> kGermanText = {
    "Herzlich Willkommen!",
    "Tovix ist Freeware: Benutzen und Weitergeben sind kostenlos und ausdr\xFC"
    "cklich erw\xFC"
    "nscht.",
    "Ich freue mich \xFC"
    "ber jede! Reaktion",
    "Lob, Kritik und Fragen bitte \xFC"
    "ber die Tovix-Homepage (Knopf \"... zur Tovix-Homepage\").",
    "Vielen Dank an:",
    " und vor allem an alle bei <Rovez> !",
    "Linke Seite = Original, rechte Seite = neuer Name ...",
    "Diese Funktion erzeugt ein Paar Batchdateien, welche",
    "die diversen .mp3, .bin, .jpg und .txt ggfs. in Unterverzeichnisse,",
    "benannt mit den 1.Buchstaben des Interpreten und auf 8 Zeichen",
    "gek\xFCrzt, verschieben. ",
    "\"SHORT.BAT\" erzeugt Unterverzeichnisse && kurze Namen",
    "\"LONG.BAT\" macht diesen Vorgang r\xFC"
    "ckg\xE4ngig.",
    "! Die Verzeichnisse f\xFCr .mp3 und .bin m\xFCssen gleich sein !",
};

template <typename Text>
std::string ComposeInfoText(Text s) {
  std::string t;
  t += kCR;
  for (int n = 1; n <= 4; ++n) {
    t += s(n);
    t += kCR;
    t += kCR;
  }
  t += s(5);
  t += kCR;
  t += "-------------------";
  t += kCR;
  for (const char* credit : {kCreditSkin, kCreditPlayer, kCreditMp3, kCreditLame}) {
    t += credit;
    t += kCR;
  }
  t += s(6);
  return t;
}

template <typename Text>
std::string ComposeBatchPairText(Text s) {
  std::string t;
  for (int n = 8; n <= 14; ++n) {
    t += s(n);
    if (n == 14) break;
    t += kCR;
    if (n == 11 || n == 13) t += kCR;
  }
  return t;
}

std::string GermanText(int n) {
  return kGermanText.at(static_cast<std::size_t>(n - 1));
}

struct LanguageState {
  std::array<std::string, kLanguageStringCount> table;
  int base = kBaseBeforeLoad;
  std::string infoText = ComposeInfoText(GermanText);
  std::string batchPairText = ComposeBatchPairText(GermanText);
  std::array<std::string, 5> placementNames = {"Originalgr\xF6sse", "Passend vergr\xF6ssert",
                                               "an Overscan angepasst", "zentriert", "als Kachel"};
  std::string unknownEncoder = "Encoder nicht erkannt";
};

LanguageState& State() {
  static LanguageState state;
  return state;
}

void ResetTable() {
  auto& table = State().table;
  for (int n = 1; n <= kLanguageStringCount; ++n)
    table[static_cast<std::size_t>(n - 1)] = "missing: Str" + std::to_string(n);
}

}  // namespace

const std::string& LanguageString(int n) {
  static const std::string kIndexError = "StrIdx Err";
  if (n < 1 || n > kLanguageStringCount) return kIndexError;
  return State().table[static_cast<std::size_t>(n - 1)];
}

const std::string& InfoText() {
  return State().infoText;
}
const std::string& BatchPairText() {
  return State().batchPairText;
}
const std::array<std::string, 5>& PlacementNames() {
  return State().placementNames;
}
std::string PlacementName(std::uint8_t mode) {
  return mode < State().placementNames.size() ? State().placementNames[mode] : std::string();
}
const std::string& UnknownEncoderText() {
  return State().unknownEncoder;
}
std::string ShownEncoder(const std::string& encoder) {
  return encoder.empty() ? UnknownEncoderText() : encoder;
}

std::string LanguageFailureMessage(LanguageResult result) {
  switch (result) {
    case LanguageResult::kStringlistNotFound:
      return kStringlistNotFoundText;
    case LanguageResult::kLanguageNotFound:
      return kLanguageFileErrorText;
    case LanguageResult::kOk:
      break;
  }
  return {};
}

std::string DefaultLanguageFile() {
  const std::string here = std::string(".") + platform::kPathSep + "tovix.lng";
  if (platform::Exists(here)) return here;
  // An installed copy is started from anywhere: its file lies beside it.
  const std::string beside = platform::ProgramDir() + "tovix.lng";
  return platform::Exists(beside) ? beside : here;
}

int LanguageBase() {
  return State().base;
}

std::string LanguageStringKey(int base, int s) {
  char key[16];
  std::snprintf(key, sizeof key, "%4.4d", base + s);
  return key;
}

LanguageResult LoadLanguageFile(const std::string& file) {
  const platform::IniFile ini(file);
  const int count = ReadLanguageCount(ini);
  if (count < 1) return LanguageResult::kStringlistNotFound;

  // Searched from the last language down: of two entries with the same
  // number the later one wins, which reads the same strings anyway.
  LanguageState& state = State();
  bool found = false;
  for (int n = LanguageScanLimit(count); n >= 1 && !found; --n) {
    // A missing or unreadable key must not match: language 9999 would
    // otherwise be "found" in any file that lacks an "Idx." entry.
    int number = kNoLanguage;
    if (!platform::ParseProfileInteger(
            ini.ReadString(kLanguagesSection, "Idx." + std::to_string(n), ""), number))
      continue;
    found = static_cast<long long>(number) * 1000 == state.base;
  }
  if (!found) return LanguageResult::kLanguageNotFound;

  for (int s = 1; s <= kLanguageStringCount; ++s) {
    std::string value = ini.ReadString(kStringsSection, LanguageStringKey(state.base, s), "");
    if (value.empty()) continue;
    if (value.size() > kMaxLanguageStringLength) value.resize(kMaxLanguageStringLength);
    state.table[static_cast<std::size_t>(s - 1)] = std::move(value);
  }
  return LanguageResult::kOk;
}

LanguageResult ApplyLanguage(std::uint16_t language, const std::string& file) {
  ResetTable();
  LanguageState& state = State();
  state.base = static_cast<int>(language) * 1000;
  const LanguageResult result = LoadLanguageFile(file);
  if (result != LanguageResult::kOk) return result;

  for (std::size_t i = 0; i < state.placementNames.size(); ++i)
    state.placementNames[i] = LanguageString(str::kPlacementFirst + static_cast<int>(i));
  state.infoText = ComposeInfoText(LanguageString);
  state.batchPairText = ComposeBatchPairText(LanguageString);
  state.unknownEncoder = LanguageString(str::kUnknownEncoder);
  return LanguageResult::kOk;
}

}  // namespace tovix

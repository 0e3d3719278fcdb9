#pragma once
// The numbered string table of the chosen language and the program-wide
// texts composed from it. Texts are Windows-1252.
#include <array>
#include <cstdint>
#include <string>

namespace tovix {

inline constexpr int kLanguageStringCount = 400;
inline constexpr std::size_t kMaxLanguageStringLength = 100;

// Entry n (1..400) of the table; "StrIdx Err" for any other n.
const std::string& LanguageString(int n);

// The welcome/info text, the CD batch page's explanation and the five
// placement names; German defaults until a language is loaded.
const std::string& InfoText();
const std::string& BatchPairText();
const std::array<std::string, 5>& PlacementNames();
// The name of a scale mode as the BIN page's summary shows it; empty for a
// mode that is none of the five.
std::string PlacementName(std::uint8_t mode);

// The words for a song whose encoder the MP3 module did not recognise:
// "Encoder nicht erkannt" until a language is loaded.
const std::string& UnknownEncoderText();
// encoder as shown to the user: the module leaves it empty when it
// recognised none.
std::string ShownEncoder(const std::string& encoder);

// How a load of the language file ended. Both failures are fatal for the
// program: the caller shows LanguageFailureMessage() and exits with code 1.
enum class LanguageResult {
  kOk,
  kStringlistNotFound,  // no file, no "Languages" section, "count" missing or < 1
  kLanguageNotFound,    // no "Idx." key holds the chosen language number
};

inline constexpr const char* kStringlistNotFoundText = " Stringlist not found: ABORTING";
inline constexpr const char* kLanguageFileErrorText = " Error in languagefile: ABORTING";

// The message for a failed load; empty for kOk.
std::string LanguageFailureMessage(LanguageResult result);

// The language file: ".\tovix.lng" in the current folder when there is one,
// else tovix.lng beside the program when there is one, else ".\tovix.lng".
std::string DefaultLanguageFile();

// Language number × 1000 of the loaded language; 9999 before the first load.
int LanguageBase();

// Fills the table from the file for the language base that is set. Entries
// the file lacks or leaves empty keep their value; longer ones are cut to
// 100 characters.
LanguageResult LoadLanguageFile(const std::string& file = DefaultLanguageFile());

// The language step without the windows: resets every entry to
// "missing: Str" + n, sets the base, loads, and on success composes
// PlacementNames, InfoText (lines separated by CR alone), BatchPairText and
// UnknownEncoderText. The windows then push the table
// through the string map (stringmap.h).
LanguageResult ApplyLanguage(std::uint16_t language,
                             const std::string& file = DefaultLanguageFile());

// The key of string s of a language in section "Strings": base + s written
// with at least four digits ("0001", "1097", "12001").
std::string LanguageStringKey(int base, int s);

}  // namespace tovix

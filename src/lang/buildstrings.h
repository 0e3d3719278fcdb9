#pragma once
// Strings the table holds beyond the original program's: messages and
// captions this build added. Each has a German text for a language file
// that lacks it (an older file, or none loaded yet, as in tovix-cli).
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace tovix {

struct BuildString {
  int number;
  std::string_view german;  // Windows-1252
};

// Numbers of the strings this build added.
namespace str {
inline constexpr int kQtLocale = 150;           // Qt's translation to load: "de", "en", "fr"
inline constexpr int kOffButton = 151;          // caption of the toolbar's off button
inline constexpr int kNoSourceDir = 152;        // no MP3 folder chosen yet
inline constexpr int kNoTargetDir = 153;        // %1: the .bin folder that does not exist
inline constexpr int kUnusableTarget = 154;     // %1: a folder the batch cannot name
inline constexpr int kTestNotDone = 155;        // %1 test file, %2 batch, %3 seconds
inline constexpr int kTestTooLarge = 156;       // %1 level, %2 size, %3 limit
inline constexpr int kFolderUnreadable = 157;   // %1: the folder
inline constexpr int kSongBatchTimeout = 158;   // %1 song, %2 batch, %3 seconds
inline constexpr int kSongNoBin = 159;          // %1: the song, %2: why
inline constexpr int kLanguageButton = 160;     // caption of the language button
inline constexpr int kFolderNoRename = 200;     // %1: the folder, %2: the error number
inline constexpr int kPassRunning = 215;        // a Start while another pass runs
inline constexpr int kBatchWildcardName = 216;  // %1: a song whose name holds * or ?
inline constexpr int kWavPathTooLong = 217;     // %1: the longest path, %2: the WAV path
}  // namespace str

// The build's strings with their German texts, by number.
std::span<const BuildString> BuildStrings();

// Whether the loaded language gives string n (1..400).
bool LanguageGives(int n);

// String n as the loaded language gives it; its German text when the
// language lacks it. Empty for a number that is no build string.
std::string BuildText(int n);

// BuildText(n) with "%1", "%2", ... replaced by the arguments in order.
std::string BuildText(int n, std::initializer_list<std::string> args);

}  // namespace tovix

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
inline constexpr int kQtLocale = 150;          // Qt's translation to load: "de", "en", "fr"
inline constexpr int kOffButton = 151;         // caption of the toolbar's off button
inline constexpr int kNoSourceDir = 152;       // no MP3 folder chosen yet
inline constexpr int kNoTargetDir = 153;       // %1: the .bin folder that does not exist
inline constexpr int kUnusableTarget = 154;    // %1: a folder the batch cannot name
inline constexpr int kTestNotDone = 155;       // %1 test file, %2 batch, %3 seconds
inline constexpr int kTestTooLarge = 156;      // %1 level, %2 size, %3 limit
inline constexpr int kFolderUnreadable = 157;  // %1: the folder
inline constexpr int kSongBatchTimeout = 158;  // %1 song, %2 batch, %3 seconds
inline constexpr int kSongNoBin = 159;         // %1: the song, %2: why
inline constexpr int kLanguageButton = 160;    // caption of the language button
inline constexpr int kFolderNoRename = 200;    // %1: the folder, %2: the error number
inline constexpr int kNoAudioOutput = 201;     // Play found no sound output
inline constexpr int kPlayUnreadable = 202;    // playing stopped: the song could not be read
inline constexpr int kPlayOutputGone = 203;    // playing stopped: the sound output failed
inline constexpr int kRenameSummary = 230;  // %1 renamed, %2 companions, %3 tags, %4 left, %5 names
inline constexpr int kCdBatchSummary = 231;     // %1 songs, %2 renamed, %3 left out, %4 names
inline constexpr int kAndMore = 232;            // %1: how many names are not shown
inline constexpr int kNameClash = 236;          // %1 later file, %2 earlier file, %3 how
inline constexpr int kDiffersInCase = 237;      // %3 of kNameClash
inline constexpr int kSameName = 238;           // %3 of kNameClash; %1: the name
inline constexpr int kForbiddenChar = 239;      // followed by the line number
inline constexpr int kUndoButton = 240;         // caption of page 3's undo button
inline constexpr int kUndoCaption = 241;        // above the list while it holds the undo list
inline constexpr int kNoUndo = 242;             // no undo list to offer
inline constexpr int kCompanionTaken = 243;     // %1 line, %2 companion, %3 its new name
inline constexpr int kCompanionFailed = 244;    // %1 line, %2 companion, %3 the song
inline constexpr int kNotOnDisc = 245;          // the disc check: a song Short.bat cannot place
inline constexpr int kSongNoAudio = 250;        // %1: a song without a valid frame header
inline constexpr int kSongUnreadable = 251;     // %1: the song, %2: the error number
inline constexpr int kSheetPage = 252;          // %1: page shown, %2: pages of the TV view
inline constexpr int kSheetSave = 253;          // button saving every page of the TV view
inline constexpr int kSheetSaved = 254;         // %1: pages saved, %2: the first file
inline constexpr int kPassRunning = 215;        // a Start while another pass runs
inline constexpr int kBatchWildcardName = 216;  // %1: a song whose name holds * or ?
inline constexpr int kWavPathTooLong = 217;     // %1: the longest path, %2: the WAV path
// Texts of the windows that the original forms held in German only.
inline constexpr int kBitrateUnder128 = 185;  // the first recode condition of page 21
inline constexpr int kOneMoment = 186;        // status line while the rename list is built
inline constexpr int kIoError = 187;          // %1: the error number of a failed file operation
inline constexpr int kErrorCaption = 188;     // title of an error box
inline constexpr int kCancelButton = 189;     // the error box's only button
inline constexpr int kNameNotWritable = 340;  // %1: a chosen file name Windows-1252 cannot hold
inline constexpr int kMoreNotes = 341;        // %1: how many notes the page leaves out
inline constexpr int kVersionLine = 342;      // second line of the version text
inline constexpr int kRecodeSwitch = 343;     // the recode options' master switch
// The player component's errors as a window shows them, by error code.
inline constexpr int kPlayerNotLoaded = 344;   // code 0: the library is not loaded
inline constexpr int kPlayerCannotLoad = 345;  // code 0: the library file failed to load
inline constexpr int kPlayerDecoder = 346;     // code 1
inline constexpr int kPlayerWrongState = 347;  // code 2
inline constexpr int kPlayerStream = 348;      // code 3
inline constexpr int kPlayerNoSeek = 349;      // code 4
inline constexpr int kPlayerOutput = 350;      // code 5
inline constexpr int kPlayerNoFile = 351;      // code 254: no file chosen
inline constexpr int kPlayerOther = 352;       // %1: any other code
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

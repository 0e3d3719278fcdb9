#pragma once
// Strings the table holds beyond the original program's: messages and
// captions this build added. Each has a German text for a language file
// that lacks it (an older file, or none loaded yet, as in tovix-cli).
#include <exception>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lang/stringnumbers.h"
#include "platform/errortexts.h"

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
inline constexpr int kCliUndoWith = 353;       // %1: the undo list to apply
inline constexpr int kCliSheetPages = 354;     // %1 pages, %2 first file, %3 last file
inline constexpr int kId3v2Option = 161;       // caption of the ID3v2 check box
inline constexpr int kBadNewName = 162;        // before the line number of an impossible name
// The disc check's findings, one per problem.
inline constexpr int kDiscTooLarge = 170;
inline constexpr int kDiscTooDeep = 171;
inline constexpr int kDiscTooManyFolders = 172;
inline constexpr int kDiscTooManyFiles = 173;
inline constexpr int kDiscBinTooLarge = 174;
inline constexpr int kDiscCasePair = 175;
inline constexpr int kDiscBadName = 176;
inline constexpr int kDiscNotOneFolder = 177;
inline constexpr int kDiscNoBin = 178;
inline constexpr int kDiscLeftOut = 179;
// The recode pass's own checks.
inline constexpr int kRecodeSameFolder = 180;
inline constexpr int kRecodeNoTarget = 181;
inline constexpr int kRecodeSourceUnreadable = 182;
inline constexpr int kRecodeNoOutput = 183;
inline constexpr int kRecodeNoTempFolder = 184;
// The TV sheet and the CD image.
inline constexpr int kSheetNoPicture = 190;
inline constexpr int kSheetBrokenPicture = 191;
inline constexpr int kSheetButton = 192;
inline constexpr int kImageButton = 193;
inline constexpr int kImageSaveTitle = 194;
inline constexpr int kImageFilter = 195;
inline constexpr int kDiscWouldFail = 196;
inline constexpr int kImageWritten = 197;
inline constexpr int kDiscCheckPassed = 198;
inline constexpr int kSheetTitle = 199;
// Messages of the passes and of tovix-cli; %1, %2, ... are filled in order.
inline constexpr int kCannotWrite = 163;
inline constexpr int kCannotCreate = 164;
inline constexpr int kCannotRead = 165;
inline constexpr int kCannotDelete = 166;
inline constexpr int kCannotEnter = 167;
inline constexpr int kDoesNotExist = 168;
inline constexpr int kNotAFolder = 169;
inline constexpr int kExistsKept = 270;
inline constexpr int kReadOnlyFile = 271;
inline constexpr int kCannotCopy = 272;
inline constexpr int kFolderInTheWay = 273;
inline constexpr int kBinToolsFailed = 274;
inline constexpr int kOldBinKept = 275;
inline constexpr int kTestFileFailed = 276;
inline constexpr int kSongGone = 277;
inline constexpr int kSongNoBinSkip = 278;
inline constexpr int kSongSkipped = 279;
inline constexpr int kQuoteInName = 280;
inline constexpr int kControlInName = 281;
inline constexpr int kWhyLowRate = 282;
inline constexpr int kWhyNotStereo = 283;
inline constexpr int kWhyCritical = 284;
inline constexpr int kWhyOtherRate = 285;
inline constexpr int kWhyCopied = 286;
inline constexpr int kWhyRecodeOff = 287;
inline constexpr int kImageFailed = 288;
inline constexpr int kSkippedUnusableName = 289;
inline constexpr int kSkippedBatchName = 290;
inline constexpr int kSkippedVanished = 291;
inline constexpr int kSkippedNameClash = 292;
inline constexpr int kCliNotAFile = 293;
inline constexpr int kBatchCasePair = 294;
inline constexpr int kCannotRenameTo = 295;
inline constexpr int kListTooLarge = 296;
inline constexpr int kTooShortForTag = 297;
inline constexpr int kTooShortSkipped = 298;
inline constexpr int kCliUnknownCommand = 299;
inline constexpr int kCliUnknownOption = 300;
inline constexpr int kCliNoValue = 301;
inline constexpr int kCliNeedsValue = 302;
inline constexpr int kCliBadValue = 303;
inline constexpr int kCliGivenTwice = 304;
inline constexpr int kCliNotAKey = 305;
inline constexpr int kCliNoCommand = 306;
inline constexpr int kCliOperands = 307;
inline constexpr int kCliDemoNoSettings = 308;
inline constexpr int kCliEither = 309;
inline constexpr int kCliTryHelp = 310;
inline constexpr int kCliNotWin1252 = 311;
inline constexpr int kCliSettingsMissing = 312;
inline constexpr int kCliWritten = 313;
inline constexpr int kCliIoError = 314;
inline constexpr int kCliSettingsKey = 315;
inline constexpr int kCliFolderNotSet = 316;
inline constexpr int kCliNotInProgramFolder = 317;
inline constexpr int kCliNotOnPath = 318;
inline constexpr int kCliSongsNoBin = 319;
inline constexpr int kCliSongsNoBinIn = 320;
inline constexpr int kCliFolderNotEmpty = 321;
inline constexpr int kCliNoLame = 322;
inline constexpr int kCliDemoReady = 323;
inline constexpr int kCliDemoSongs = 324;
inline constexpr int kCliDemoLook = 325;
inline constexpr int kCliDemoLayOut = 326;
inline constexpr int kCliDemoMaking = 327;
inline constexpr int kCliCannotStart = 328;
inline constexpr int kCliEndedWith = 329;
inline constexpr int kCliDiscAsItStands = 330;
inline constexpr int kCliDiscAsShort = 331;
inline constexpr int kCliDiscFails = 332;
inline constexpr int kCliNoImage = 333;
inline constexpr int kCliLinesWritten = 334;
inline constexpr int kCliRenamed = 335;
inline constexpr int kCliNothingRenamed = 336;
inline constexpr int kCliTextsWritten = 337;
inline constexpr int kCliNothingToShow = 338;
inline constexpr int kCliSheetWritten = 339;
inline constexpr int kCliModuleMissing = 374;
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

// text with "%1", "%2", ... replaced by the arguments in order; a number
// without an argument stays as it is.
std::string FillIn(const std::string& text, std::initializer_list<std::string> args);
std::string FillIn(const std::string& text, const std::vector<std::string>& args);

// The system's reason for error number code, in the loaded language.
std::string ReasonText(int code);

// What a failure says to the user: an IoError that names its table string in
// the loaded language (the system's reason filled in after its own
// arguments), any other error its what().
std::string ErrorText(const std::exception& error);

}  // namespace tovix

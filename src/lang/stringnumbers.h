#pragma once
// Numbers of the original program's strings in the language table. The
// build's own strings are named in buildstrings.h, in the same namespace.

namespace tovix::str {

// The welcome text, in its order.
inline constexpr int kWelcome = 1;
inline constexpr int kLicence = 2;
inline constexpr int kReaction = 3;
inline constexpr int kContact = 4;
inline constexpr int kThanksHeading = 5;
inline constexpr int kThanksClosing = 6;
inline constexpr int kRenameSides = 7;  // not shown

// The CD batch page's explanation: seven lines, 8 to 14.
inline constexpr int kBatchPairFirstLine = 8;
inline constexpr int kBatchPairLastLine = 14;

// The BIN page's summary and run.
inline constexpr int kBinHeading = 17;
inline constexpr int kBinMp3Folder = 18;
inline constexpr int kBinTargetFolder = 19;
inline constexpr int kBinBackground = 20;
inline constexpr int kBinOverscan = 21;
inline constexpr int kBinArtistFont = 22;
inline constexpr int kBinTechFont = 23;
inline constexpr int kRunningTimePrefix = 24;

// The rename step.
inline constexpr int kRenameFileMissing = 25;  // before the line number
inline constexpr int kRenameFailed = 26;       // before the review line
inline constexpr int kRenameFailedEnd = 27;    // after the review line

// The recode page and its log.
inline constexpr int kRecodeStatus = 28;
inline constexpr int kRecodeSourceLabel = 29;
inline constexpr int kRecodeTargetLabel = 30;
inline constexpr int kLogDecoded = 31;
inline constexpr int kLogEncodeAt = 32;
inline constexpr int kLogRecoded = 33;
inline constexpr int kLogCancelled = 34;
inline constexpr int kLogFailed = 35;
inline constexpr int kLogCopying = 36;
inline constexpr int kEndOfRun = 37;  // also the toolbar's close hint
inline constexpr int kLogoLevelLabel = 38;
inline constexpr int kMakingTexts = 39;
inline constexpr int kPicturesConverted = 40;
inline constexpr int kBatchPairWritten = 41;

// Titles of the position prompts of the five preview labels.
inline constexpr int kPositionArtist = 42;
inline constexpr int kPositionTitle = 43;
inline constexpr int kPositionTech = 44;
inline constexpr int kPositionRunningTime = 45;
inline constexpr int kPositionEncoder = 46;

// The five placements of the background picture, 47 to 51 in mode order.
inline constexpr int kPlacementFirst = 47;

inline constexpr int kLogDecodeStarts = 52;
inline constexpr int kMainCaption = 53;
inline constexpr int kPictureFilter = 80;
inline constexpr int kMakeTextsCaption = 82;
inline constexpr int kColourWord = 84;
inline constexpr int kBinPageHint = 88;
inline constexpr int kCdBatchHint = 93;
inline constexpr int kImageHint = 94;
inline constexpr int kLabelHint = 95;
inline constexpr int kOverscanNote = 96;
inline constexpr int kUnknownEncoder = 97;
inline constexpr int kLogNeedsRecode = 98;

}  // namespace tovix::str

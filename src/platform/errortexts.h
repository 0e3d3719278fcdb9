#pragma once
// The language table's numbers of the texts that modules below the language
// module hand up in an IoError; the language module words
// them where they are shown.

namespace tovix::str {

// %1 a path; the text's last number is filled with the system's reason.
inline constexpr int kIoCannotOpen = 355;
inline constexpr int kIoCannotRead = 356;
inline constexpr int kIoCannotWrite = 357;
inline constexpr int kTagFileTooShort = 358;    // %1 a path
inline constexpr int kTagFileEndedEarly = 359;  // %1 a path
inline constexpr int kTagReadOnlyLost = 360;    // %1 a path
inline constexpr int kTagEnded = 361;           // the file ended inside its tag
// The system's reasons for the most common error numbers.
inline constexpr int kReasonNoFile = 362;
inline constexpr int kReasonNoAccess = 363;
inline constexpr int kReasonDiskFull = 364;
inline constexpr int kReasonOther = 365;  // %1 the error number
// The texts of the settings file and the picture files, German as they
// always were.
inline constexpr int kIniCannotWrite = 366;    // %1 the settings file
inline constexpr int kFileCannotOpen = 367;    // %1 a picture file
inline constexpr int kFileCannotCreate = 370;  // %1 a picture file
inline constexpr int kBitmapInvalid = 371;
inline constexpr int kJpegFailed = 372;  // %1 the codec's message number
inline constexpr int kPngCannotMake = 373;
inline constexpr int kIsoCannotStart = 368;
inline constexpr int kIsoBrokenTree = 369;  // %1 a folder or file the image lost track of

}  // namespace tovix::str

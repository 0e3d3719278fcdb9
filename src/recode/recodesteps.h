#pragma once
// The steps of the recode pass for one file: the copy into the recode
// folder and the calls of the two batch files that stand beside the program.
#include <cstdint>
#include <functional>
#include <string>

namespace tovix {

inline constexpr const char* kMp3ToMp3Batch = "Mp3ToMp3.bat";
inline constexpr const char* kWavToMp3Batch = "Wavtomp3.bat";
inline constexpr const char* kErrorListName = "fehler.txt";
// The batch runs are waited for without a limit (0x7FFFFFFF ms).
inline constexpr std::int32_t kRecodeWaitMs = 0x7FFFFFFF;
inline constexpr std::size_t kCopyBlockBytes = 32768;

// A word of a batch command line. Without short names on this system a
// name may hold blanks or characters the command interpreter acts on; such
// a word is quoted, and the batch files take it with %~n.
std::string BatchWord(const std::string& text);

// False for a name the batch files cannot be handed: "*" and "?" act as
// wildcards in their if exist, move and del, so the wrong file (or several)
// would be taken.
bool BatchCanCarry(const std::string& name);

// One composed batch call and the file the batch is to write.
struct BatchCall {
  std::string commandLine;
  // ShortPath(recode folder) + separator + the source's short name.
  std::string output;
};

// batch: how the command line names the batch file (its bare name when the
// current folder is the program folder, else its full path).
BatchCall Mp3ToMp3Call(const std::string& name, const std::string& sourceDir,
                       const std::string& recodeDir, int bitrate,
                       const std::string& batch = kMp3ToMp3Batch);
BatchCall WavToMp3Call(const std::string& name, const std::string& wav,
                       const std::string& sourceDir, const std::string& recodeDir, int bitrate,
                       const std::string& batch = kWavToMp3Batch);

enum class CopyOutcome { kCopied, kSameFolder, kStopped };

// Copies sourceDir/name unchanged to recodeDir/name in 32 KiB blocks, with
// its modification time, replacing an older copy only once the new one is
// whole. percent gets read position x 100 / size after every block; a false
// from keepGoing stops the copy and removes what was copied. Nothing
// happens when both folders are the same folder, however spelled. Throws
// IoError naming the file when the copy fails.
CopyOutcome CopyToRecodeDir(const std::string& name, const std::string& sourceDir,
                            const std::string& recodeDir, const std::function<void(int)>& percent,
                            const std::function<bool()>& keepGoing);

}  // namespace tovix

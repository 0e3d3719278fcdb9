#pragma once
// tmpbat.bat, the one-picture batch that turns a song bitmap into its .BIN
// with mklogo and c2bin, and the folder count of the BIN page.
#include <optional>
#include <string>
#include <string_view>

#include "rename/batchtext.h"

namespace tovix {

// The batch as it is built, before it is written.
struct BinBatch {
  std::string text;  // lines ending in CR LF
};

// Lines 1 and 2: the stamp file and echo off. now: "dd.MM.yyyy hh:mm:ss".
void BeginBinBatch(BinBatch& batch, const std::string& now);
// Lines 3 to 11 for the picture BM<k>.BMP and the target base path b (OEM,
// without ".BIN"). Line 4, the skip of an existing .BIN, only when
// replaceBin is false. Percent signs are doubled, and the unquoted echo line
// escapes the interpreter's operators, so every name reaches the tools as
// it is. b must pass BatchNameProblem.
void AddBinBatchEntry(BinBatch& batch, const std::string& b, int k, int level, bool replaceBin);
// Lines 12 to 14: the closing echo and the tool files' clean-up.
void EndBinBatch(BinBatch& batch);

// Writes the batch as path, complete or not at all. Throws IoError.
void WriteBinBatch(const std::string& path, const BinBatch& batch);

// Why a name cannot stand inside a batch line (a double quote or a control
// character, which no quoting survives); nullopt when it can.
std::optional<std::string> BatchNameProblem(std::string_view name);

// The folder part of a batch path in the OEM code page, as the interpreter
// reads the batch; nullopt when the folder holds a letter that code page
// lacks (the batch could not name it).
std::optional<std::string> OemFolder(const std::string& folder);

// Entries of folder (a separator added when missing) + pattern that are
// neither folders nor hidden or system files, names the passes cannot
// handle included.
int CountFiles(const std::string& folder, const std::string& pattern);

}  // namespace tovix

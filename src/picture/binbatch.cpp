#include "picture/binbatch.h"

#include "lang/buildstrings.h"
#include "picture/bitmap.h"
#include "platform/codepage.h"
#include "platform/filesys.h"

namespace tovix {
namespace {

constexpr const char* kEol = "\r\n";

void Line(BinBatch& batch, const std::string& line) {
  batch.text += line;
  batch.text += kEol;
}

// Outside quotes the interpreter would split, redirect or pipe at these;
// the caret makes each one a plain character again.
std::string EchoText(const std::string& text) {
  std::string out;
  for (char c : EscapePercent(text)) {
    if (c == '&' || c == '|' || c == '<' || c == '>' || c == '^') out += '^';
    out += c;
  }
  return out;
}

}  // namespace

void BeginBinBatch(BinBatch& batch, const std::string& now) {
  batch.text.clear();
  Line(batch, "@echo batchfile of " + now + " >tmpbat.sem");
  Line(batch, "@echo off");
}

void AddBinBatchEntry(BinBatch& batch, const std::string& b, int k, int level, bool replaceBin) {
  const std::string quoted = EscapePercent(b);
  const std::string bmp = "BM" + std::to_string(k) + ".BMP";
  Line(batch, "Echo [ " + EchoText(b) + " ]");
  if (!replaceBin) Line(batch, "if exist \"" + quoted + ".BIN\" goto NoReplace");
  Line(batch, "mklogo " + bmp + " " + std::to_string(level));
  Line(batch, "if errorlevel 1 pause");
  Line(batch, "if errorlevel 1 goto NoReplace");
  Line(batch, "c2bin e2logo.c e2logo.bin >NUL");
  Line(batch, "move e2logo.bin \"" + quoted + ".BIN\"");
  Line(batch, ":NoReplace");
  Line(batch, "Del " + bmp);
}

void EndBinBatch(BinBatch& batch) {
  Line(batch, "Echo [ Fertig ]");
  Line(batch, "del menu.vbs");
  Line(batch, "del e2logo.c");
}

void WriteBinBatch(const std::string& path, const BinBatch& batch) {
  WriteFileReplacing(path, batch.text);
}

std::optional<std::string> BatchNameProblem(std::string_view name) {
  for (char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"') return BuildText(str::kQuoteInName);
    if (u < 0x20 || u == 0x7F) return BuildText(str::kControlInName);
  }
  return std::nullopt;
}

std::optional<std::string> OemFolder(const std::string& folder) {
  std::string oem = platform::AnsiToOem(folder);
  if (platform::OemToAnsi(oem) != folder) return std::nullopt;
  return oem;
}

int CountFiles(const std::string& folder, const std::string& pattern) {
  const platform::Listing listing = platform::ListFiles(platform::WithSep(folder), pattern);
  return static_cast<int>(listing.names.size() + listing.rejected.size());
}

}  // namespace tovix

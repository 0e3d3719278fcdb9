#include "settingskeys.h"

#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "lang/buildstrings.h"
#include "picture/bitmap.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"

namespace tovix::cli {
namespace {

// The keys whose written spelling differs from the read one.
constexpr const char* kWrittenSpellings[] = {"wavedir", "tempdir", "Font1.Style.italic",
                                             "Font2.Style.italic", "SaveJpg"};

bool SameNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// A private folder for the copy, removed with it.
class ScratchFolder {
 public:
  ScratchFolder() {
    const auto base = platform::TempPath();
    std::string pattern = platform::ToNative(base.value_or("/tmp/")) + "tovix-cli-XXXXXX";
    if (!mkdtemp(pattern.data())) throw IoError(errno, BuildText(str::kCannotCreate, {pattern}));
    native_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(native_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The Windows-1252 path of a file in the folder.
  std::string File(const std::string& name) const {
    return platform::FromNative(native_).value_or(native_) + platform::kPathSep + name;
  }

 private:
  std::string native_;
};

}  // namespace

const std::vector<std::string>& SettingsKeys() {
  static const std::vector<std::string> keys = [] {
    std::vector<std::string> list = {"mp3dir", "bindir", "WaveDir", "TempDir", "lastfile"};
    for (const char* font : {"Font1", "Font2"})
      for (const char* part : {".Name", ".Color", ".Size", ".Style.Bold", ".Style.Italic"})
        list.push_back(std::string(font) + part);
    for (const char* label : {"Artist", "Title", "Laufzeit", "Tech", "Encoder"})
      for (const char* part : {".Top", ".Left"}) list.push_back(std::string(label) + part);
    for (const char* key :
         {"Scale",   "Overscan", "Recode",  "if127",   "ifMono",      "ifXing",   "Bitrate",
          "TmpWav",  "bitmap",   "NewBins", "MakeTxt", "NiceWords",   "MakeTag",  "SaveTag",
          "X2Blank", "SaveJPG",  "ID3v2",   "Sprache", "DiscFolders", "DiscFiles"})
      list.push_back(key);
    return list;
  }();
  return keys;
}

bool IsSettingsKey(const std::string& key) {
  for (const std::string& known : SettingsKeys())
    if (SameNoCase(key, known)) return true;
  for (const char* written : kWrittenSpellings)
    if (SameNoCase(key, written)) return true;
  return false;
}

Settings LoadRunSettings(const std::string& iniPath, const std::vector<Override>& overrides,
                         const std::string& workingDir) {
  const bool exists = platform::Exists(iniPath);
  if (exists && platform::IsDirectory(iniPath))
    throw IoError(EISDIR, BuildText(str::kCannotRead, {iniPath}));
  if (overrides.empty()) return ReadSettings(platform::IniFile(iniPath), workingDir);

  ScratchFolder scratch;
  const std::string copy = scratch.File("tovix.ini");
  if (exists) WriteFileReplacing(copy, ReadWholeFile(iniPath));
  platform::IniFile ini(copy);
  for (const auto& [key, value] : overrides) ini.WriteString(kSettingsSection, key, value);
  return ReadSettings(ini, workingDir);
}

void SaveRunSettings(const std::string& iniPath, const Settings& settings) {
  platform::IniFile ini(iniPath);
  WriteSettings(ini, settings);
}

}  // namespace tovix::cli

#pragma once
// INI files with the semantics of the Windows profile functions: names
// without regard to case, blanks around a value and one pair of enclosing
// quotes dropped, at most 1023 characters of a value, integers in decimal or
// "0x" hexadecimal, keys updated in place, file and section made on write.
#include <memory>
#include <string>
#include <string_view>

namespace tovix::platform {

class IniFile {
 public:
  // path: Windows-1252 text, as every path the program holds.
  explicit IniFile(std::string path);

  const std::string& path() const { return path_; }

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  // A missing key or a value that is not a valid integer gives defaultValue.
  int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
  // Read as an integer; non-zero is true.
  bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;

  // Each write updates the file on disk at once. A failure throws IoError
  // with the text "nach <path> kann nicht geschrieben werden".
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, int value);
  void WriteBool(const std::string& section, const std::string& key, bool value);

 private:
  struct Parsed;
  // The file parsed once and read again only when it changed on disk.
  const Parsed* Load() const;

  std::string path_;
  mutable std::shared_ptr<Parsed> parsed_;
};

// The integer rule of the profile functions: optional blanks, optional sign,
// decimal digits; a text of three or more characters starting "0x"/"0X" is
// hexadecimal. Returns false for anything else.
bool ParseProfileInteger(const std::string& text, int& value);

// The value the reader takes from a line "key=<written>": up to the first
// line break, without the blanks around it and one pair of enclosing quotes.
// A text value is then cut to kMaxProfileText characters.
std::string ProfileValue(std::string_view written);
inline constexpr std::size_t kMaxProfileText = 1023;  // the profile reader's 1024-byte buffer

}  // namespace tovix::platform

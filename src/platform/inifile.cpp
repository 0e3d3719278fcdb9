#include "platform/inifile.h"

#include <SimpleIni.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/errortexts.h"
#include "platform/filesys.h"
#include "platform/inilines.h"
#include "platform/ioerror.h"

namespace tovix::platform {
namespace {

// Loads the file as raw 8-bit text; a missing file is an empty one.
bool LoadInto(const std::string& path, CSimpleIniA& ini) {
  ini.SetUnicode(false);
  ini.SetMultiKey(true);  // duplicate keys: the first one counts, as on Windows
  ini.SetSpaces(false);
  std::FILE* f = OpenFile(path, "rb");
  if (!f) return errno == ENOENT;
  const SI_Error rc = ini.LoadFile(f);
  std::fclose(f);
  return rc >= 0;
}

struct Signature {
  bool exists = false;
  dev_t dev = 0;
  ino_t ino = 0;
  off_t size = 0;
  long long mtimeNs = 0;
  bool operator==(const Signature&) const = default;
};

Signature SignatureOf(const std::string& path) {
  struct stat st;
  Signature sig;
  if (stat(ToNative(path).c_str(), &st) != 0) return sig;
  sig.exists = true;
  sig.dev = st.st_dev;
  sig.ino = st.st_ino;
  sig.size = st.st_size;
  sig.mtimeNs = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
  return sig;
}

std::string StripQuotes(std::string value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return value;
}

[[noreturn]] void WriteFailed(const std::string& path, int code) {
  throw IoError(code ? code : EIO, "nach " + path + " kann nicht geschrieben werden",
                str::kIniCannotWrite, {path});
}

}  // namespace

struct IniFile::Parsed {
  Signature signature;
  bool ok = false;
  CSimpleIniA ini;
};

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

const IniFile::Parsed* IniFile::Load() const {
  const Signature now = SignatureOf(path_);
  if (!parsed_ || !(parsed_->signature == now)) {
    auto fresh = std::make_shared<Parsed>();
    fresh->signature = now;
    fresh->ok = LoadInto(path_, fresh->ini);
    parsed_ = std::move(fresh);
  }
  return parsed_->ok ? parsed_.get() : nullptr;
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
  const Parsed* p = Load();
  if (!p) return defaultValue.substr(0, kMaxProfileText);
  const char* v = p->ini.GetValue(section.c_str(), key.c_str(), nullptr);
  std::string value = v ? StripQuotes(v) : defaultValue;
  if (value.size() > kMaxProfileText) value.resize(kMaxProfileText);
  return value;
}

bool ParseProfileInteger(const std::string& text, int& value) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  std::string t = text.substr(i);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.pop_back();
  int base = 10;
  std::string digits = t;
  bool negative = false;
  if (t.size() >= 3 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    base = 16;
    digits = t.substr(2);
  } else if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
    negative = t[0] == '-';
    digits = t.substr(1);
  }
  if (digits.empty()) return false;
  long long n = 0;
  for (char c : digits) {
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      return false;
    n = n * base + d;
    if (n > 0xFFFFFFFFLL) return false;
  }
  if (negative) n = -n;
  if (base == 16) {
    // Hexadecimal spells the 32 bits: 0x80000008 is the negative colour number.
    value = static_cast<int>(static_cast<unsigned int>(n));
    return true;
  }
  if (n < INT_MIN || n > INT_MAX) return false;
  value = static_cast<int>(n);
  return true;
}

std::string ProfileValue(std::string_view written) {
  written = written.substr(0, written.find_first_of("\r\n"));
  const std::size_t first = written.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return StripQuotes(
      std::string(written.substr(first, written.find_last_not_of(" \t") + 1 - first)));
}

int IniFile::ReadInteger(const std::string& section, const std::string& key,
                         int defaultValue) const {
  const Parsed* p = Load();
  if (!p) return defaultValue;
  const char* v = p->ini.GetValue(section.c_str(), key.c_str(), nullptr);
  int value;
  if (!v || !ParseProfileInteger(StripQuotes(v), value)) return defaultValue;
  return value;
}

bool IniFile::ReadBool(const std::string& section, const std::string& key,
                       bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
  // Edited line by line, not parsed and written anew: comments and lines
  // the reader skips stay as the user wrote them.
  std::string text;
  struct stat st;
  if (stat(ToNative(path_).c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) WriteFailed(path_, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
    std::FILE* f = OpenFile(path_, "rb");
    if (!f) WriteFailed(path_, errno);
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) WriteFailed(path_, EIO);
  } else if (errno != ENOENT) {
    WriteFailed(path_, errno);
  }
  const std::string data = SetIniValue(text, section, key, value);
  // A read-only settings file stays as it is: never replaced behind the user's back.
  if (const int error = WriteFileWhole(path_, data)) WriteFailed(path_, error);
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

}  // namespace tovix::platform

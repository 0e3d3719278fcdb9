// libFuzzer target: the INI reader over any file, and a key set in any text
// keeping every other byte.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzzfile.h"
#include "platform/inifile.h"
#include "platform/inilines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = tovix::fuzz::WriteScratch(data, size, ".ini");
  tovix::platform::IniFile ini(path);
  ini.ReadString("Tovix", "mp3dir", "");
  ini.ReadInteger("Tovix", "Font1.Color", 0);
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string out = tovix::platform::SetIniValue(text, "Tovix", "mp3dir", "/x");
  // The edit only ever adds or rewrites one line and a section head.
  if (out.size() + 1024 < text.size()) __builtin_trap();
  return 0;
}

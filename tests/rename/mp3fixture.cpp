#include "rename/mp3fixture.h"

#include <filesystem>

#include "platform/codepage.h"
#include "platform/filesys.h"
#include "support/tempdir.h"

namespace tovix::test {
namespace {

void PutField(std::string& tag, std::size_t at, std::size_t width, const std::string& ansi) {
  const std::string oem = platform::AnsiToOem(ansi).substr(0, width);
  tag.replace(at, oem.size(), oem);
}

std::string Native(const std::string& folder, const std::string& ansiName) {
  return folder + "/" + platform::ToNative(ansiName);
}

}  // namespace

std::string Mp3Frames(char seed) {
  // 0xFFFB9000: MPEG-1, Layer III, no CRC, 128 kbit/s, 44100 Hz, stereo.
  const std::string header("\xFF\xFB\x90\x00", 4);
  const std::size_t frameLength = 144 * 128000 / 44100;  // 417
  std::string frames;
  for (int i = 0; i < 3; ++i) frames += header + std::string(frameLength - 4, seed);
  return frames;
}

std::string Id3v1(const std::string& artist, const std::string& title, const std::string& album,
                  int genre) {
  std::string tag = "TAG" + std::string(125, '\0');
  PutField(tag, 3, 30, title);
  PutField(tag, 33, 30, artist);
  PutField(tag, 63, 30, album);
  PutField(tag, 93, 4, "1999");
  tag[126] = 7;  // track
  tag[127] = static_cast<char>(genre);
  return tag;
}

std::string Id3v1Raw(const std::string& artist, const std::string& title) {
  std::string tag = "TAG" + std::string(125, '\0');
  tag.replace(3, std::min<std::size_t>(title.size(), 30), title.substr(0, 30));
  tag.replace(33, std::min<std::size_t>(artist.size(), 30), artist.substr(0, 30));
  return tag;
}

std::string Song(const std::string& artist, const std::string& title, char seed) {
  std::string bytes = Mp3Frames(seed);
  if (!artist.empty() || !title.empty()) bytes += Id3v1(artist, title);
  return bytes;
}

void PutFile(const std::string& folder, const std::string& ansiName, const std::string& bytes) {
  WriteFile(Native(folder, ansiName), bytes);
}

std::string GetFile(const std::string& folder, const std::string& ansiName) {
  return ReadFile(Native(folder, ansiName));
}

bool HasFile(const std::string& folder, const std::string& ansiName) {
  return std::filesystem::is_regular_file(Native(folder, ansiName));
}

std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    const std::string rel = std::filesystem::relative(entry.path(), folder).string();
    files[rel] = entry.is_regular_file() ? ReadFile(entry.path().string()) : "<dir>";
  }
  return files;
}

std::multiset<std::string> Contents(const std::string& folder) {
  std::multiset<std::string> contents;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.is_regular_file()) contents.insert(ReadFile(entry.path().string()));
  return contents;
}

std::string RenameLine(const std::string& oldName, const std::string& newName) {
  return '"' + oldName + "\"=\"" + newName + '"';
}

}  // namespace tovix::test

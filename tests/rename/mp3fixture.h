#pragma once
// Small MP3 files built byte by byte, and folder helpers on Windows-1252 names.
#include <map>
#include <set>
#include <string>

namespace tovix::test {

// Three frames of MPEG-1 Layer III, 128 kbit/s, 44100 Hz, stereo; each
// frame's body is filled with seed so files differ in content.
std::string Mp3Frames(char seed = 'x');
// A 128-byte ID3v1.1 tag; the texts are Windows-1252 and stored as code
// page 850, as on disk.
std::string Id3v1(const std::string& artist, const std::string& title,
                  const std::string& album = "", int genre = 12);
// A 128-byte ID3v1 tag holding artist and title bytes as they are, so
// tests can write Windows-1252, 850 or control bytes.
std::string Id3v1Raw(const std::string& artist, const std::string& title);
// A song: frames plus, unless both texts are empty, a tag.
std::string Song(const std::string& artist, const std::string& title, char seed = 'x');

// Writes or reads a file of folder (native path) by its Windows-1252 name.
void PutFile(const std::string& folder, const std::string& ansiName, const std::string& bytes);
std::string GetFile(const std::string& folder, const std::string& ansiName);
bool HasFile(const std::string& folder, const std::string& ansiName);

// One line of a rename list: "old"="new".
std::string RenameLine(const std::string& oldName, const std::string& newName);

// Every plain file below folder: relative native path -> bytes.
std::map<std::string, std::string> Snapshot(const std::string& folder);
// The multiset of file contents directly inside folder.
std::multiset<std::string> Contents(const std::string& folder);

}  // namespace tovix::test

// taglib_scan FOLDER: what tovix-scan prints, read through TagLib, as a
// whole process to time against tovix-scan (hyperfine, see
// docs/reliability.md): the stream facts and the ID3v1 tag of each *.mp3.
#include <taglib/id3v1tag.h>
#include <taglib/mpegfile.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: taglib_scan FOLDER\n", stderr);
    return 2;
  }
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(argv[1])) {
    std::string ext = e.path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
    if (e.is_regular_file() && ext == ".mp3") names.push_back(e.path().string());
  }
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    TagLib::MPEG::File file(name.c_str(), true, TagLib::AudioProperties::Fast);
    const TagLib::AudioProperties* p = file.audioProperties();
    const TagLib::ID3v1::Tag* tag = file.ID3v1Tag();
    std::printf("%s\t%d\t%d\t%d\t%s\t%s\n", name.c_str(), p ? p->bitrate() : 0,
                p ? p->sampleRate() : 0, p ? p->channels() : 0,
                tag ? tag->artist().toCString() : "", tag ? tag->title().toCString() : "");
  }
  return 0;
}

#pragma once
// The working folder of a BIN run: tmpbat.bat, the song bitmaps and the
// tools' files land there. tovix-cli uses a private temporary folder, so a
// run litters neither the user's current folder nor another run's.
#include <string>

namespace tovix::cli {

class WorkFolder {
 public:
  // Removes the folders of earlier runs whose process is gone, makes this
  // run's folder (removed also when SIGINT or SIGTERM ends the run) and
  // enters it; throws IoError when it cannot.
  WorkFolder();
  // Goes back to the folder of before and removes this one with its files.
  ~WorkFolder();
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

 private:
  std::string native_;
  std::string previous_;
};

// Puts the program folder first on PATH, so the batch finds mklogo and
// c2bin beside the program wherever tovix-cli was started from.
void PutProgramFolderOnPath();

}  // namespace tovix::cli

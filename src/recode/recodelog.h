#pragma once
// The recode pass's log: each entry goes to the page's memo and, as one
// CR LF line, to TOVIX.LOG in the recode folder, which is complete on disk
// after every entry. Complaints the batch files leave in fehler.txt are
// moved into it after each file.
#include <string>
#include <vector>

#include "platform/passreport.h"

namespace tovix {

// "DD.MM.YY HH:NN:SS" of the current local time, then two blanks.
std::string Timestamp();

class RecodeLog {
 public:
  // recodeDir as stored; the log is recodeDir + separator + "TOVIX.LOG"
  // (a separator is always inserted).
  RecodeLog(std::string recodeDir, PassReport& memo);

  // One entry into the memo, then into the file. "***" instead deletes the
  // file (silently when it is not there) and adds nothing to the memo.
  // Throws IoError when the file cannot be written.
  void LogLine(const std::string& text);

  // Every line of the file errorList (fehler.txt) becomes an entry
  // Timestamp() + " ! " + line, in file order; then the file is deleted. A
  // missing file is normal: nothing happens. Returns the number of entries.
  // Throws IoError when the file cannot be read or deleted.
  int DrainErrorList(const std::string& errorList);

  // The pieces of DrainErrorList, for passes that gather a file's entries
  // before logging them: the lines of the file (none when it is missing),
  // its removal (silent when it is gone) and the entry made of one line.
  static std::vector<std::string> ReadErrorList(const std::string& errorList);
  static void RemoveErrorList(const std::string& errorList);
  static std::string ErrorListEntry(const std::string& line);

  const std::string& path() const { return path_; }

 private:
  std::string path_;
  PassReport& memo_;
};

}  // namespace tovix

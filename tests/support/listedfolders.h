#pragma once
// Every folder a test program opens for listing, caught at opendir: a pass
// that looks each name up by listing its folder grows with the square of
// the files, which no timing in a test would show reliably.
#include <string>
#include <vector>

namespace tovix::test {

// The folders opened since the last ForgetListedFolders, as opendir got them.
std::vector<std::string> ListedFolders();
void ForgetListedFolders();
// How many of those name folder, trailing separators aside.
long TimesListed(const std::string& folder);

}  // namespace tovix::test

#pragma once
// What a signal may not leave behind: a program's scratch files are removed
// when SIGINT or SIGTERM ends it, and an exceeded file-size limit is a
// failed write with its message instead of a silent death.
#include <string>

namespace tovix::platform {

// Ignores SIGXFSZ: a write past the limit then fails with EFBIG, which every
// checked write reports.
void IgnoreFileSizeSignal();

// Until ForgetOnSignal, SIGINT and SIGTERM first remove nativePath (a file,
// or a folder with the plain files in it) and then end the process as the
// signal would. One path at a time; a later call replaces the earlier one.
void RemoveOnSignal(const std::string& nativePath, bool folder);
void ForgetOnSignal();

}  // namespace tovix::platform

#pragma once
// The BIN run of tovix-cli, shared by "bins" and "demo".
#include "commands.h"

namespace tovix::cli {

// Prints the BIN page's summary, then runs the BIN run over the folders of
// the settings in a private working folder. Exit code 1 after the run's
// error box, or when a song has no .BIN afterwards.
int RunBinPass(RunContext& context);

}  // namespace tovix::cli

#pragma once
// The help texts of tovix-cli (UTF-8).
#include <string>

namespace tovix::cli {

// The overview: global options and the list of subcommands.
std::string GeneralUsage();
// The help of one subcommand; the overview for "" or an unknown name.
std::string CommandHelp(const std::string& command);

}  // namespace tovix::cli

#pragma once
// The help texts of tovix-cli (UTF-8).
#include <string>

namespace tovix::cli {

// The overview: global options and the list of subcommands.
std::string GeneralUsage();
// The short text after a bad call: the usage line and the command list.
std::string ShortUsage();
// The help of one subcommand; the overview for "" or an unknown name.
std::string CommandHelp(const std::string& command);

}  // namespace tovix::cli

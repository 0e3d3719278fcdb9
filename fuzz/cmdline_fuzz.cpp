// libFuzzer target: tovix-cmd's splitting of a line (chains, redirections,
// words, the command word) and its percent expansion.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cmd/expand.h"
#include "cmd/parse.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  static const std::vector<std::string> args{"test.bat", "\"a b\"", "C:\\x\\y.mp3", "%1"};
  tovix::cmd::ExpandContext context{&args, 0, 1};
  const std::string expanded = tovix::cmd::ExpandPercents(line, context, 8192);
  tovix::cmd::ChainPart part = tovix::cmd::SplitChain(expanded);
  tovix::cmd::SimpleCommand command;
  std::string error;
  tovix::cmd::ParseRedirections(part.head, &command, &error);
  tovix::cmd::SplitCommandWord(command.text);
  tovix::cmd::SplitWords(part.tail);
  return 0;
}

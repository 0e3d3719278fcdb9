#include "commands.h"
#include "mp3/scantable.h"

namespace tovix::cli {

int RunScan(RunContext& context) {
  context.console.EndProgress();
  const int result =
      WriteScanTable(context.call.operands, context.console.out(), context.console.err());
  context.console.out().flush();
  return result == 0 ? kExitOk : kExitPassError;
}

}  // namespace tovix::cli

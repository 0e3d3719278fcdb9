// The entry of the picture module: the commands that need Qt's painting
// and the MPEG decoder, with the one application object they paint under.
#include <QGuiApplication>
#include <iostream>
#include <memory>

#include "binscmd.h"
#include "commands.h"
#include "lang/sprachen.h"

namespace {

using namespace tovix;
using namespace tovix::cli;

// Qt's own chatter (no XDG_RUNTIME_DIR and the like) is no business of the
// user's; real failures still show.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::cerr << "tovix-cli: " << message.toStdString() << '\n';
}

int Dispatch(RunContext& context) {
  const std::string& c = context.call.command;
  if (c == "picture") return RunPicture(context);
  if (c == "bins") return RunBins(context);
  if (c == "sheet") return RunSheet(context);
  return RunDemo(context);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int tovix_cli_run_pictures(RunContext* context) {
  // The module carries its own copy of the language table: load the run's.
  ApplyLanguage(static_cast<std::uint16_t>(context->settings.Language), DefaultLanguageFile());
  // Off-screen unless the caller chose a platform: no display is needed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietQtMessages);
  static int argc = 1;
  static char name[] = "tovix-cli";
  static char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  return Dispatch(*context);
}

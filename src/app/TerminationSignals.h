#pragma once
// When the desktop session ends, or someone asks the process to stop
// (SIGTERM, SIGINT, SIGHUP), Tapfill closes its main window in order, as a
// system shutdown closes it, so that the running flag is cleared and the
// tray icon removed.

#include <functional>

class QObject;

namespace tapfill {

/// Calls `onTermination` on the event loop when one of the signals arrives.
/// Install once, after the QCoreApplication exists.
void handleTerminationSignals(QObject* context, std::function<void()> onTermination);

} // namespace tapfill

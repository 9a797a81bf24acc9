// Qt's own console messages around the start of the program. While the
// platform is being opened, a failure (no display to connect to) ends the
// process with one clear line on stderr and exit status 2, where Qt would
// otherwise print several lines and abort with a core dump. Afterwards, a few
// known harmless notices are dropped and everything else reaches stderr.
#pragma once

#include <QString>

namespace vantrel {

// Installs the message handler and holds Qt's warnings back until
// EndStartupMessages(). `programName` prefixes the failure line.
void BeginStartupMessages(const QString& programName);
// The platform is open: passes on the held warnings that are not noise.
void EndStartupMessages();
// The application is ending: puts back the handler that was there before
// BeginStartupMessages(), so that a later application in the same process
// starts from a clean chain.
void RestoreMessageHandler();

// The name given to Qt's Wayland platform as its client buffer integration:
// none, so that it draws into shared memory without loading the GPU stack.
inline constexpr char kNoBufferIntegration[] = "none";

// Whether a message is one of the notices that say nothing to a user of this
// program (a missing runtime directory, size hints an offscreen platform
// cannot pass on, the keyboard leaving a window already gone).
bool IsQtNoise(const QString& message);

}  // namespace vantrel

// The program's start and end: open the window system, create the window,
// run until it is closed.
#pragma once

namespace vantrel {

// Exit status: 0 when the window is closed, 2 when the program cannot start
// (no display, or the window cannot be created); the Exit button ends the
// process with 1 from inside the message loop.
int RunVantrel(int& argc, char** argv);

}  // namespace vantrel

#pragma once

#include <QString>

namespace brookhum {

class SingleInstance;

// Exit codes: 1 when another copy runs (nothing is said), 3 when the
// single-instance marker cannot be made (the user is told why).
inline constexpr int ExitAlreadyRunning = 1;
inline constexpr int ExitNoMarker = 3;

// The whole life of the program: one instance per user, the five windows
// with the main window hidden, the message loop. Returns the exit code: 0
// after a normal run, or one of the codes above.
int runBrookhum(int argc, char **argv);

// Why a start that did not get the marker ends: its exit code, and what to
// tell the user (empty: nothing).
struct StartRefusal {
    int exitCode;
    QString message;
};
StartRefusal startRefusal(const SingleInstance &marker);

} // namespace brookhum

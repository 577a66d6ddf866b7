#pragma once

namespace brookhum {

// The whole life of the program: one instance per user, the five windows
// with the main window hidden, the message loop. Returns the exit code: 1
// when another instance runs or the marker cannot be made, otherwise 0.
int runBrookhum(int argc, char **argv);

} // namespace brookhum

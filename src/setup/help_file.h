#pragma once

#include <QString>

namespace brookhum {

// The help that "Help" opens, for a program in `programDirectory`: a
// "Brookhum.chm" beside the program when someone put one there, else the
// page installed with the program, <prefix>/share/brookhum/help/index.html,
// where a build tree keeps it too. Throws std::runtime_error naming where
// the help belongs when there is neither.
QString helpFile(const QString &programDirectory);

} // namespace brookhum

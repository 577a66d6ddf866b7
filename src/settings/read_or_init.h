#pragma once

#include "engine/ports.h"

#include <QString>

#include <optional>

namespace brookhum {

class RegIniFile;

namespace settings {

// The text that marks an absent text value; it is never written.
QString absentText();
// The integer that marks an absent position, and the position written for it.
inline constexpr int AbsentPosition = -1;
inline constexpr int InitialPosition = 50;

// Reads a text value in the common section. An absent value (also a stored
// "non") is written with the value's initial text at once.
StoredText readTextOrInit(RegIniFile &store, const QString &name);

// Reads a position in the common section. An absent value (also a stored -1
// or anything that is not an integer) is written as 50 and gives nullopt:
// the window then stays where its design puts it.
std::optional<int> readPositionOrInit(RegIniFile &store, const QString &name);

} // namespace settings
} // namespace brookhum

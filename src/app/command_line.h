#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

namespace brookhum {

// What the program is asked to do on its command line.
struct CommandLine {
    enum class Kind { Start, Command, Help, Version, Unknown, BadValue };
    Kind kind = Kind::Start;
    QString command;        // for Command: "play", "pause", "play-pause", "stop", "next", "show-bar", "setup", "quit" or "volume"
    QVariantList arguments; // for Command: what goes with it (the volume, 0 to 100)
    QString option;         // for Unknown: what was not understood; for BadValue: what is wrong
};

CommandLine parseCommandLine(const QStringList &arguments);

QString usageText();

// Hands a command to the copy of the program that runs, through its service
// on the session bus, waiting a few seconds for a copy that is just
// starting. False, with a message on standard error, when none answers.
bool sendToRunningCopy(const CommandLine &line);

} // namespace brookhum

#include "app/command_line.h"

#include "mpris/mpris_service.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <optional>

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

struct Route {
    const char16_t *command;
    const char16_t *interface;
    const char16_t *method;
};

// Where each command goes: the MPRIS interfaces where they have it, the
// program's own for the rest.
constexpr Route Routes[] = {
    {u"play", u"org.mpris.MediaPlayer2.Player", u"Play"},
    {u"pause", u"org.mpris.MediaPlayer2.Player", u"Pause"},
    {u"play-pause", u"org.mpris.MediaPlayer2.Player", u"PlayPause"},
    {u"stop", u"org.mpris.MediaPlayer2.Player", u"Stop"},
    {u"next", u"org.mpris.MediaPlayer2.Player", u"Next"},
    {u"show-bar", u"com.tarnwick.Brookhum", u"ShowSelectBar"},
    {u"setup", u"com.tarnwick.Brookhum", u"ShowSetUp"},
    {u"quit", u"org.mpris.MediaPlayer2", u"Quit"},
    {u"volume", u"com.tarnwick.Brookhum", u"SetVolume"},
};

const Route *routeOf(const QString &command)
{
    for (const Route &route : Routes) {
        if (command == QStringView(route.command))
            return &route;
    }
    return nullptr;
}

// The volume given with --volume: a whole number from 0 to 100.
CommandLine volumeCommand(const std::optional<QString> &value)
{
    if (!value)
        return {CommandLine::Kind::BadValue, {}, {}, u"--volume needs a volume, a whole number from 0 to 100"_s};
    const bool digits = !value->isEmpty()
                        && std::all_of(value->begin(), value->end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    bool ok = false;
    const int percent = digits ? value->toInt(&ok) : -1;
    if (!ok || percent > 100) {
        return {CommandLine::Kind::BadValue, {}, {},
                u"--volume takes a whole number from 0 to 100, not \"%1\""_s.arg(*value)};
    }
    return {CommandLine::Kind::Command, u"volume"_s, {percent}, {}};
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine line;
    const QStringList given = arguments.mid(1);
    for (qsizetype i = 0; i < given.size(); ++i) {
        const QString &argument = given[i];
        if (line.kind != CommandLine::Kind::Start) {
            line = {CommandLine::Kind::Unknown, {}, {}, argument};
            break;
        }
        if (argument == u"--help"_s || argument == u"-h"_s)
            line.kind = CommandLine::Kind::Help;
        else if (argument == u"--version"_s)
            line.kind = CommandLine::Kind::Version;
        else if (argument == u"--volume"_s)
            line = volumeCommand(i + 1 < given.size() ? std::optional(given[++i]) : std::nullopt);
        else if (argument.startsWith(u"--volume="_s))
            line = volumeCommand(argument.mid(9));
        else if (argument.startsWith(u"--"_s) && routeOf(argument.mid(2)))
            line = {CommandLine::Kind::Command, argument.mid(2), {}, {}};
        else
            line = {CommandLine::Kind::Unknown, {}, {}, argument};
        if (line.kind == CommandLine::Kind::BadValue)
            break;
    }
    return line;
}

QString usageText()
{
    return u"Usage: brookhum [--play | --pause | --play-pause | --stop | --next | --show-bar | --setup | --quit\n"
           "                 | --volume N]\n"
           "Background music from the system tray. Without an option it starts in the tray;\n"
           "with one it hands that command to the Brookhum that runs (--play starts one).\n"
           "  --volume N  set the player's own volume, a whole number from 0 to 100\n"
           "  --help      show this text\n"
           "  --version   show the version\n"
           "More in \"man brookhum\" and in the help page that \"Help\" in the set-up dialog opens.\n"_s;
}

bool sendToRunningCopy(const CommandLine &line)
{
    const Route *route = routeOf(line.command);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!route || !bus.isConnected()) {
        std::fputs("brookhum: Brookhum runs, but without a session bus it cannot be given commands.\n", stderr);
        return false;
    }
    const QString service =
        QStringView(route->interface).startsWith(u"org.mpris"_s) ? MprisService::serviceName() : u"com.tarnwick.Brookhum"_s;
    const QString path = service == MprisService::serviceName() ? u"/org/mpris/MediaPlayer2"_s : u"/com/tarnwick/Brookhum"_s;
    // A copy that has just started takes a moment to claim its name.
    QDeadlineTimer deadline(5000);
    while (!bus.interface()->isServiceRegistered(service) && !deadline.hasExpired())
        QThread::msleep(100);
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, QString::fromUtf16(route->interface),
                                                       QString::fromUtf16(route->method));
    call.setArguments(line.arguments);
    const QDBusMessage reply = bus.call(call);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        std::fprintf(stderr, "brookhum: the running Brookhum did not take the command: %s\n",
                     reply.errorMessage().toUtf8().constData());
        return false;
    }
    return true;
}

} // namespace brookhum

#include "app/startup.h"

#include "app/bar_windows.h"
#include "app/brookhum_application.h"
#include "app/form_refs.h"
#include "app/levelling_switch.h"
#include "app/main_window.h"
#include "app/command_line.h"
#include "app/single_instance.h"
#include "app/termination_signal.h"
#include "engine/menu_actions.h"
#include "gst/gst_media_player.h"
#include "mpris/media_controls.h"
#include "mpris/mpris_service.h"
#include "mpris/track_notifier.h"
#include "resources/design_font.h"
#include "settings/reg_ini_file.h"
#include "settings/setting_names.h"
#include "setup/pending_slot_paths.h"
#include "setup/set_up_hint_handler.h"
#include "setup/version_dialog.h"

#include <QAction>
#include <QDBusConnection>
#include <QMessageBox>
#include <QThread>

#include <cstdio>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <ctime>
#include <memory>
#include <version.h>

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

QStringList argumentsOf(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// A command for the copy that runs, or for none: only --play starts one.
int handOver(int argc, char **argv, const CommandLine &line, SingleInstance::Result marker)
{
    if (marker != SingleInstance::Result::AlreadyRunning) {
        std::fputs("brookhum: Brookhum is not running.\n", stderr);
        return 1;
    }
    const QCoreApplication client(argc, argv);
    return sendToRunningCopy(line) ? 0 : 1;
}

// A tray player draws a few small widgets and otherwise waits for hours.
// Qt's X11 platform would load the OpenGL driver (with Mesa, its LLVM) for
// widgets that never use it; and glibc gives each of GStreamer's streaming
// threads a malloc arena of its own, each one holding freed memory, which
// adds megabytes for every file played.
void keepTheFootprintSmall()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
#ifdef __GLIBC__
    mallopt(M_ARENA_MAX, 2);
#endif
}

// Without a marker any local user could keep another from ever starting the
// program, so the refusal is said, on standard error and, where a desktop
// shows it, in a message box.
int refuseToStart(int &argc, char **argv, const StartRefusal &refusal)
{
    std::fprintf(stderr, "brookhum: %s\n", refusal.message.toLocal8Bit().constData());
    if (qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY")) {
        const QApplication app(argc, argv);
        if (QGuiApplication::platformName() != u"offscreen"_s && QGuiApplication::platformName() != u"minimal"_s)
            QMessageBox::critical(nullptr, u"Brookhum"_s, refusal.message);
    }
    return refusal.exitCode;
}

} // namespace

StartRefusal startRefusal(const SingleInstance &marker)
{
    if (marker.result() == SingleInstance::Result::AlreadyRunning)
        return {ExitAlreadyRunning, {}};
    return {ExitNoMarker, u"Brookhum cannot start: it cannot make \"%1\", the marker that keeps it from running twice: %2"_s.arg(
                              marker.markerPath(), marker.problem())};
}

int runBrookhum(int argc, char **argv)
{
    const CommandLine line = parseCommandLine(argumentsOf(argc, argv));
    switch (line.kind) {
    case CommandLine::Kind::Help:
        std::fputs(usageText().toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::Kind::Version:
        std::printf("Brookhum %s\n", BROOKHUM_VERSION);
        return 0;
    case CommandLine::Kind::Unknown:
        std::fprintf(stderr, "brookhum: unknown option %s\n%s", line.option.toLocal8Bit().constData(),
                     usageText().toLocal8Bit().constData());
        return 2;
    case CommandLine::Kind::BadValue:
        std::fprintf(stderr, "brookhum: %s\n%s", line.option.toLocal8Bit().constData(),
                     usageText().toLocal8Bit().constData());
        return 2;
    case CommandLine::Kind::Start:
    case CommandLine::Kind::Command:
        break;
    }

    SingleInstance marker(u"TarnwickBrookhum"_s);
    if (marker.result() == SingleInstance::Result::Failed)
        return refuseToStart(argc, argv, startRefusal(marker));
    const bool starting = marker.result() == SingleInstance::Result::Acquired;
    if (line.kind == CommandLine::Kind::Command && !(starting && line.command == u"play"_s))
        return handOver(argc, argv, line, marker.result());
    if (!starting)
        return ExitAlreadyRunning;

    keepTheFootprintSmall();
    BrookhumApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(u"com.tarnwick.Brookhum"_s);
    // The main window is never shown, so closing a dialog or a bar must not
    // end the program: only "閉じる(&E)" does.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(designFont());

    FormRefs forms;
    PendingSlotPaths pending;
    SetUpHintHandler hints;
    RegIniFile store(RegIniFile::defaultLocation(), [&app](const QString &message) { app.showNotice(message); });
    std::unique_ptr<TForm1> mainWindow;
    try {
        // BROOKHUM_AUDIO_SINK replaces the desktop's output, for headless
        // machines and tests, e.g. "fakesink sync=true".
        const GstPlayerConfig playerConfig{qgetenv("BROOKHUM_AUDIO_SINK"),
                                           store.ReadString(settings::section(), settings::SoundFont(), QString())};
        auto player = std::make_unique<GstMediaPlayer>(playerConfig);
        LevellingSwitch levelling(*player, playerConfig.soundFont,
                                  store.ReadString(settings::section(), settings::LevelFlag(), QString()) == u"1"_s);
        mainWindow = std::make_unique<TForm1>(TForm1::Parts{
            forms,
            pending,
            store,
            app,
            hints,
            std::move(player),
            [playerConfig] { return std::make_unique<GstMediaPlayer>(playerConfig); },
            [](int seconds) { QThread::sleep(static_cast<unsigned long>(seconds)); },
            [] { return std::time(nullptr); },
        });
        mainWindow->createSetUpDialog();
        forms.Form3 = new TForm3(mainWindow.get());
        mainWindow->bars().createBar(Bar::Select);
        mainWindow->bars().createBar(Bar::Indication);
        levelling.follow(mainWindow->engine());
        MediaControls controls(mainWindow->engine(), mainWindow->player());
        MprisService service(controls);
        service.start();
        const TrackNotifier notifier(mainWindow->engine(), mainWindow->player(), QDBusConnection::sessionBus());
        // The end of the session ends the program as "閉じる(&E)" does, and
        // where play stands is kept either way.
        const TerminationSignal termination;
        QObject::connect(&termination, &TerminationSignal::received, mainWindow.get(), [&] { mainWindow->NCloseClick(); });
        QObject::connect(mainWindow.get(), &TForm1::closeRequested, mainWindow.get(),
                         [&] { mainWindow->engine().storeResumePoint(); });
        if (line.command == u"play"_s)
            mainWindow->actions().NPlay->trigger();
        QApplication::exec();
    } catch (...) {
        app.showFatalError(exceptionMessage(std::current_exception()));
    }
    return 0;
}

} // namespace brookhum

#include "app/startup.h"

#include "app/bar_windows.h"
#include "app/brookhum_application.h"
#include "app/form_refs.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "gst/gst_media_player.h"
#include "resources/design_font.h"
#include "settings/reg_ini_file.h"
#include "setup/pending_slot_paths.h"
#include "setup/set_up_hint_handler.h"
#include "setup/version_dialog.h"

#include <QThread>

#include <ctime>
#include <memory>

using namespace Qt::StringLiterals;

namespace brookhum {

int runBrookhum(int argc, char **argv)
{
    SingleInstance marker(u"TarnwickBrookhum"_s);
    if (marker.result() != SingleInstance::Result::Acquired)
        return 1;

    BrookhumApplication app(argc, argv);
    // The main window is never shown, so closing a dialog or a bar must not
    // end the program: only "閉じる(&E)" does.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(designFont());

    FormRefs forms;
    PendingSlotPaths pending;
    SetUpHintHandler hints;
    RegIniFile store(RegIniFile::defaultLocation(), [&app](const QString &message) { app.showNotice(message); });
    // BROOKHUM_AUDIO_SINK replaces the desktop's output, for headless
    // machines and tests, e.g. "fakesink sync=true".
    const GstPlayerConfig playerConfig{qgetenv("BROOKHUM_AUDIO_SINK")};
    std::unique_ptr<TForm1> mainWindow;
    try {
        mainWindow = std::make_unique<TForm1>(TForm1::Parts{
            forms,
            pending,
            store,
            app,
            hints,
            std::make_unique<GstMediaPlayer>(playerConfig),
            [playerConfig] { return std::make_unique<GstMediaPlayer>(playerConfig); },
            [](int seconds) { QThread::sleep(static_cast<unsigned long>(seconds)); },
            [] { return std::time(nullptr); },
        });
        mainWindow->createSetUpDialog();
        forms.Form3 = new TForm3(mainWindow.get());
        mainWindow->bars().createBar(Bar::Select);
        mainWindow->bars().createBar(Bar::Indication);
        QApplication::exec();
    } catch (...) {
        app.showException(exceptionMessage(std::current_exception()));
    }
    return 0;
}

} // namespace brookhum

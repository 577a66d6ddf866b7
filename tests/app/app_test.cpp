// The hidden main window's own commands and the single-instance marker.

#include "app/form_refs.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "bars/indication_bar.h"
#include "bars/select_play_bar.h"
#include "engine/menu_actions.h"
#include "settings/setting_names.h"
#include "setup/pending_slot_paths.h"
#include "setup/set_up_dialog.h"
#include "setup/set_up_layout.h"
#include "setup/version_dialog.h"
#include "support/main_window_parts.h"
#include "support/media_fixtures.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::test;

TEST_F(StoreTest, MainWindowCommandsOpenOneWindowAtATimeAndReload)
{
    FormRefs forms;
    PendingSlotPaths pending;
    TForm1 form1(mainWindowParts(forms, pending));
    MenuActions &a = form1.actions();
    a.NStop->trigger();
    EXPECT_EQ(form1.engine().state().PlayFlag, u"0"_s) << "a disabled entry does nothing";

    // A closed dialog, and the one made hidden at start, used to live on:
    // every opening added a megabyte or more.
    form1.createSetUpDialog();
    QPointer<TForm2> replaced = forms.Form2;
    for (int round = 0; round < 2; ++round) {
        a.NSetUp->trigger();
        QPointer<TForm2> opened = forms.Form2;
        ASSERT_TRUE(opened && opened->isVisible());
        a.NSetUp->trigger();
        EXPECT_EQ(forms.Form2, opened) << "a showing dialog is not replaced";
        opened->controls().Ver->trigger();
        QPointer<TForm3> version = forms.Form3;
        if (round == 0)
            version->Button1->click();
        opened->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(replaced || opened) << "a set-up dialog that is gone for good is not freed";
        EXPECT_EQ(version.isNull(), round == 0) << "a closed version window lives on, or an open one went with its set-up dialog";
        if (version)
            version->close();
    }

    a.Form4Show->trigger();
    QPointer<TForm4> first = forms.Form4;
    ASSERT_TRUE(first && first->isVisible());
    a.Form4Show->trigger();
    EXPECT_EQ(forms.Form4, first) << "a showing bar is not replaced";
    first->hide();
    a.Form4Show->trigger();
    EXPECT_NE(forms.Form4, first) << "a hidden one is";

    EXPECT_FALSE(a.NIndication->isVisible());
    form1.NIndicationClick();
    EXPECT_TRUE(forms.Form5 && forms.Form5->isVisible());

    QTemporaryDir media;
    const QString dir = makeDirectoryWithFiles(media, u"d"_s, {u"a.mp3"_s});
    storeSlot(SlotKind::Directory, 4, dir);
    a.NRenew->trigger();
    EXPECT_TRUE(a.DirNoSelectMenu[4]->isVisible());
    writeFile(dir + u"/b.mp3"_s, {});
    Q_EMIT a.NSelectPlay->menu()->aboutToShow();
    EXPECT_EQ(form1.engine().state().DirFileCount[4], 2) << "opening the select-play menu reads the slots again";

    // Every command is in the tray menu, where the user finds it.
    QList<QAction *> reachable;
    for (QList<QMenu *> menus{&form1.popupMenu()}; !menus.isEmpty();) {
        for (QAction *entry : menus.takeFirst()->actions()) {
            reachable << entry;
            if (entry->menu())
                menus << entry->menu();
        }
    }
    QList<QAction *> commands{a.NPlay, a.NStop, a.NNext, a.NOneTimeStop, a.NRepetition, a.NDirRepetition, a.NRandDirAll,
                              a.NSelectPlay, a.NSetUp, a.Form4Show, a.NIndication, a.NRenew, a.NClose};
    for (int k = 1; k <= SlotCount; ++k)
        commands << a.DirNoSelectMenu[k] << a.FileNoSelectMenu[k];
    for (QAction *command : commands)
        EXPECT_TRUE(reachable.contains(command)) << command->objectName().toStdString();

    QSignalSpy closing(&form1, &TForm1::closeRequested);
    a.NClose->trigger();
    EXPECT_EQ(closing.count(), 1);
}

TEST(SingleInstance, OneOwnerAtATimeHoweverTheOwnerEnds)
{
    const QString name = u"TarnwickBrookhumTest"_s;
    auto first = std::make_unique<SingleInstance>(name);
    ASSERT_EQ(first->result(), SingleInstance::Result::Acquired);
    EXPECT_EQ(SingleInstance(name).result(), SingleInstance::Result::AlreadyRunning);
    first.reset();

    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const SingleInstance held(name);
        const char state = held.result() == SingleInstance::Result::Acquired ? 'A' : 'X';
        if (::write(ready[1], &state, 1) == 1)
            ::pause();
        ::_exit(1);
    }
    char state = 0;
    ASSERT_EQ(::read(ready[0], &state, 1), 1);
    ASSERT_EQ(state, 'A');
    EXPECT_EQ(SingleInstance(name).result(), SingleInstance::Result::AlreadyRunning);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(SingleInstance(name).result(), SingleInstance::Result::Acquired) << "a killed owner lets go";
}

// Without $XDG_RUNTIME_DIR a private file in the temp directory serves. A
// marker that cannot be made used to end the start silently with the code
// that means "already running": any local user could keep another from ever
// starting the program. Now the start says why, with a code of its own.
TEST(SingleInstance, AMarkerThatCannotBeMadeIsToldApartFromAnotherCopy)
{
    QTemporaryDir temp;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", temp.path().toLocal8Bit());
    {
        const SingleInstance marker(u"Private"_s);
        ASSERT_EQ(marker.result(), SingleInstance::Result::Acquired);
        EXPECT_EQ(marker.markerPath(), temp.path() + u"/Private-%1.lock"_s.arg(::getuid()));
        EXPECT_EQ(QFileInfo(marker.markerPath()).permissions() & 0x0077, 0) << "nobody else may touch it";
        EXPECT_EQ(startRefusal(SingleInstance(u"Private"_s)).exitCode, ExitAlreadyRunning);
        EXPECT_EQ(startRefusal(SingleInstance(u"Private"_s)).message, QString()) << "another copy is not worth a word";
    }
    const QString shared = temp.path() + u"/Blocked-%1.lock"_s.arg(::getuid());
    const QString own = temp.filePath(u"runtime/Blocked.lock"_s);
    const struct {
        const char *name;
        QByteArray runtimeDirectory; // empty: unset
        std::function<bool()> block;
        const char *said;
    } rows[] = {
        {"DirectoryInItsPlace", temp.filePath(u"runtime"_s).toLocal8Bit(), [&] { return QDir().mkpath(own); }, "a directory"},
        {"NamedPipeInItsPlace", temp.filePath(u"runtime"_s).toLocal8Bit(),
         [&] { return QDir().mkpath(temp.filePath(u"runtime"_s)) && ::mkfifo(QFile::encodeName(own).constData(), 0600) == 0; },
         "a named pipe"},
        {"LinkPlantedInTheSharedTemp", {}, [&] { return QFile::link(temp.filePath(u"victim"_s), shared); }, "a symbolic link"},
        {"MarkerOfAnotherUserInTheSharedTemp", {},
         [&] {
             // Only root can give a file away; elsewhere the row has nothing to show.
             return QFile(shared).open(QIODevice::WriteOnly) && ::chown(QFile::encodeName(shared).constData(), 65534, 65534) == 0;
         },
         "another user"},
        {"RuntimeDirectoryWhereNoFileCanBeMade", "/proc/self", [] { return true; }, "cannot make"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QDir(temp.filePath(u"runtime"_s)).removeRecursively();
        QFile::remove(shared);
        if (!row.block()) {
            EXPECT_NE(::getuid(), 0u);
            continue;
        }
        row.runtimeDirectory.isEmpty() ? qunsetenv("XDG_RUNTIME_DIR") : qputenv("XDG_RUNTIME_DIR", row.runtimeDirectory);
        const SingleInstance marker(u"Blocked"_s);
        EXPECT_EQ(marker.result(), SingleInstance::Result::Failed);
        const StartRefusal refusal = startRefusal(marker);
        EXPECT_TRUE(refusal.exitCode != ExitAlreadyRunning && refusal.exitCode != 0);
        EXPECT_TRUE(refusal.message.contains(marker.markerPath()) && refusal.message.contains(QLatin1String(row.said)))
            << refusal.message.toStdString();
    }
    qputenv("XDG_RUNTIME_DIR", runtime);
}

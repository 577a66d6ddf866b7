// The desktop's media controls over the engine on a fake player: what a burst
// of commands from the desktop does to play, and the notes of track changes
// on a bus of the test's own.

#include "engine/menu_actions.h"
#include "mpris/media_controls.h"
#include "mpris/track_notifier.h"
#include "settings/setting_names.h"
#include "support/engine_rig.h"
#include "support/event_wait.h"
#include "support/media_fixtures.h"

#include <QAction>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::test;

namespace {

TEST_F(StoreTest, ABurstOfCommandsMovesPlayOnceToWhereItAsks)
{
    const struct { const char *name; std::function<void(MediaControls &)> burst; const char *status; int toggles, opens; } rows[] = {
        {"AThousandTogglesStackedAsAThousandPauses", [](MediaControls &c) { for (int i = 0; i < 1000; ++i) c.playPause(); },
         "Playing", 0, 1},
        {"AnOddBurstEndsOnTheWrongSide", [](MediaControls &c) { for (int i = 0; i < 1001; ++i) c.playPause(); },
         "Paused", 1, 1},
        {"PauseThenPlayLeftPaused", [](MediaControls &c) { c.pause(), c.pause(), c.play(); }, "Playing", 0, 1},
        {"ABurstOfNextSkippingManyFiles", [](MediaControls &c) { for (int i = 0; i < 50; ++i) c.next(); },
         "Playing", 0, 2},
    };
    const QTemporaryDir media;
    const QString dir = makeDirectoryWithFiles(media, u"music"_s, numberedNames(u"n"_s, 5));
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        clearSettingsStore();
        storeSlot(SlotKind::Directory, 1, dir);
        storeTexts({{settings::PlayFlag(), u"1"_s}});
        EngineRig rig;
        rig.windows.createHiddenBars();
        rig.formCreate();
        MediaControls controls(rig.engine, rig.player);
        int toggles = 0;
        QObject::connect(rig.actions.NOneTimeStop, &QAction::triggered, [&] { ++toggles; });

        row.burst(controls);
        QCoreApplication::sendPostedEvents();
        rig.player.deliverNotifications();
        EXPECT_EQ(controls.playbackStatus(), QString::fromUtf8(row.status));
        EXPECT_EQ(toggles, row.toggles) << "pauses and resumes made";
        EXPECT_EQ(rig.player.playedFiles.size(), row.opens);
    }
}

// The desktop's notification service: answers each Notify with the id of
// what it shows, the one replaced or a new one.
struct FakeNotifications : QDBusVirtualObject {
    struct Note {
        QVariantList call;
        uint id;
    };
    QList<Note> notes;

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        const uint replaced = message.arguments().value(1).toUInt();
        notes.append({message.arguments(), replaced ? replaced : uint(notes.size() + 1)});
        return connection.send(message.createReply(notes.last().id));
    }
    QString introspect(const QString &) const override { return {}; }
};

TEST_F(StoreTest, EachFileThePlayerMovesOnToIsNotedOnceReplacingTheNoteBeforeAndNoneAtTheUsersWord)
{
    // A bus of the test's own, ended by process id.
    QProcess bus;
    bus.start(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address"_s});
    const auto end = qScopeGuard([&] { bus.kill(), bus.waitForFinished(); });
    ASSERT_TRUE(bus.waitForReadyRead(5000)) << "no dbus-daemon";
    const QString address = QString::fromUtf8(bus.readLine().trimmed());
    QDBusConnection desktop = QDBusConnection::connectToBus(address, u"desktop"_s);
    FakeNotifications service;
    ASSERT_TRUE(desktop.registerVirtualObject(u"/org/freedesktop/Notifications"_s, &service)
                && desktop.registerService(u"org.freedesktop.Notifications"_s));
    const QTemporaryDir media;
    storeSlot(SlotKind::Directory, 1, makeDirectoryWithFiles(media, u"short"_s, numberedNames(u"s"_s, 20)));
    storeTexts({{settings::PlayFlag(), u"1"_s}, {settings::NotifyFlag(), u"1"_s}});
    EngineRig rig;
    rig.windows.createHiddenBars();
    const TrackNotifier notifier(rig.engine, rig.player, QDBusConnection::connectToBus(address, u"player"_s));
    rig.formCreate();
    const auto endTrack = [&] { rig.player.endTrack(); };
    const auto stop = [&] { rig.actions.NStop->trigger(), rig.player.deliverNotifications(); };
    // Each step is followed by the player moving on by itself, whose note
    // must be the next one the service gets: messages keep their order.
    const struct { const char *name; std::function<void()> step; int notes; } rows[] = {
        {"PlayAtStartUpIsNoted", [] {}, 0},
        {"AStormOfTrackChangesLosesNotesOrPilesThemUp", [&] { for (int i = 0; i < 8; ++i) endTrack(); }, 8},
        {"TheUsersNextIsNoted", [&] { rig.actions.NNext->trigger(), rig.player.deliverNotifications(); }, 0},
        {"ARepetitionGoesUnnoted", [&] { rig.actions.NRepetition->trigger(), endTrack(), rig.actions.NRepetition->trigger(); }, 1},
        {"SelectPlayIsNoted", [&] { stop(), rig.actions.DirNoSelectMenu[1]->trigger(); }, 0},
        {"PlayAfterStopIsNoted", [&] { stop(), rig.actions.NPlay->trigger(); }, 0},
        {"TheOptionSwitchedOffStillNotes", [&] {
             for (const QString &flag : {u"0"_s, u"1"_s})
                 storeTexts({{settings::NotifyFlag(), flag}}), rig.engine.LoadSettings(), flag == u"0"_s ? endTrack() : void();
         }, 0},
    };
    int expected = 0;
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        row.step();
        endTrack();
        expected += row.notes + 1;
        ASSERT_TRUE(waitUntil([&] { return service.notes.size() >= expected; }));
        ASSERT_EQ(service.notes.size(), expected);
        EXPECT_EQ(service.notes.last().call.value(3).toString(), rig.player.FileName().section(u'/', -1));
    }
    for (qsizetype i = 0; i < service.notes.size(); ++i)
        EXPECT_EQ(service.notes[i].call.value(1).toUInt(), i == 0 ? 0 : service.notes[i - 1].id) << "note " << i << " stays beside the one before";
    const QVariantList first = service.notes.first().call;
    EXPECT_EQ(QVariantList(first.begin(), first.begin() + 3), QVariantList({u"Brookhum"_s, 0u, u"com.tarnwick.Brookhum"_s}));
    EXPECT_EQ(qdbus_cast<QVariantMap>(first.value(6)).value(u"transient"_s), QVariant(true));
    EXPECT_GT(first.value(7).toInt(), 0) << "a note that stays";
}

} // namespace

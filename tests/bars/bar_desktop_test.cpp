// The bars on an X desktop with a reparenting window manager, which adds a
// frame around each window and tells its size only after the window is
// shown: where the bars come back after the user moved and closed them, and
// that they stay off the taskbar and leave the focus where it is.
//
// Runs on the xcb platform inside a private desktop (tests/e2e/bars_desktop.sh).

#include "bar_rig.h"
#include "foreign_window.h"
#include "x11_probe.h"

#include "bars/indication_bar.h"
#include "bars/select_play_bar.h"
#include "engine/menu_actions.h"
#include "settings/reg_ini_file.h"
#include "settings/setting_names.h"
#include "support/engine_rig.h"
#include "support/test_application.h"

#include <QAction>
#include <QGuiApplication>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::test;

namespace {

constexpr int Deadline = 10000; // milliseconds for the window manager to act

QPoint storedPosition(const BarKind &kind)
{
    RegIniFile &store = testStore();
    return {store.ReadInteger(settings::section(), kind.xName, -1),
            store.ReadInteger(settings::section(), kind.yName, -1)};
}

class BarDesktopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::platformName(), u"xcb"_s) << "run through tests/e2e/bars_desktop.sh";
        clearSettingsStore();
        probe = std::make_unique<X11Probe>();
    }
    void TearDown() override { clearSettingsStore(); }

    QWidget *current(BarRig &rig, Bar bar)
    {
        if (bar == Bar::Select)
            return rig.forms.Form4.data();
        return rig.forms.Form5.data();
    }

    // Opens a fresh bar from its tray command and waits until the window
    // manager has framed it.
    QWidget *showFresh(BarRig &rig, Bar bar)
    {
        if (bar == Bar::Select)
            rig.form1().Form4ShowClick();
        else
            rig.form1().NIndicationClick();
        QWidget *window = current(rig, bar);
        EXPECT_TRUE(QTest::qWaitFor([&] { return probe->isManaged(*window); }, Deadline)) << "never framed";
        return window;
    }

    // Waits until the frame is at the point on the screen and Qt knows it;
    // false when it settles anywhere else.
    bool settlesAt(const QWidget &window, QPoint framePosition)
    {
        return QTest::qWaitFor(
            [&] { return probe->outerGeometry(window).topLeft() == framePosition && window.pos() == framePosition; },
            Deadline);
    }

    std::unique_ptr<X11Probe> probe;
};

} // namespace

TEST_F(BarDesktopTest, BarsComeBackExactlyWhereTheUserLeftThemRoundAfterRound)
{
    for (const BarKind &kind : barKinds) {
        SCOPED_TRACE(kind.name);
        clearSettingsStore();
        BarRig rig;

        QWidget *bar = showFresh(rig, kind.bar);
        EXPECT_TRUE(settlesAt(*bar, kind.designPlace)) << "first showing at " << probe->outerGeometry(*bar).x() << ","
                                                        << probe->outerGeometry(*bar).y();
        EXPECT_EQ(storedPosition(kind), QPoint(50, 50));
        const QSize frameSize = probe->outerGeometry(*bar).size();
        EXPECT_GT(frameSize.height(), bar->height()) << "no title bar: the window manager does not frame the bars";

        // Moved by the user, or left where it opened, then closed with the
        // close box: the next showing is a fresh bar exactly there.
        const QList<QPoint> userPlaces = {{300, 200}, {37, 411}, {640, 90}, {640, 90}, {0, 0}, {851, 613}};
        for (const QPoint place : userPlaces) {
            SCOPED_TRACE(::testing::Message() << "user place " << place.x() << "," << place.y());
            if (bar->pos() != place) {
                probe->moveFrameTo(*bar, place);
                ASSERT_TRUE(settlesAt(*bar, place)) << "the window manager did not move the bar";
            }
            probe->closeThroughWindowManager(*bar);
            ASSERT_TRUE(QTest::qWaitFor([&] { return !bar->isVisible(); }, Deadline)) << "the close box did not close";
            EXPECT_EQ(storedPosition(kind), place);

            QPointer<QWidget> closed = bar;
            bar = showFresh(rig, kind.bar);
            ASSERT_NE(bar, closed.data());
            const bool there = settlesAt(*bar, place);
            EXPECT_TRUE(there) << "came back at " << probe->outerGeometry(*bar).x() << ","
                               << probe->outerGeometry(*bar).y() << ", Qt says " << bar->pos().x() << ","
                               << bar->pos().y();
            if (!there)
                break;
            EXPECT_EQ(probe->outerGeometry(*bar).size(), frameSize);
        }
    }
}

TEST_F(BarDesktopTest, IndicationBarStoresThePlaceOfAClickOnItsBackground)
{
    BarRig rig;
    auto *bar = static_cast<TForm5 *>(showFresh(rig, Bar::Indication));
    const BarKind &kind = barKinds[1];

    probe->moveFrameTo(*bar, {420, 240});
    ASSERT_TRUE(settlesAt(*bar, {420, 240}));
    const QPoint background(280, 6);
    ASSERT_EQ(bar->childAt(background), nullptr);
    QTest::mouseClick(bar, Qt::LeftButton, {}, background);
    EXPECT_EQ(storedPosition(kind), QPoint(420, 240));

    // Moved again without closing: the click's place stays stored until the
    // bar is closed.
    probe->moveFrameTo(*bar, {100, 500});
    ASSERT_TRUE(settlesAt(*bar, {100, 500}));
    EXPECT_EQ(storedPosition(kind), QPoint(420, 240));
    probe->closeThroughWindowManager(*bar);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !bar->isVisible(); }, Deadline));
    EXPECT_EQ(storedPosition(kind), QPoint(100, 500));

    QWidget *fresh = showFresh(rig, Bar::Indication);
    EXPECT_TRUE(settlesAt(*fresh, {100, 500}));
}

TEST_F(BarDesktopTest, BarsOpeningAtATrackStartStayOffTheTaskbarAndLeaveTheFocusAlone)
{
    MediaLibrary media;
    media.addDirectorySlot(1, numberedNames(u"a"_s, 3));
    storeTexts({{settings::PlayBarBeginFlag(), u"1"_s}, {settings::IndicationBarBeginFlag(), u"1"_s}});
    BarRig rig;

    // The user works in another program.
    ForeignWindow work;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            work.activate();
            return probe->activeWindow() == work.window();
        },
        Deadline));

    for (int trackStart = 0; trackStart < 2; ++trackStart) {
        SCOPED_TRACE(trackStart == 0 ? "play starts" : "next track, after the bars were closed");
        if (trackStart == 0) {
            rig.actions().NPlay->trigger();
        } else {
            probe->closeThroughWindowManager(rig.selectBar());
            probe->closeThroughWindowManager(rig.indicationBar());
            ASSERT_TRUE(QTest::qWaitFor(
                [&] { return !rig.selectBar().isVisible() && !rig.indicationBar().isVisible(); }, Deadline));
            rig.player().endTrack();
        }
        for (QWidget *bar : {static_cast<QWidget *>(&rig.selectBar()), static_cast<QWidget *>(&rig.indicationBar())}) {
            SCOPED_TRACE(bar->objectName().toStdString());
            ASSERT_TRUE(bar->isVisible());
            ASSERT_TRUE(QTest::qWaitFor([&] { return probe->isManaged(*bar); }, Deadline));
            const auto window = static_cast<xcb_window_t>(bar->winId());
            const QStringList types = probe->atomNames(window, "_NET_WM_WINDOW_TYPE");
            const QStringList states = probe->atomNames(window, "_NET_WM_STATE");
            // The first type is the one a window manager or taskbar honours;
            // the normal type may follow as a fallback for those that know
            // no other.
            EXPECT_TRUE((!types.isEmpty() && types.first() == u"_NET_WM_WINDOW_TYPE_UTILITY"_s)
                        || states.contains(u"_NET_WM_STATE_SKIP_TASKBAR"_s))
                << "types: " << types.join(u' ').toStdString() << "; states: " << states.join(u' ').toStdString();
        }
        EXPECT_EQ(probe->activeWindow(), work.window()) << "a bar took the focus";
        EXPECT_EQ(QGuiApplication::focusWindow(), nullptr);
    }
}

// The bars on an X desktop whose window manager frames each window and tells
// the frame's size only after the window shows. Runs on the xcb platform
// inside a private desktop (tests/e2e/bars_desktop.sh).

#include "bar_rig.h"

#include "support/event_wait.h"

#include <QGuiApplication>
#include <QProcess>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace brookhum::test {
namespace {

constexpr int WindowManagerMs = 10000;

// Whether the window manager has framed a bar, Qt knows the frame and the bar can be seen.
bool framed(const QWidget *bar)
{
    return bar && bar->frameGeometry() != bar->geometry() && bar->windowHandle()->isExposed();
}

TEST_F(BarsTest, BarsComeBackExactlyWhereTheUserLeftThemRoundAfterRound)
{
    ASSERT_EQ(QGuiApplication::platformName(), u"xcb"_s) << "run through tests/e2e/bars_desktop.sh";
    for (const Bar kind : {Bar::Select, Bar::Indication}) {
        SCOPED_TRACE(kind == Bar::Select ? "select-play bar" : "indication bar");
        clearSettingsStore();
        start();
        // The user leaves the bar where it opened in some rounds and moves it in others; each showing is a fresh bar.
        QWidget *bar = show(kind);
        for (const QPoint place : {QPoint(300, 200), QPoint(300, 200), QPoint(300, 200), QPoint(37, 411), QPoint(851, 613)}) {
            SCOPED_TRACE(::testing::Message() << "at " << place.x() << "," << place.y());
            ASSERT_TRUE(waitUntil([&] { return framed(bar); }, WindowManagerMs)) << "the window manager does not frame the bar";
            if (bar->pos() != place)
                bar->move(place);
            ASSERT_TRUE(waitUntil([&] { return bar->pos() == place; }, WindowManagerMs));
            bar->close();
            EXPECT_EQ(storedPlace(kind), place);
            bar = show(kind);
            ASSERT_TRUE(waitUntil([&] { return framed(bar) && bar->pos() == place; }, WindowManagerMs)) << "came back at " << bar->pos().x() << "," << bar->pos().y();
        }
    }
}

TEST_F(BarsTest, BarsShownAtATrackStartLeaveTheFocusWhereItIs)
{
    ASSERT_EQ(QGuiApplication::platformName(), u"xcb"_s) << "run through tests/e2e/bars_desktop.sh";
    storeSlot(1, numberedNames(u"a"_s, 3));
    storeTexts({{settings::PlayBarBeginFlag(), u"1"_s}, {settings::IndicationBarBeginFlag(), u"1"_s}});
    start();
    // The user works in another program, which has the focus.
    QProcess work, activate;
    work.start(u"xmessage"_s, {u"-name"_s, u"brookhum-work"_s, u"the user's work"_s});
    activate.start(u"xdotool"_s, {u"search"_s, u"--sync"_s, u"--onlyvisible"_s, u"--classname"_s, u"brookhum-work"_s,
                                  u"windowactivate"_s, u"--sync"_s});
    ASSERT_TRUE(activate.waitForFinished(WindowManagerMs) && activate.exitCode() == 0) << "the other program got no focus";
    for (int trackStart = 0; trackStart < 2; ++trackStart) {
        SCOPED_TRACE(trackStart == 0 ? "play starts" : "the next track starts after the bars were closed");
        if (trackStart == 0) {
            form1->actions().NPlay->trigger();
        } else {
            current(Bar::Select)->close();
            current(Bar::Indication)->close();
            player->endTrack();
        }
        ASSERT_TRUE(waitUntil([&] { return framed(current(Bar::Select)) && framed(current(Bar::Indication)); }, WindowManagerMs));
        // The window manager gives the focus as it maps a window; a round trip lets that arrive.
        QGuiApplication::sync();
        EXPECT_EQ(QGuiApplication::focusWindow(), nullptr) << "a bar took the focus";
    }
}

} // namespace
} // namespace brookhum::test

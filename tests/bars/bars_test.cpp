// The select-play bar and the indication bar driven as the user drives them,
// with the real engine and main window around a fake media player, and where
// they open and what they store about their place.

#include "bar_rig.h"

#include "bars/bit_button.h"
#include "bars/drop_down_combo_box.h"
#include "bars/toggle_pictures.h"
#include "engine/play_state.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;

namespace brookhum::test {
namespace {

// Opens a list as the user does, which runs its drop-down handler, then
// picks an entry with the keyboard, or closes the list without one.
void choose(QComboBox &combo, int index = -1)
{
    combo.showPopup();
    combo.view()->setCurrentIndex(combo.model()->index(index, 0));
    QTest::keyClick(combo.view(), index >= 0 ? Qt::Key_Return : Qt::Key_Escape);
}

QStringList items(const QComboBox &combo)
{
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i)
        texts << combo.itemText(i);
    return texts;
}

QString nameOf(const QString &path) { return QFileInfo(path).fileName(); }

TEST_F(BarsTest, ChoosingAFilePlaysItAfterTheWaitAndGoesOnInPlayOrder)
{
    storeSlot(2, {u"x.mp3"_s});
    const struct { const char *name; bool random; int slot, index; } rows[] = {
        {"a fresh bar offers slot 1 and plays its first file", false, 1, 0}, {"under random order the list keeps the listing order", true, 10, 6}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        storeTexts({{settings::RandPlayFlag(), row.random ? u"1"_s : u"0"_s}});
        const QStringList files = storeSlot(row.slot, numberedNames(u"曲 "_s, 12));
        start();
        auto &bar = *static_cast<TForm4 *>(show(Bar::Select));
        if (row.slot != 1)
            choose(*bar.DirSelectComboBox, 2);
        EXPECT_EQ(items(*bar.DirSelectComboBox).mid(0, 3), QStringList({u"1"_s, u"2"_s, row.slot == 1 ? u"3"_s : u"10"_s})) << "the loaded slots once opened";
        choose(*bar.SelectPlayComboBox, row.index);
        QStringList names;
        for (const QString &file : files)
            names << nameOf(file);
        EXPECT_EQ(items(*bar.SelectPlayComboBox), names);
        EXPECT_EQ(waits, QList<int>{2});
        EXPECT_EQ(player->playedFiles, QStringList{files[row.index]});
        EXPECT_EQ(bar.SelectPlayComboBox->currentIndex(), -1);
        const PlayState &s = form1->engine().state();
        EXPECT_EQ(QStringList(s.PlayList[row.slot].begin(), s.PlayList[row.slot].begin() + 12) != files, row.random);
        const int next = s.PlayPos;
        player->endTrack();
        EXPECT_EQ(player->playedFiles.last(), s.PlayList[row.slot][next]) << "play goes on in the play order";
    }
}

TEST_F(BarsTest, ButtonsActOnlyWhenTheyMayAndPicturesFollowEveryToggle)
{
    const QStringList a = storeSlot(1, numberedNames(u"a"_s, 3)), one = storeSlot(2, {u"単独.mp3"_s});
    storeSlot(3, {});
    start();
    MenuActions &m = form1->actions();
    auto *bar = static_cast<TForm4 *>(show(Bar::Select));
    const auto play = [&](const QString &slot) { bar->DirSelectComboBox->setCurrentText(slot), bar->PlayBitBtn->click(); };
    // The marks are file repetition, directory repetition and the pause; an empty caption is not looked at.
    const struct { const char *name; std::function<void()> act; qsizetype plays; QString last; QList<bool> marks; QString caption; } steps[] = {
        {"play says that an empty slot holds no pieces", [&] { play(u"3"_s); }, 0, {}, {0, 0, 0}, u"曲が入っていません"_s},
        {"play with no slot chosen changes nothing", [&] { choose(*bar->DirSelectComboBox), bar->PlayBitBtn->click(); }, 0, {}, {0, 0, 0}, u"曲が入っていません"_s},
        {"next does nothing while no file is open", [&] { bar->NextBitBtn->click(); }, 0, {}, {0, 0, 0}, {}},
        {"pause does nothing while no file is open", [&] { bar->OnTimeStopBitBtn->click(); }, 0, {}, {0, 0, 0}, {}},
        {"play starts a slot of one file", [&] { play(u"2"_s); }, 1, one[0], {0, 0, 0}, nameOf(one[0])},
        {"play says that another piece is playing", [&] { play(u"1"_s); }, 1, one[0], {0, 0, 0}, u"他の曲を再生中です"_s},
        {"stop ends it", [&] { bar->StopBitBtn->click(); }, 1, one[0], {0, 0, 0}, {}},
        {"play starts the chosen slot", [&] { play(u"1"_s); }, 2, a[0], {0, 0, 0}, nameOf(a[0])},
        {"next goes on to the next file", [&] { bar->NextBitBtn->click(); }, 3, a[1], {0, 0, 0}, {}},
        {"the bar pauses", [&] { bar->OnTimeStopBitBtn->click(); }, 3, a[1], {0, 0, 1}, {}},
        {"next does nothing while paused", [&] { bar->NextBitBtn->click(); }, 3, a[1], {0, 0, 1}, {}},
        {"the menu resumes", [&] { m.NOneTimeStop->trigger(); }, 4, a[1], {0, 0, 0}, {}},
        {"the menu switches repetition on", [&] { m.NRepetition->trigger(); }, 4, a[1], {1, 0, 0}, {}},
        {"next under repetition plays the file again", [&] { bar->NextBitBtn->click(); }, 5, a[1], {1, 0, 0}, {}},
        {"opening the file list stops play and repetition, and nothing restarts", [&] { choose(*bar->SelectPlayComboBox); }, 5, a[1], {0, 0, 0}, {}},
        {"play starts again", [&] { bar->PlayBitBtn->click(); }, 6, a[0], {0, 0, 0}, {}},
        {"the bar switches repetition on", [&] { bar->RepetitionBitBtn->click(); }, 6, a[0], {1, 0, 0}, {}},
        {"stop with repetition on switches it off first and nothing restarts", [&] { bar->StopBitBtn->click(); }, 6, a[0], {0, 0, 0}, {}},
        {"the bar switches directory repetition on", [&] { bar->DirRepetitionBitBtn->click(); }, 6, a[0], {0, 1, 0}, {}},
        {"the menu switches it off", [&] { m.NDirRepetition->trigger(); }, 6, a[0], {0, 0, 0}, {}},
        {"a fresh bar shows the marks set while it was closed",
         [&] { bar->close(), m.NRepetition->trigger(), m.NDirRepetition->trigger(), bar = static_cast<TForm4 *>(show(Bar::Select)); }, 6, a[0], {1, 1, 0}, {}},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.name);
        step.act();
        player->deliverNotifications();
        EXPECT_EQ(player->playedFiles.size(), step.plays);
        EXPECT_EQ(player->playedFiles.value(step.plays - 1), step.last);
        const QList<bool> marks{m.NRepetition->isChecked(), m.NDirRepetition->isChecked(), m.NOneTimeStop->isChecked()};
        EXPECT_EQ(marks, step.marks);
        EXPECT_EQ(bar->RepetitionBitBtn->glyph().toImage(), togglePicture(Toggle::Repetition, marks[0]).toImage());
        EXPECT_EQ(bar->DirRepetitionBitBtn->glyph().toImage(), togglePicture(Toggle::DirRepetition, marks[1]).toImage());
        EXPECT_EQ(bar->OnTimeStopBitBtn->glyph().toImage(), togglePicture(Toggle::OneTimeStop, marks[2]).toImage());
        EXPECT_EQ(step.caption.isEmpty() ? step.caption : bar->windowTitle(), step.caption);
    }
    EXPECT_TRUE(testApp().shownErrors.isEmpty());
}

TEST_F(BarsTest, EachTrackStartWritesTheIndicationBar)
{
    storeSlot(2, {u"x.mp3"_s});
    const QStringList files = storeSlot(4, numberedNames(u"a much longer name of a piece "_s, 3));
    start();
    auto &bar = *static_cast<TForm5 *>(show(Bar::Indication));
    const auto texts = [&] { return QStringList{bar.windowTitle(), bar.NextLabel->text(), bar.DirLabel->text(), bar.AllDirLabel->text(), bar.CountLabel->text()}; };
    form1->engine().DirNoSelectMenuClick(4);
    EXPECT_EQ(texts(), QStringList({nameOf(files[0]), nameOf(files[1]), u"Dir:4"_s, u"AllDir:,2,4"_s, u"File:1/3"_s}));
    EXPECT_GE(bar.NextLabel->width(), bar.NextLabel->sizeHint().width()) << "a long name is cut off";
    EXPECT_TRUE(bar.NextLabel->font().bold() && bar.palette().color(QPalette::Window) == QColor(128, 128, 128))
        << "the bar's look, bold white on grey, changed";
}

TEST_F(BarsTest, ABarWhoseBeginFlagIsOnShowsAtEachTrackStartWhereItWasClosed)
{
    const QStringList files = storeSlot(1, numberedNames(u"a"_s, 3));
    for (const Bar kind : {Bar::Select, Bar::Indication}) {
        SCOPED_TRACE(kind == Bar::Select ? "select-play bar" : "indication bar");
        const auto [x, y] = positionNames(kind);
        storeTexts({{settings::PlayBarBeginFlag(), kind == Bar::Select ? u"1"_s : u"0"_s},
                    {settings::IndicationBarBeginFlag(), kind == Bar::Select ? u"0"_s : u"1"_s}, {x, u"210"_s}, {y, u"120"_s}});
        start();
        const QPointer<QWidget> atStartUp = current(kind);
        form1->actions().NPlay->trigger();
        const QPointer<QWidget> shown = current(kind);
        EXPECT_TRUE(shown != atStartUp && shown->isVisible());
        EXPECT_EQ(shown->pos(), QPoint(210, 120));
        EXPECT_EQ(shown->windowTitle(), nameOf(files[0]));
        shown->move(300, 140);
        shown->close();
        EXPECT_EQ(storedPlace(kind), QPoint(300, 140));
        player->endTrack();
        EXPECT_TRUE(current(kind) != shown && current(kind)->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(shown.isNull()) << "the bar a fresh one replaced is deleted";
        EXPECT_EQ(current(kind)->pos(), QPoint(300, 140));
        EXPECT_EQ(current(kind)->windowTitle(), nameOf(files[1]));
        const QPointer<QWidget> showing = current(kind);
        player->endTrack();
        EXPECT_EQ(current(kind), showing) << "a showing bar stays the same bar";
    }
}

TEST_F(BarsTest, BarsOpenAtTheStoredPlaceAndOnlyABackgroundClickStoresIt)
{
    for (const Bar kind : {Bar::Select, Bar::Indication}) {
        SCOPED_TRACE(kind == Bar::Select ? "select-play bar" : "indication bar");
        const auto [x, y] = positionNames(kind);
        storeTexts({{x, u"-1"_s}, {y, u"-1"_s}});
        start();
        const QPoint designed = show(kind)->pos();
        EXPECT_EQ(current(kind)->minimumSize(), current(kind)->maximumSize()) << "a bar cannot be resized";
        const struct { const char *name; QString x, y; QPoint place, stored; } rows[] = {
            {"nothing stored: the designed place, and 50 stored", u"non"_s, u"non"_s, designed, {50, 50}},
            {"0 is a place", u"0"_s, u"0"_s, {0, 0}, {0, 0}},
            {"the left edge on its own", u"321"_s, u"-1"_s, {321, designed.y()}, {321, 50}},
            {"the top edge on its own", u"-1"_s, u"123"_s, {designed.x(), 123}, {50, 123}},
        };
        for (const auto &row : rows) {
            SCOPED_TRACE(row.name);
            storeTexts({{x, row.x}, {y, row.y}});
            start();
            EXPECT_EQ(show(kind)->pos(), row.place);
            EXPECT_EQ(storedPlace(kind), row.stored);
        }
        // A directory where the store's file belongs: nothing can be written.
        ASSERT_TRUE(QFile::remove(storeFilePath()) && QDir().mkpath(storeFilePath()));
        current(kind)->close();
        QDir().rmdir(storeFilePath());
        EXPECT_FALSE(current(kind)->isVisible());
        EXPECT_EQ(testApp().shownErrors.size(), 1);
        testApp().shownErrors.clear();
    }

    auto &bar = *static_cast<TForm5 *>(show(Bar::Indication));
    bar.move(140, 160);
    const QPoint background(bar.width() - 4, 4);
    ASSERT_EQ(bar.childAt(background), nullptr);
    QTest::mouseClick(&bar, Qt::RightButton, {}, background);
    QTest::mouseClick(bar.NextLabel, Qt::LeftButton, {}, {2, 2});
    EXPECT_EQ(storedPlace(Bar::Indication), QPoint(50, 50));
    QTest::mouseClick(&bar, Qt::LeftButton, {}, background);
    EXPECT_EQ(storedPlace(Bar::Indication), QPoint(140, 160));
    EXPECT_TRUE(bar.isVisible());
}

} // namespace
} // namespace brookhum::test

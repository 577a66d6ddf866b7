// Where the bars open and what they store about their place. Exactness under
// a window manager that frames windows is bar_desktop_test's subject.

#include "bar_rig.h"

#include "bars/indication_bar.h"
#include "bars/select_play_bar.h"
#include "settings/reg_ini_file.h"
#include "settings/setting_names.h"
#include "support/engine_rig.h"
#include "support/test_application.h"
#include "support/store_test.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::test;

namespace {

class BarPositionTest : public StoreTest {
protected:
    // Opens a fresh bar from its tray command.
    static QWidget &showFresh(BarRig &rig, Bar bar)
    {
        if (bar == Bar::Select) {
            rig.form1().Form4ShowClick();
            return rig.selectBar();
        }
        rig.form1().NIndicationClick();
        return rig.indicationBar();
    }

    static QPoint stored(const BarKind &kind)
    {
        return {storedText(kind.xName).toInt(), storedText(kind.yName).toInt()};
    }
};

} // namespace

TEST_F(BarPositionTest, OpensAtTheStoredPlaceWithAbsentEdgesAtTheDesignedOne)
{
    struct Row {
        const char *name;
        QString x, y;          // stored texts; "non" for absent
        QPoint expectedOffset; // from the designed place, or absolute when `absolute`
        bool absolute;
        QPoint storedAfter;
    };
    const QList<Row> rows = {
        {"nothing stored", u"non"_s, u"non"_s, {0, 0}, false, {50, 50}},
        {"both -1", u"-1"_s, u"-1"_s, {0, 0}, false, {50, 50}},
        {"not numbers", u"left"_s, u"12px"_s, {0, 0}, false, {50, 50}},
        {"zero is a place", u"0"_s, u"0"_s, {0, 0}, true, {0, 0}},
        {"both stored", u"400"_s, u"200"_s, {400, 200}, true, {400, 200}},
    };
    for (const BarKind &kind : barKinds) {
        for (const Row &row : rows) {
            SCOPED_TRACE(::testing::Message() << kind.name << ": " << row.name);
            clearSettingsStore();
            if (row.x != u"non"_s)
                storeTexts({{kind.xName, row.x}, {kind.yName, row.y}});
            BarRig rig;
            QWidget &bar = showFresh(rig, kind.bar);
            EXPECT_TRUE(bar.isVisible());
            EXPECT_EQ(bar.pos(), row.absolute ? row.expectedOffset : kind.designPlace + row.expectedOffset);
            EXPECT_EQ(stored(kind), row.storedAfter);
        }
    }
}

TEST_F(BarPositionTest, EachEdgeIsTakenOnItsOwn)
{
    for (const BarKind &kind : barKinds) {
        SCOPED_TRACE(kind.name);
        clearSettingsStore();
        storeTexts({{kind.xName, u"321"_s}, {kind.yName, u"-1"_s}});
        {
            BarRig rig;
            EXPECT_EQ(showFresh(rig, kind.bar).pos(), QPoint(321, kind.designPlace.y()));
            EXPECT_EQ(stored(kind), QPoint(321, 50));
        }
        storeTexts({{kind.xName, u"-1"_s}, {kind.yName, u"123"_s}});
        {
            BarRig rig;
            EXPECT_EQ(showFresh(rig, kind.bar).pos(), QPoint(kind.designPlace.x(), 123));
            EXPECT_EQ(stored(kind), QPoint(50, 123));
        }
    }
}

TEST_F(BarPositionTest, ClosingStoresThePlaceAndTheNextShowingUsesIt)
{
    for (const BarKind &kind : barKinds) {
        SCOPED_TRACE(kind.name);
        clearSettingsStore();
        BarRig rig;
        QWidget &first = showFresh(rig, kind.bar);
        first.move(612, 87);
        first.close();
        EXPECT_FALSE(first.isVisible());
        EXPECT_EQ(stored(kind), QPoint(612, 87));

        QWidget &second = showFresh(rig, kind.bar);
        ASSERT_NE(&second, &first);
        EXPECT_EQ(second.pos(), QPoint(612, 87));
    }
}

TEST_F(BarPositionTest, IndicationBarStoresItsPlaceOnAClickOnItsBackgroundOnly)
{
    const BarKind &kind = barKinds[1];
    BarRig rig;
    auto &bar = static_cast<TForm5 &>(showFresh(rig, Bar::Indication));
    const QPoint background(280, 6);
    ASSERT_EQ(bar.childAt(background), nullptr);

    bar.move(140, 160);
    QTest::mouseClick(&bar, Qt::RightButton, {}, background);
    QTest::mouseClick(bar.NextLabel, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseClick(bar.Image1, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(stored(kind), QPoint(50, 50)) << "only a left click on the background stores";

    QTest::mouseClick(&bar, Qt::LeftButton, {}, background);
    EXPECT_EQ(stored(kind), QPoint(140, 160));
    EXPECT_TRUE(bar.isVisible()) << "a click does not close the bar";

    bar.move(700, 20);
    EXPECT_EQ(stored(kind), QPoint(140, 160)) << "moving alone stores nothing";
    bar.close();
    EXPECT_EQ(stored(kind), QPoint(700, 20));
}

TEST_F(BarPositionTest, AStoreThatCannotBeWrittenIsReportedAndTheBarStillCloses)
{
    BarRig rig;
    QWidget &bar = showFresh(rig, Bar::Select);
    // A directory where the store's file belongs: nothing can be written.
    const QString storeFile = testStore().location();
    ASSERT_TRUE(QFile::remove(storeFile));
    ASSERT_TRUE(QDir().mkpath(storeFile));
    bar.close();
    QDir().rmdir(storeFile);

    EXPECT_FALSE(bar.isVisible());
    EXPECT_EQ(testApp().shownErrors.size(), 1);
}

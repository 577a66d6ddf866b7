// The indication bar: its designed state, what each track start writes into
// it, and where it remembers to be.

#include "bar_rig.h"

#include "bars/indication_bar.h"
#include "engine/menu_actions.h"
#include "engine/play_state.h"
#include "resources/design_font.h"
#include "resources/pictures.h"
#include "settings/setting_names.h"
#include "support/engine_rig.h"
#include "support/test_application.h"
#include "support/store_test.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <ostream>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::test;

namespace {

// Everything the bar shows in words.
struct Texts {
    QString caption, next, dir, allDir, count;
    bool operator==(const Texts &) const = default;
};

void PrintTo(const Texts &t, std::ostream *os)
{
    *os << QStringList({t.caption, t.next, t.dir, t.allDir, t.count}).join(u" | "_s).toStdString();
}

const Texts designed = {u"Brookhum"_s, u"NextLabel"_s, u"Dir:"_s, u"AllDir:1,2,3,4,5,6,7,8,9,10"_s, u"File:"_s};

QString nameOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

class IndicationBarTest : public StoreTest {
protected:
    void TearDown() override
    {
        rig.reset();
        StoreTest::TearDown();
    }

    // Starts the program with what is stored so far.
    void start() { rig = std::make_unique<BarRig>(); }

    Texts texts()
    {
        TForm5 &bar = rig->indicationBar();
        return {bar.windowTitle(), bar.NextLabel->text(), bar.DirLabel->text(), bar.AllDirLabel->text(),
                bar.CountLabel->text()};
    }

    MediaLibrary media;
    std::unique_ptr<BarRig> rig;
};

struct LabelRow {
    QString name;
    QPoint place;
    QString text;
};

} // namespace

TEST_F(IndicationBarTest, FreshBarIsInItsDesignedState)
{
    start();
    rig->form1().NIndicationClick();
    TForm5 &bar = rig->indicationBar();

    EXPECT_TRUE(bar.isVisible());
    EXPECT_EQ(bar.objectName(), u"Form5"_s);
    EXPECT_EQ(texts(), designed);
    EXPECT_EQ(bar.size(), QSize(293, 28));
    EXPECT_EQ(bar.minimumSize(), bar.maximumSize());
    EXPECT_EQ(bar.windowType(), Qt::Tool);
    EXPECT_FALSE(bar.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(bar.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(comparable(bar.windowIcon().pixmap(16, 16)), comparable(indicationBarIcon().pixmap(16, 16)));
    EXPECT_EQ(bar.palette().color(QPalette::Window), QColor(128, 128, 128));
    EXPECT_TRUE(bar.autoFillBackground());

    EXPECT_EQ(bar.Image1->geometry(), QRect(0, 0, 33, 16));
    EXPECT_EQ(comparable(bar.Image1->pixmap()), comparable(indicationPicture()));

    const QList<LabelRow> labels = {
        {u"NextLabel"_s, {40, 0}, u"NextLabel"_s},
        {u"DirLabel"_s, {0, 16}, u"Dir:"_s},
        {u"AllDirLabel"_s, {48, 16}, u"AllDir:1,2,3,4,5,6,7,8,9,10"_s},
        {u"CountLabel"_s, {208, 16}, u"File:"_s},
    };
    for (const LabelRow &row : labels) {
        SCOPED_TRACE(row.name.toStdString());
        const QLabel *label = bar.findChild<QLabel *>(row.name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->pos(), row.place);
        EXPECT_EQ(label->text(), row.text);
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::white));
        EXPECT_TRUE(label->font().bold());
        EXPECT_EQ(label->font().families(), designFont().families());
        EXPECT_EQ(label->font().pixelSize(), 12);
    }
}

// White pixels of a picture in a rectangle.
int whitePixels(const QImage &picture, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += qGray(picture.pixel(x, y)) > 200 ? 1 : 0;
    }
    return count;
}

TEST_F(IndicationBarTest, NoLetterIsCutOffWhateverTheFacesLineSpacing)
{
    start();
    rig->form1().NIndicationClick();
    TForm5 &bar = rig->indicationBar();
    // Descenders above, the bar's bottom edge below.
    bar.setLabelText(IndicationLabel::Next, u"gjpqy Song"_s);
    bar.setLabelText(IndicationLabel::Dir, u"Dir:10"_s);
    bar.setLabelText(IndicationLabel::Count, u"File:12"_s);
    const QImage inBar = bar.grab().toImage();

    for (QLabel *label : {bar.NextLabel, bar.DirLabel, bar.CountLabel}) {
        SCOPED_TRACE(label->objectName().toStdString());
        // The same text drawn with room all round.
        QImage free(label->width() + 20, 60, QImage::Format_RGB32);
        free.fill(bar.palette().color(QPalette::Window));
        QPainter painter(&free);
        painter.setFont(label->font());
        painter.setPen(Qt::white);
        painter.drawText(QPoint(10, 30), label->text());
        painter.end();

        const int rowTop = label->y() == 0 ? 0 : 16;
        const QRect row(label->x(), rowTop, label->width(), (rowTop == 0 ? 16 : bar.height() - 16));
        EXPECT_EQ(whitePixels(inBar, row), whitePixels(free, free.rect()));
    }
}

TEST_F(IndicationBarTest, EachTrackStartWritesTheFileItsSuccessorAndItsPlace)
{
    media.addDirectorySlot(2, {u"x.mp3"_s});
    const QStringList files = media.addDirectorySlot(4, numberedNames(u"曲 "_s, 12));
    start();
    rig->engine().DirNoSelectMenuClick(4);
    rig->form1().NIndicationClick();
    EXPECT_EQ(texts(), designed) << "shown outside a track start, it waits for the next one";

    rig->player().endTrack();
    EXPECT_EQ(texts(), (Texts{nameOf(files[1]), nameOf(files[2]), u"Dir:4"_s, u"AllDir:,2,4"_s, u"File:2/12"_s}))
        << "AllDirText: " << rig->state().AllDirText.toStdString();

    while (rig->state().PlayPos < 12)
        rig->player().endTrack();
    EXPECT_EQ(texts(), (Texts{nameOf(files[11]), QString(), u"Dir:4"_s, rig->state().AllDirText, u"File:12/12"_s}));
    EXPECT_TRUE(rig->indicationBar().NextLabel->text().isEmpty());
}

TEST_F(IndicationBarTest, LabelsTakeTheWidthOfTheirText)
{
    media.addDirectorySlot(1, {u"a.mp3"_s, u"b, a much longer name of a piece.mp3"_s});
    start();
    rig->form1().NIndicationClick();
    TForm5 &bar = rig->indicationBar();
    const int designedWidth = bar.NextLabel->width();

    rig->actions().NPlay->trigger();
    EXPECT_GT(bar.NextLabel->width(), designedWidth);
    EXPECT_GE(bar.NextLabel->width(), bar.NextLabel->sizeHint().width());
    EXPECT_LE(bar.NextLabel->geometry().bottom(), bar.DirLabel->y() - 1) << "the rows overlap";
}

TEST_F(IndicationBarTest, RandomOrderNamesTheNextFileOfTheShuffledOrder)
{
    storeTexts({{settings::RandPlayFlag(), u"1"_s}});
    const QStringList files = media.addDirectorySlot(1, numberedNames(u"r"_s, 12));
    start();
    rig->form1().NIndicationClick();
    const PlayState &s = rig->state();

    rig->actions().NPlay->trigger();
    for (int step = 0; step < 5; ++step) {
        SCOPED_TRACE(step);
        const int pos = s.PlayPos;
        ASSERT_LT(pos, 12);
        EXPECT_EQ(rig->indicationBar().NextLabel->text(), nameOf(s.PlayList[1][pos]));
        EXPECT_EQ(rig->indicationBar().CountLabel->text(), u"File:%1/12"_s.arg(pos));
        rig->player().endTrack();
    }
    const QStringList playOrder(s.PlayList[1].begin(), s.PlayList[1].begin() + 12);
    EXPECT_NE(playOrder, files) << "the order was not shuffled, so the test proves nothing";
}

TEST_F(IndicationBarTest, FilePlayKeepsTheCountAndNextTexts)
{
    const QStringList dirFiles = media.addDirectorySlot(3, numberedNames(u"d"_s, 4));
    const QString file = media.addFileSlot(2, u"単独 'file'.wav"_s);

    // Before any directory has played, the slot number is 0 and the rest
    // keeps the designed texts.
    storeTexts({{settings::SelectPlayFlag(), u"2"_s}});
    start();
    rig->form1().NIndicationClick();
    rig->actions().NPlay->trigger();
    EXPECT_EQ(texts(), (Texts{nameOf(file), u"NextLabel"_s, u"Dir:0"_s, rig->state().AllDirText, u"File:"_s}));

    // After directory play, file play leaves the directory's texts.
    rig->actions().NStop->trigger();
    rig->player().deliverNotifications();
    rig->engine().DirNoSelectMenuClick(3);
    const Texts afterDirectory = texts();
    ASSERT_EQ(afterDirectory.count, u"File:1/4"_s);
    ASSERT_EQ(afterDirectory.next, nameOf(dirFiles[1]));
    rig->actions().NStop->trigger();
    rig->player().deliverNotifications();
    rig->engine().FileNoSelectMenuClick(2);
    EXPECT_EQ(texts(), (Texts{nameOf(file), afterDirectory.next, u"Dir:3"_s, afterDirectory.allDir, u"File:1/4"_s}));
}

TEST_F(IndicationBarTest, ShownAtEachTrackStartWhenItsBeginFlagIsSetAndWrittenWhileHidden)
{
    storeTexts({{settings::IndicationBarBeginFlag(), u"1"_s},
                {settings::IndicationXPointPlayFlag(), u"400"_s},
                {settings::IndicationYPointPlayFlag(), u"500"_s}});
    const QStringList files = media.addDirectorySlot(1, numberedNames(u"a"_s, 3));
    start();
    QPointer<TForm5> atStartUp = rig->forms.Form5;

    rig->actions().NPlay->trigger();
    QPointer<TForm5> shown = rig->forms.Form5;
    ASSERT_NE(shown, atStartUp);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(shown->pos(), QPoint(400, 500));
    EXPECT_EQ(texts(), (Texts{nameOf(files[0]), nameOf(files[1]), u"Dir:1"_s, u"AllDir:,1"_s, u"File:1/3"_s}))
        << "a bar shown at a track start gets its content at once";

    // Closed, it is still written; the next track start opens a fresh one.
    shown->close();
    storeTexts({{settings::IndicationBarBeginFlag(), u"0"_s}});
    rig->player().endTrack();
    EXPECT_EQ(rig->forms.Form5, shown);
    EXPECT_FALSE(shown->isVisible());
    EXPECT_EQ(shown->CountLabel->text(), u"File:2/3"_s);

    storeTexts({{settings::IndicationBarBeginFlag(), u"1"_s}});
    rig->player().endTrack();
    ASSERT_NE(rig->forms.Form5, shown);
    EXPECT_TRUE(rig->indicationBar().isVisible());
    EXPECT_EQ(rig->indicationBar().CountLabel->text(), u"File:3/3"_s);
}

// The play engine on a fake player and fake bars: what the stored settings
// mean for play, unattended play from file to file and slot to slot, the
// commands, the select-play menu and random order.

#include "engine/menu_actions.h"
#include "engine/random_order.h"
#include "settings/setting_names.h"
#include "support/engine_rig.h"
#include "support/media_fixtures.h"

#include <QAction>
#include <QDir>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::test;
using settings::slotValueNames;

namespace {

struct Offered {
    bool play, stop, next, pause, paused, selectPlay, setUp, renew;
    bool operator==(const Offered &) const = default;
};
constexpr Offered Playing{false, true, true, true, false, false, false, false};
constexpr Offered Stopped{true, false, false, false, false, true, true, true};

Offered offered(const MenuActions &a)
{
    return {a.NPlay->isEnabled(), a.NStop->isEnabled(), a.NNext->isEnabled(), a.NOneTimeStop->isEnabled(),
            a.NOneTimeStop->isChecked(), a.NSelectPlay->isEnabled(), a.NSetUp->isEnabled(), a.NRenew->isEnabled()};
}

class Engine : public StoreTest {
public:
    QString dirSlot(int k, const QStringList &files, const QString &flag = u"1"_s)
    {
        const QString dir = makeDirectoryWithFiles(*media, u"slot %1"_s.arg(k), files);
        storeSlot(SlotKind::Directory, k, dir, flag);
        return dirs[k] = dir;
    }
    QString fileSlot(int k, const QString &name, const QString &flag = u"1"_s)
    {
        const QString path = makeDirectoryWithFiles(*media, u"files"_s, {name}) + u'/' + name;
        storeSlot(SlotKind::File, k, path, flag);
        return path;
    }
    static void playAtStartUp(const QString &kind = u"1"_s)
    {
        storeTexts({{settings::PlayFlag(), u"1"_s}, {settings::SelectPlayFlag(), kind}});
    }
    void restart()
    {
        media = std::make_unique<QTemporaryDir>();
        dirs.clear();
        clearSettingsStore();
        rig = std::make_unique<EngineRig>();
        rig->windows.createHiddenBars();
    }
    QStringList played() const
    {
        QStringList names;
        for (const QString &path : rig->player.playedFiles)
            names.append(path.section(u'/', -1));
        return names;
    }
    QString last() const { return played().value(played().size() - 1); }
    void endTracks(int count)
    {
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(rig->player.endTrack(), 1) << "track end " << i;
    }

    std::unique_ptr<QTemporaryDir> media = std::make_unique<QTemporaryDir>();
    // The slots' directories as the test made them. (Taken from the engine,
    // a fault that loses a path would point the test at its own directory.)
    QMap<int, QString> dirs;
    std::unique_ptr<EngineRig> rig = std::make_unique<EngineRig>();
};

struct PlayRow {
    const char *name;
    std::function<void(Engine &)> stored;    // before the main window's creation, which plays
    std::function<void(Engine &)> meanwhile; // after it, before the tracks end
    int trackEnds;
    QStringList expected;
};

const QList<PlayRow> PlayRows = {
    {"SlotsTwoAndFiveInTurnThenTwoAgain",
     [](Engine &e) { e.dirSlot(2, {u"a1.mp3"_s, u"a2.wav"_s, u"a3.mid"_s}), e.dirSlot(5, {u"b1.mp3"_s}); },
     {}, 4, {u"a1.mp3"_s, u"a2.wav"_s, u"a3.mid"_s, u"b1.mp3"_s, u"a1.mp3"_s}},
    {"DirectoryRepetitionReadsTheSlotAgainAtTheEndOfItsPass",
     [](Engine &e) { e.dirSlot(3, {u"x1.mp3"_s, u"x2.mp3"_s}), e.dirSlot(4, {u"y.mp3"_s}); },
     [](Engine &e) {
         e.rig->actions.NDirRepetition->trigger();
         writeFile(e.dirs[3] + u"/x0.mp3"_s, {});
     },
     3, {u"x1.mp3"_s, u"x2.mp3"_s, u"x0.mp3"_s, u"x1.mp3"_s}},
    {"FilesAddedAndDeletedCountFromTheNextPass",
     [](Engine &e) { e.dirSlot(1, {u"a.mp3"_s, u"b.mp3"_s, u"c.mp3"_s}), e.dirSlot(2, {u"z.mp3"_s}); },
     [](Engine &e) {
         QFile::remove(e.dirs[1] + u"/c.mp3"_s);
         writeFile(e.dirs[1] + u"/b2.mp3"_s, {});
     },
     5, {u"a.mp3"_s, u"b.mp3"_s, u"c.mp3"_s, u"z.mp3"_s, u"a.mp3"_s, u"b.mp3"_s}},
    {"ASlotEmptiedDuringItsPassDropsOut",
     [](Engine &e) { e.dirSlot(1, {u"a.mp3"_s, u"b.mp3"_s}), e.dirSlot(6, {u"f.mp3"_s}); },
     [](Engine &e) { QDir(e.dirs[1]).removeRecursively(), QDir().mkpath(e.dirs[1]); },
     3, {u"a.mp3"_s, u"b.mp3"_s, u"f.mp3"_s, u"f.mp3"_s}},
    {"AVanishedDirectoryKeepsItsOldList", [](Engine &e) { e.dirSlot(1, {u"a.mp3"_s}); },
     [](Engine &e) { QDir(e.dirs[1]).removeRecursively(); }, 1, {u"a.mp3"_s, u"a.mp3"_s}},
    {"FileSlotsOneAndThreeAlternate",
     [](Engine &e) {
         e.fileSlot(1, u"one.wav"_s), e.fileSlot(3, u"three.mid"_s);
         storeTexts({{settings::SelectPlayFlag(), u"2"_s}});
     },
     {}, 3, {u"one.wav"_s, u"three.mid"_s, u"one.wav"_s, u"three.mid"_s}},
    {"AfterFileSlotTenComesSlotOne",
     [](Engine &e) {
         e.fileSlot(1, u"one.mp3"_s), e.fileSlot(10, u"ten.mp3"_s, u"0"_s);
         storeTexts({{settings::SelectPlayFlag(), u"2"_s}, {settings::PlayFlag(), u"0"_s}}); // no play at start
     },
     [](Engine &e) { e.rig->engine.FileNoSelectMenuClick(10); }, 2, {u"ten.mp3"_s, u"one.mp3"_s, u"ten.mp3"_s}},
    {"FileRepetitionRestartsTheSameFile", [](Engine &e) { e.dirSlot(1, {u"a.mp3"_s, u"b.mp3"_s}); },
     [](Engine &e) { e.rig->actions.NRepetition->trigger(); }, 2, {u"a.mp3"_s, u"a.mp3"_s, u"a.mp3"_s}},
};

} // namespace

TEST_F(Engine, UnattendedPlayGoesFromFileToFileAndSlotToSlot)
{
    for (const PlayRow &row : PlayRows) {
        SCOPED_TRACE(row.name);
        restart();
        playAtStartUp();
        row.stored(*this);
        rig->formCreate();
        if (row.meanwhile)
            row.meanwhile(*this);
        endTracks(row.trackEnds);
        EXPECT_EQ(played(), row.expected);
        EXPECT_EQ(rig->engine.trackStarts(), quint64(row.expected.size())) << "a file start went uncounted";
        // Every change waits 3 seconds, then the old file goes before the new one comes.
        EXPECT_EQ(rig->waits, QList<int>(row.trackEnds, 3));
        EXPECT_EQ(rig->player.calls.mid(rig->player.calls.size() - 4),
                  (QStringList{u"Stop"_s, u"Close"_s, u"Open "_s + rig->player.FileName(), u"Play"_s}));
    }
}

TEST_F(Engine, TrackStartsWriteTheBarsUnlessRepeatingAndNotBeforeTheBarsExist)
{
    dirSlot(1, numberedNames(u"n"_s, 12)); // the first slot, the edge of the range
    fileSlot(2, u"f.mp3"_s);
    playAtStartUp();
    rig->formCreate();
    EXPECT_EQ(rig->windows.select.caption, QString()) << "no bar yet at start-up";
    EXPECT_EQ(offered(rig->actions), Playing);

    rig->windows.createHiddenBars();
    rig->engine.NStopClick();
    rig->player.deliverNotifications();
    rig->engine.requestSelectedFile(1, dirs[1] + u"/n07.mp3"_s);
    EXPECT_EQ(last(), u"n07.mp3"_s);
    EXPECT_EQ(rig->state().SelectPlayRequest, 0);
    EXPECT_EQ(rig->windows.select.caption, u"n07.mp3"_s);
    EXPECT_EQ(rig->windows.indication.caption, u"n07.mp3"_s);
    const auto &labels = rig->windows.labels;
    EXPECT_EQ(labels[IndicationLabel::Count], u"File:7/12"_s);
    EXPECT_EQ(labels[IndicationLabel::Next], u"n08.mp3"_s);
    EXPECT_EQ(labels[IndicationLabel::Dir], u"Dir:1"_s);
    EXPECT_EQ(labels[IndicationLabel::AllDir], u"AllDir:,1"_s);
    endTracks(5);
    EXPECT_EQ(last(), u"n12.mp3"_s);
    EXPECT_EQ(labels[IndicationLabel::Next], QString()) << "the last file has no successor";

    rig->actions.NRepetition->trigger();
    rig->windows.select.caption = u"marker"_s;
    endTracks(1);
    EXPECT_EQ(rig->windows.select.caption, u"marker"_s) << "a repeated file leaves the bars alone";

    // File play keeps what the directory play wrote into the count.
    rig->engine.NStopClick();
    storeTexts({{settings::SelectPlayFlag(), u"2"_s}});
    rig->actions.NPlay->trigger();
    EXPECT_EQ(last(), u"f.mp3"_s);
    EXPECT_EQ(labels[IndicationLabel::Count], u"File:12/12"_s);
    EXPECT_EQ(labels[IndicationLabel::Dir], u"Dir:1"_s);
}

// The bars' tests drive the same commands through the buttons; here is what
// only the engine's records show.
TEST_F(Engine, PauseResumesWhereItStoppedAndStopClearsEveryMark)
{
    dirSlot(1, {u"a.mp3"_s, u"b.mp3"_s});
    rig->windows.createHiddenBars();
    rig->formCreate();
    rig->actions.NPlay->trigger();
    EXPECT_EQ(rig->state().PlayFlag, u"1"_s);
    rig->player.setPlayingPosition(83'000);
    rig->actions.NOneTimeStop->trigger();
    EXPECT_EQ(rig->player.deliverNotifications(), 1);
    rig->actions.NNext->trigger();
    EXPECT_EQ(rig->player.deliverNotifications(), 0) << "nothing changes while paused";
    rig->actions.NOneTimeStop->trigger();
    EXPECT_EQ(rig->player.calls.mid(rig->player.calls.size() - 2), (QStringList{u"Position 83000"_s, u"Play"_s}));
    EXPECT_EQ(offered(rig->actions), Playing);

    rig->actions.NRepetition->trigger();
    rig->actions.NOneTimeStop->trigger();
    rig->actions.NStop->trigger();
    EXPECT_EQ(offered(rig->actions), Stopped);
    EXPECT_FALSE(rig->windows.pictures[Toggle::Repetition] || rig->windows.pictures[Toggle::OneTimeStop]);
    EXPECT_EQ(rig->state().PlayFlag, u"0"_s);
    rig->player.deliverNotifications();
    EXPECT_EQ(played(), (QStringList{u"a.mp3"_s, u"a.mp3"_s})) << "the stop's notification plays nothing";
}

TEST_F(Engine, RandomOrderIsSavedAtOnceButReadOnlyAtCreation)
{
    rig->formCreate();
    rig->actions.NRandDirAll->trigger();
    EXPECT_EQ(storedText(settings::RandPlayFlag()), u"1"_s);
    EngineRig restarted;
    restarted.formCreate();
    EXPECT_TRUE(restarted.actions.NRandDirAll->isChecked());
    storeTexts({{settings::RandPlayFlag(), u"0"_s}});
    restarted.engine.LoadSettings();
    EXPECT_TRUE(restarted.actions.NRandDirAll->isChecked()) << "only the creation reads it";
}

TEST_F(Engine, SelectPlayStartsTheChosenSlotAndPlayGoesOnFromThere)
{
    const QString three = dirSlot(3, {u"c1.mp3"_s}, u"0"_s);
    dirSlot(4, {u"d1.mp3"_s, u"d2.mp3"_s});
    const QString gone = fileSlot(2, u"gone.wav"_s);
    rig->windows.createHiddenBars();
    rig->formCreate();
    EXPECT_FALSE(rig->actions.DirNoSelectMenu[3]->isVisible()) << "an off slot never loaded";

    rig->engine.DirNoSelectMenuClick(7);
    rig->actions.DirNoSelectMenu[4]->trigger();
    EXPECT_EQ(played(), QStringList{u"d1.mp3"_s}) << "the slot's menu entry plays it, an empty slot nothing";
    rig->engine.DirNoSelectMenuClick(4);
    EXPECT_EQ(played(), QStringList{u"d1.mp3"_s}) << "nothing while a file is open";
    EXPECT_EQ(rig->windows.select.caption, u"d1.mp3"_s);
    endTracks(2);
    EXPECT_EQ(last(), u"d1.mp3"_s) << "slot 4's pass, then slot 4 again: no other slot takes part";
    rig->engine.NStopClick();
    rig->player.deliverNotifications();

    // A slot switched off in the store takes part from its select-play on,
    // for this run.
    storeSlot(SlotKind::Directory, 3, three, u"1"_s);
    rig->engine.NSelectPlayClick();
    storeTexts({{slotValueNames(SlotKind::Directory, 3).flag, u"0"_s}});
    rig->engine.LoadSettings();
    EXPECT_TRUE(rig->actions.DirNoSelectMenu[3]->isVisible());
    rig->engine.DirNoSelectMenuClick(3);
    endTracks(1);
    EXPECT_EQ(played().mid(3), (QStringList{u"c1.mp3"_s, u"d1.mp3"_s}));
    EXPECT_EQ(storedText(slotValueNames(SlotKind::Directory, 3).flag), u"0"_s);
    rig->engine.NStopClick();
    rig->player.deliverNotifications();

    rig->player.failingFiles.insert(gone);
    rig->actions.FileNoSelectMenu[2]->trigger();
    EXPECT_EQ(testApp().shownErrors.size(), 1) << "a file that vanished is reported";
    EXPECT_EQ(offered(rig->actions), Stopped);
    rig->engine.requestSelectedFile(4, u"/elsewhere/zz.mp3"_s);
    EXPECT_EQ(rig->state().SelectPlayRequest, 0) << "a request for a file not in the slot is cleared";
    EXPECT_TRUE(rig->actions.NPlay->isEnabled());
}

TEST_F(Engine, AStartOverAPlayingFileDoesNotSkipIt)
{
    dirSlot(1, {u"a.mp3"_s, u"b.mp3"_s, u"c.mp3"_s});
    playAtStartUp();
    rig->formCreate();
    // The set-up dialog, opened before play, closes while a file plays: the
    // reload starts play again over it, and the replaced play's end is no
    // track end.
    rig->engine.LoadSettings();
    EXPECT_EQ(rig->player.deliverNotifications(5), 1);
    EXPECT_EQ(played(), (QStringList{u"a.mp3"_s, u"a.mp3"_s}));
    endTracks(1);
    EXPECT_EQ(last(), u"b.mp3"_s);
}

TEST_F(Engine, PlayThatCannotGoOnRestsAndOffersTheCommandsAgain)
{
    const struct { const char *name; QString kind; bool slotOn, fileFails; } rows[] = {
        {"NoSlotTakesPart", u"1"_s, false, false}, {"TheFirstFileCannotBeOpened", u"1"_s, true, true},
        {"FileKindWithNoSlot", u"2"_s, false, false}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        restart();
        const QString dir = dirSlot(1, {u"a.mp3"_s}, row.slotOn ? u"1"_s : u"0"_s);
        if (row.fileFails)
            rig->player.failingFiles.insert(dir + u"/a.mp3"_s);
        playAtStartUp(row.kind);
        rig->formCreate();
        for (QAction *entry : {rig->actions.NPlay, rig->actions.NSelectPlay, rig->actions.NSetUp, rig->actions.NRenew})
            EXPECT_TRUE(entry->isEnabled()) << entry->objectName().toStdString();
        EXPECT_EQ(rig->state().PlayFlag, u"1"_s);
        EXPECT_EQ(testApp().shownErrors.size(), row.fileFails ? 1 : 0) << "a failed start is not told";
        testApp().shownErrors.clear();
    }

    // During play: a file that fails is reported and play rests; slots that
    // no longer take part end play instead of a search for ever.
    for (const QString &kind : {u"1"_s, u"2"_s}) {
        restart();
        dirSlot(2, {u"d.mp3"_s, u"e.mp3"_s});
        fileSlot(2, u"f.mp3"_s);
        playAtStartUp(kind);
        rig->formCreate();
        storeTexts({{slotValueNames(SlotKind::Directory, 2).flag, u"0"_s},
                    {slotValueNames(SlotKind::File, 2).flag, u"0"_s}});
        rig->engine.LoadSettings();
        endTracks(1);
        EXPECT_EQ(offered(rig->actions), Stopped) << kind.toStdString();
        EXPECT_EQ(rig->state().PlayFlag, u"0"_s);
    }
    restart();
    const QString dir = dirSlot(1, {u"a.mp3"_s, u"b.mp3"_s});
    playAtStartUp();
    rig->formCreate();
    rig->player.failingFiles.insert(dir + u"/b.mp3"_s);
    endTracks(1);
    ASSERT_EQ(testApp().shownErrors.size(), 1);
    EXPECT_TRUE(testApp().shownErrors.first().contains(u"b.mp3"_s));
    EXPECT_EQ(rig->state().PlayerOpen, 0);
    EXPECT_TRUE(rig->actions.NStop->isEnabled()) << "stop is still offered";
}

TEST_F(Engine, StoredFlagsAreReadByTheirOwnRules)
{
    // "absent" stores nothing.
    const struct { const char *name; QString flag; bool playOffered, randomChecked; } rows[] = {{"Absent", u"absent"_s, true, false}, {"Zero", u"0"_s, true, false}, {"One", u"1"_s, false, true},
                {"EmptyCountsAsOn", u""_s, false, true}, {"OtherTextCountsAsOn", u"yes"_s, false, true}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        restart();
        if (row.flag != u"absent"_s)
            storeTexts({{settings::PlayFlag(), row.flag}, {settings::RandPlayFlag(), row.flag}});
        rig->engine.FormCreateSettingsPart();
        for (QAction *entry : {rig->actions.NPlay, rig->actions.NSelectPlay, rig->actions.NSetUp, rig->actions.NRenew})
            EXPECT_EQ(entry->isEnabled(), row.playOffered);
        EXPECT_EQ(rig->actions.NRandDirAll->isChecked(), row.randomChecked);
        EXPECT_EQ(storedText(settings::PlayFlag()), row.flag == u"absent"_s ? u"0"_s : row.flag) << "an absent value is written";
        EXPECT_TRUE(rig->player.calls.isEmpty());
    }
    // The play kind shows its submenu; any other text leaves both alone.
    for (const auto &[kind, directories, files] : {std::tuple{u"2"_s, false, true}, {u"3"_s, false, true},
                                                   {u"1"_s, true, false}}) {
        storeTexts({{settings::SelectPlayFlag(), kind}});
        rig->engine.LoadSettings();
        EXPECT_EQ(rig->actions.DirsSelectMenu->isVisible(), directories) << kind.toStdString();
        EXPECT_EQ(rig->actions.FilesSelectMenu->isVisible(), files) << kind.toStdString();
    }
}

TEST_F(Engine, SlotsTakePartOnlyWhenTheyCanPlay)
{
    QStringList many = numberedNames(u"t"_s, 25);
    many << u"cover.jpg"_s << u".hidden.mp3"_s;
    const QString big = makeDirectoryWithFiles(*media, u"big"_s, many);
    const QString mixed = makeDirectoryWithFiles(*media, u"R&B"_s, {u"B.WAV"_s, u"a.Mid"_s});
    const QString odd = makeDirectoryWithFiles(*media, u"other"_s, {u"a.ogg"_s});
    const QString file = makeDirectoryWithFiles(*media, u"f"_s, {u"on.mp3"_s, u"off.wav"_s}) + u"/on.mp3"_s;
    const QString path[] = {big, mixed, odd, media->path() + u"/missing"_s, file, big, u""_s, u"non"_s};
    const QString flag[] = {u"1"_s, u"yes"_s, u"1"_s, u"1"_s, u"1"_s, u"0"_s, u"1"_s, u"1"_s};
    for (int k = 1; k <= 8; ++k)
        storeSlot(SlotKind::Directory, k == 8 ? 10 : k, path[k - 1], flag[k - 1]);
    storeSlot(SlotKind::File, 1, file, u"1"_s);
    storeSlot(SlotKind::File, 2, QString(file).replace(u"on.mp3"_s, u"off.wav"_s), u"0"_s);
    storeSlot(SlotKind::File, 3, file + u".gone"_s, u"1"_s);
    storeSlot(SlotKind::File, 4, media->path(), u"1"_s);
    storeTexts({{slotValueNames(SlotKind::File, 5).flag, u"1"_s}});
    rig->formCreate();

    const PlayState &s = rig->state();
    EXPECT_EQ(s.DirFileCount[1], 20);
    EXPECT_EQ(s.DirFiles[1][19], big + u"/t20.mp3"_s);
    EXPECT_EQ(s.PlayList[1], s.DirFiles[1]);
    EXPECT_EQ(s.DirFiles[2][0], mixed + u"/a.Mid"_s);
    for (int k = 1; k <= SlotCount; ++k)
        EXPECT_EQ(s.DirPlayFlag[k], k <= 2 ? u"1"_s : u"0"_s) << "directory slot " << k;
    EXPECT_EQ(s.AllDirText, u"AllDir:,1,2"_s);
    EXPECT_EQ(storedText(slotValueNames(SlotKind::Directory, 10).path), QString()) << "a stored \"non\" is absent";
    EXPECT_EQ(storedText(slotValueNames(SlotKind::Directory, 4).flag), u"1"_s) << "switched off for this run only";
    EXPECT_EQ(rig->actions.DirNoSelectMenu[2]->text(), menuTextForPath(mixed));
    EXPECT_FALSE(rig->actions.DirNoSelectMenu[3]->isVisible());
    EXPECT_EQ(QStringList(s.FilePlayFlag.begin(), s.FilePlayFlag.begin() + 5),
              (QStringList{u"1"_s, u"0"_s, u"0"_s, u"0"_s, u"1"_s}));
    EXPECT_TRUE(rig->actions.FileNoSelectMenu[2]->isVisible()) << "an existing file is offered whatever its flag";
    EXPECT_EQ(rig->actions.FileNoSelectMenu[1]->text(), u"on.mp3"_s);
    EXPECT_FALSE(rig->actions.FileNoSelectMenu[3]->isVisible());

    // A slot removed later keeps its entry and old files but takes no part.
    storeSlot(SlotKind::Directory, 2, u""_s, u"0"_s);
    rig->engine.LoadSettings();
    EXPECT_TRUE(rig->actions.DirNoSelectMenu[2]->isVisible());
    EXPECT_EQ(s.DirPlayFlag[2], u"0"_s);
    EXPECT_EQ(s.DirFiles[2][1], mixed + u"/B.WAV"_s);
    EXPECT_EQ(s.AllDirText, u"AllDir:,1"_s);
}

TEST(RandomOrder, SortKeysSortsAnyRangeInPlaceAndNothingElse)
{
    const std::vector<std::vector<int>> inputs = {
        {5}, {2, 1}, {1, 2, 3, 4, 5, 6}, {20, 19, 18, 17, 16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1},
        {7, 7, 7, 7}, {3, 1000, 1, 999, 500, 2, 501}};
    for (const std::vector<int> &input : inputs) {
        // The range ends at the last entry; what comes before it stays.
        const int first = FilesPerDirectory - static_cast<int>(input.size());
        FileArray<int> keys{};
        std::fill(keys.begin(), keys.end(), 9999);
        std::copy(input.begin(), input.end(), keys.begin() + first);
        SortKeys(keys, first, FilesPerDirectory - 1);
        std::vector<int> expected = input;
        std::sort(expected.begin(), expected.end());
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), keys.begin() + first));
        EXPECT_TRUE(std::all_of(keys.begin(), keys.begin() + first, [](int key) { return key == 9999; }));
    }
}

// Twenty keys drawn from 1 to 1000 repeat one in six shuffles unless each draw
// is checked against the earlier ones; a repeated key would put one file in
// two places of the play order and lose another.
TEST(RandomOrder, EveryShufflePlaysEachFileOnce)
{
    for (std::time_t now = 1'700'000'000; now < 1'700'000'060; ++now) {
        PlayState state;
        QStringList files;
        for (int i = 0; i < FilesPerDirectory; ++i)
            state.PlayList[2][i] = files.emplace_back(QString::number(i));
        ShuffleDirectory(state, 2, FilesPerDirectory, now);
        const QStringList order(state.PlayList[2].begin(), state.PlayList[2].begin() + FilesPerDirectory);
        ASSERT_EQ(QSet<QString>(order.begin(), order.end()).size(), FilesPerDirectory) << "seeded by " << now;
    }
}

TEST_F(Engine, RandomOrderShufflesThePlayOrderButNeverTheListing)
{
    const QString dir = dirSlot(3, numberedNames(u"r"_s, 8));
    storeTexts({{settings::RandPlayFlag(), u"1"_s}});
    playAtStartUp();
    rig->formCreate();
    const PlayState &s = rig->state();
    const QStringList listing(s.DirFiles[3].begin(), s.DirFiles[3].begin() + 8);
    const QStringList order(s.PlayList[3].begin(), s.PlayList[3].begin() + 8);
    EXPECT_NE(order, listing);
    EXPECT_EQ(QSet<QString>(order.begin(), order.end()), QSet<QString>(listing.begin(), listing.end()));
    EXPECT_TRUE(std::is_sorted(listing.begin(), listing.end()));
    EXPECT_TRUE(std::is_sorted(s.RandomKeys.begin(), s.RandomKeys.begin() + 8));
    EXPECT_EQ(s.PlayList[3][8], QString()) << "entries past the count stay";

    // With directory repetition the pass ends in a reshuffle, seeded by the
    // clock, and the directory is not read again.
    rig->actions.NDirRepetition->trigger();
    writeFile(dir + u"/r00.mp3"_s, {});
    PlayState expected = s;
    rig->now += 1;
    ShuffleDirectory(expected, 3, 8, rig->now);
    endTracks(8);
    EXPECT_EQ(s.PlayList[3], expected.PlayList[3]);
    EXPECT_EQ(rig->player.playedFiles.last(), expected.PlayList[3][0]);
    EXPECT_EQ(s.DirFiles, expected.DirFiles);

    // Select-play reshuffles first.
    QSet<QString> firsts;
    for (int run = 0; run < 6; ++run) {
        rig->engine.NStopClick();
        rig->now += 1;
        rig->engine.DirNoSelectMenuClick(3);
        firsts.insert(rig->player.playedFiles.last());
        EXPECT_EQ(rig->player.playedFiles.last(), s.PlayList[3][0]);
    }
    EXPECT_GT(firsts.size(), 1) << "not always the same first file";
}

namespace {

struct ResumeRow {
    const char *name;
    QString kind;                            // the play kind of both runs
    std::function<void(Engine &)> slots;     // what the first run plays
    int trackEnds;                           // before the stop at 83 s
    bool paused;                             // the stop comes in a pause, which counts as play
    std::function<void(Engine &, const QString &left)> meanwhile; // between the two runs, given the file left
    bool atStartUp;                          // the second run plays at start-up, or at the first play
    QString resumed;                         // what the second run starts with
    bool atThePlace;                         // at 83 s, or at the file's start
    QString then;                            // what follows it
    QString designed;                        // what a later start plays
};

const QList<ResumeRow> ResumeRows = {
    {"DirectoryPlayGoesBackToTheFileAndPlace", u"1"_s, [](Engine &e) { e.dirSlot(2, {u"a.mp3"_s, u"b.mp3"_s, u"c.mp3"_s}); }, 1, false, {},
     true, u"b.mp3"_s, true, u"c.mp3"_s, u"a.mp3"_s},
    {"TheFirstPlayCommandResumesWithoutPlayAtStartUp", u"1"_s, [](Engine &e) { e.dirSlot(2, {u"a.mp3"_s, u"b.mp3"_s}); }, 1, true, {},
     false, u"b.mp3"_s, true, u"a.mp3"_s, u"a.mp3"_s},
    {"RandomOrderFindsTheFileByNameInTheNewOrder", u"1"_s,
     [](Engine &e) { e.dirSlot(3, numberedNames(u"r"_s, 8)), storeTexts({{settings::RandPlayFlag(), u"1"_s}}); }, 2, true,
     {}, true, {}, true, {}, {}},
    {"FilePlayGoesBackToTheFileAndPlace", u"2"_s, [](Engine &e) { e.fileSlot(1, u"one.mp3"_s), e.fileSlot(3, u"three.mp3"_s); }, 1, true, {},
     true, u"three.mp3"_s, true, u"one.mp3"_s, u"one.mp3"_s},
    {"AVanishedFileStartsItsSlot", u"1"_s, [](Engine &e) { e.dirSlot(1, {u"z.mp3"_s}), e.dirSlot(2, {u"a.mp3"_s, u"b.mp3"_s, u"c.mp3"_s}); }, 2, true,
     [](Engine &, const QString &left) { QFile::remove(left); }, true, u"a.mp3"_s, false, u"c.mp3"_s, u"z.mp3"_s},
    {"AChangedFileStartsItsSlot", u"1"_s, [](Engine &e) { e.dirSlot(1, {u"z.mp3"_s}), e.dirSlot(2, {u"a.mp3"_s, u"b.mp3"_s}); }, 2, true,
     [](Engine &, const QString &left) { writeFile(left, "new"); }, true, u"a.mp3"_s, false, u"b.mp3"_s, u"z.mp3"_s},
    {"AChangedFileOfAFileSlotStartsFromItsStart", u"2"_s, [](Engine &e) { e.fileSlot(4, u"four.mp3"_s); }, 0, true,
     [](Engine &, const QString &left) { writeFile(left, "new"); }, true, u"four.mp3"_s, false, u"four.mp3"_s, u"four.mp3"_s},
    {"ASlotThatNoLongerTakesPartStartsAsDesigned", u"1"_s, [](Engine &e) { e.dirSlot(1, {u"a.mp3"_s}), e.dirSlot(5, {u"e.mp3"_s}); }, 1, true,
     [](Engine &, const QString &) { storeTexts({{slotValueNames(SlotKind::Directory, 5).flag, u"0"_s}}); }, true, u"a.mp3"_s, false, u"a.mp3"_s, u"a.mp3"_s},
    {"TheOtherPlayKindStartsAsDesigned", u"1"_s, [](Engine &e) { e.dirSlot(3, {u"a.mp3"_s}), e.fileSlot(1, u"f1.mp3"_s), e.fileSlot(3, u"f3.mp3"_s); }, 0, true,
     [](Engine &, const QString &) { storeTexts({{settings::SelectPlayFlag(), u"2"_s}}); }, true, u"f1.mp3"_s, false, u"f3.mp3"_s, u"f1.mp3"_s},
};

} // namespace

TEST_F(Engine, TheFirstStartOfARunGoesBackToWherePlayStoodOnce)
{
    for (const ResumeRow &row : ResumeRows) {
        SCOPED_TRACE(row.name);
        restart();
        playAtStartUp(row.kind);
        storeTexts({{settings::ResumeFlag(), u"1"_s}});
        row.slots(*this);
        rig->formCreate();
        endTracks(row.trackEnds);
        const QString left = rig->player.FileName();
        rig->player.setPlayingPosition(83'000);
        if (row.paused)
            rig->actions.NOneTimeStop->trigger(), rig->player.deliverNotifications();
        rig->actions.NStop->trigger();

        // The program starts again on the same store; a random order is new.
        rig = std::make_unique<EngineRig>();
        rig->windows.createHiddenBars();
        rig->now += 7;
        if (row.meanwhile)
            row.meanwhile(*this, left);
        storeTexts({{settings::PlayFlag(), row.atStartUp ? u"1"_s : u"0"_s}});
        rig->formCreate();
        if (!row.atStartUp)
            rig->actions.NPlay->trigger();
        const PlayState &s = rig->state();
        ASSERT_EQ(played(), QStringList{row.resumed.isEmpty() ? left.section(u'/', -1) : row.resumed});
        EXPECT_EQ(rig->player.calls.contains(u"Position 83000"_s), row.atThePlace);
        const QString then = row.then.isEmpty() ? s.PlayList[3][s.PlayPos].section(u'/', -1) : row.then;
        endTracks(1);
        EXPECT_EQ(last(), then) << "play does not go on from there";
        rig->actions.NStop->trigger(), rig->actions.NPlay->trigger();
        EXPECT_EQ(last(), row.designed.isEmpty() ? s.PlayList[3][0].section(u'/', -1) : row.designed) << "a second start resumed too";
    }
}

// Random order within a directory slot: the key sort and the placement.

#include "engine/random_order.h"

#include <QSet>
#include <QStringList>

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace brookhum;

namespace {

void fillSlot(PlayState &state, int slot, int count, const QString &prefix = u"/m/"_s)
{
    for (int i = 0; i < FilesPerDirectory; ++i) {
        const QString path = i < count ? prefix + QString::number(i) + u".mp3"_s : u"beyond "_s + QString::number(i);
        state.DirFiles[slot][i] = path;
        state.PlayList[slot][i] = path;
    }
}

// Where each original position ended up.
std::vector<int> permutationOf(const PlayState &state, int slot, int count)
{
    std::vector<int> positions;
    for (int i = 0; i < count; ++i) {
        const auto &row = state.PlayList[slot];
        positions.push_back(static_cast<int>(std::find(row.begin(), row.end(), state.DirFiles[slot][i]) - row.begin()));
    }
    return positions;
}

} // namespace

TEST(SortKeys, SortsEveryShapeOfInputInPlace)
{
    const std::vector<std::vector<int>> inputs = {
        {5},
        {2, 1},
        {1, 2, 3, 4, 5, 6},
        {20, 19, 18, 17, 16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1},
        {7, 7, 7, 7},
        {3, 1000, 1, 999, 500, 2, 501},
    };
    for (const std::vector<int> &input : inputs) {
        FileArray<int> keys{};
        std::copy(input.begin(), input.end(), keys.begin());
        SortKeys(keys, 0, static_cast<int>(input.size()) - 1);
        std::vector<int> expected = input;
        std::sort(expected.begin(), expected.end());
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), keys.begin()));
    }
}

TEST(SortKeys, LeavesKeysOutsideTheRangeAlone)
{
    FileArray<int> keys{};
    const int input[] = {9, 8, 3, 2, 1, 0};
    std::copy(std::begin(input), std::end(input), keys.begin());
    SortKeys(keys, 1, 4);
    const int expected[] = {9, 1, 2, 3, 8, 0};
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), keys.begin()));
}

TEST(ShuffleDirectory, ReordersThePathsKeepingEachOnceAndTouchesNothingElse)
{
    PlayState state;
    fillSlot(state, 4, 20);
    fillSlot(state, 5, 20, u"/other/"_s);
    const auto listing = state.DirFiles;

    ShuffleDirectory(state, 4, 20, 1'700'000'000);

    const auto &row = state.PlayList[4];
    const QSet<QString> shuffled(row.begin(), row.end());
    const QSet<QString> listed(listing[4].begin(), listing[4].end());
    EXPECT_EQ(shuffled, listed);
    EXPECT_NE(row, listing[4]);
    EXPECT_EQ(state.DirFiles, listing);
    EXPECT_EQ(state.PlayList[5], listing[5]);

    std::vector<int> keys(state.RandomKeys.begin(), state.RandomKeys.end());
    EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
    EXPECT_EQ(QSet<int>(keys.begin(), keys.end()).size(), 20);
    for (int key : keys) {
        EXPECT_GE(key, 1);
        EXPECT_LE(key, 1000);
    }
}

TEST(ShuffleDirectory, EntriesFromTheCountOnAreNotTouched)
{
    PlayState state;
    fillSlot(state, 2, 7);
    ShuffleDirectory(state, 2, 7, 42);
    for (int i = 7; i < FilesPerDirectory; ++i)
        EXPECT_EQ(state.PlayList[2][i], u"beyond "_s + QString::number(i));
}

TEST(ShuffleDirectory, ASingleFileStaysPut)
{
    PlayState state;
    fillSlot(state, 1, 1);
    ShuffleDirectory(state, 1, 1, 123);
    EXPECT_EQ(state.PlayList[1][0], u"/m/0.mp3"_s);
}

TEST(ShuffleDirectory, SlotsOfEqualSizeInTheSameSecondGetTheSamePermutation)
{
    PlayState state;
    fillSlot(state, 3, 7, u"/a/"_s);
    fillSlot(state, 8, 7, u"/b/"_s);
    ShuffleDirectory(state, 3, 7, 1'234'567);
    ShuffleDirectory(state, 8, 7, 1'234'567);
    EXPECT_EQ(permutationOf(state, 3, 7), permutationOf(state, 8, 7));

    // Another second draws another order (these two seconds are known to differ).
    PlayState later;
    fillSlot(later, 3, 7, u"/a/"_s);
    ShuffleDirectory(later, 3, 7, 1'234'568);
    EXPECT_NE(permutationOf(later, 3, 7), permutationOf(state, 3, 7));
}

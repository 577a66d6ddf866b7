#include "engine/random_order.h"

#include <cstdlib>
#include <utility>

namespace brookhum {

void SortKeys(FileArray<int> &keys, int first, int last)
{
    const int pivot = keys[(first + last) / 2];
    int i = first;
    int j = last;
    for (;;) {
        while (keys[i] < pivot)
            ++i;
        while (keys[j] > pivot)
            --j;
        if (i >= j)
            break;
        std::swap(keys[i], keys[j]);
        ++i;
        --j;
    }
    if (i - 1 > first)
        SortKeys(keys, first, i - 1);
    if (j + 1 < last)
        SortKeys(keys, j + 1, last);
}

void ShuffleDirectory(PlayState &state, int slot, int count, std::time_t now)
{
    FileArray<int> drawn{};
    FileArray<QString> placed;
    auto &row = state.PlayList[slot];
    auto &keys = state.RandomKeys;

    std::srand(static_cast<unsigned>(now));
    for (int i = 0; i < count; ++i) {
        int key = 0;
        bool taken = true;
        while (taken) {
            key = std::rand() % 1000 + 1;
            taken = false;
            for (int earlier = 0; earlier < i; ++earlier)
                taken = taken || drawn[earlier] == key;
        }
        keys[i] = key;
        drawn[i] = key;
    }

    SortKeys(keys, 0, count - 1);

    for (int a = 0; a < count; ++a) {
        for (int b = 0; b < count; ++b) {
            if (keys[b] == drawn[a])
                placed[b] = row[a];
        }
    }
    for (int i = 0; i < count; ++i)
        row[i] = placed[i];
}

} // namespace brookhum

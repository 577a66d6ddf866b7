#pragma once

#include "engine/play_state.h"

#include <ctime>

namespace brookhum {

// Sorts keys[first..last] (inclusive) ascending in place: a recursive
// quicksort around the middle element.
void SortKeys(FileArray<int> &keys, int first, int last);

// Puts the first count entries of directory slot's PlayList row in a random
// order: every file gets a distinct key 1..1000 from the C library generator,
// reseeded with now (whole seconds) on every run, and the files are placed in
// ascending key order. Entries from count on and DirFiles are left alone.
void ShuffleDirectory(PlayState &state, int slot, int count, std::time_t now);

} // namespace brookhum

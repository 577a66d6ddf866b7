#pragma once

#include "base/slots.h"

#include <QString>

namespace brookhum {

// Everything the player remembers between two events. Flags keep their
// stored form: one-character texts compared as texts ("1", "0", and "2" for
// the play kind), never booleans.
//
// The four mode switches (file repetition, directory repetition, random order,
// one-time stop) are not here: they are the check marks of the tray menu.
struct PlayState {
    // --- members of the main window ---
    int CurrentDir = 0;        // directory slot playing or played last; 0 before the first
    int PlayerOpen = 0;        // 1 while a file is open on the media player (also when paused)
    int SelectPlayRequest = 0; // 1 when the select-play bar asks the next directory start for a file
    SlotArray<int> DirFileCount{};
    SlotArray<FileArray<QString>> DirFiles; // listing order, never reordered
    int RepeatRestartSkip = 0; // 1: the next end under file repetition closes instead of restarting
    SlotArray<QString> DirPlayFlag;

    // --- engine-wide ---
    int PausePosition = 0;     // milliseconds
    int PlayPos = 0;           // directory play: 1-based number of the playing file in PlayList
    int NextFileSlot = 0;      // file play: slot examined first at the next end of track (11 wraps to 1)
    QString AllDirText;
    SlotArray<QString> DirPath;
    SlotArray<FileArray<QString>> PlayList; // play order; equals DirFiles unless shuffled
    SlotArray<QString> FilePath;
    SlotArray<QString> FilePlayFlag;
    QString PlayFlag;          // "0" = stopped, anything else = playing on
    QString SelectPlayFlag;    // "1" = directory slots, anything else = file slots
    FileArray<int> RandomKeys{};
};

} // namespace brookhum

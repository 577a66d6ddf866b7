#pragma once

#include "setup/login_start.h"
#include "setup/pending_slot_paths.h"
#include "setup/set_up_hint_handler.h"
#include "setup/set_up_dialog.h"
#include "setup/set_up_layout.h"
#include "setup/version_dialog.h"

#include <QMap>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

namespace brookhum::test {

class FakeMediaPlayer;

// Opens set-up dialogs as the program does, around pending paths of its own,
// a counter in place of the main window's settings load, and a fake preview
// player unless a test asks for the real one.
struct SetUpRig {
    PendingSlotPaths pending;
    int reloads = 0;
    std::function<void()> onReload; // runs inside each reload, when set
    QList<QPointer<TForm3>> versionDialogs; // as recorded, oldest first
    bool realPreviewPlayer = false;
    FakeMediaPlayer *previewPlayer = nullptr; // the fake of the newest dialog
    SetUpHintHandler hints;
    LoginStart loginStart = LoginStart::forThisProgram();

    std::unique_ptr<TForm2> open();
};

// Puts the directory `path` into directory slot `slot` as a drop from the
// directory list does: opens its parent, selects it and drops.
void dropDirectory(TForm2 &dialog, int slot, const QString &path);

// Puts the file `name` of `directory` into file slot `slot` the same way.
void dropFile(TForm2 &dialog, int slot, const QString &directory, const QString &name);

// Every value of the settings store, by name; for "nothing else changed".
QMap<QString, QVariant> storeSnapshot();

// The file that holds the settings store.
QString storeFile();

} // namespace brookhum::test

#pragma once

#include "app/form_refs.h"
#include "app/main_window.h"
#include "engine/ports.h"
#include "setup/pending_slot_paths.h"
#include "support/fake_media_player.h"

#include <QPixmap>
#include <QPoint>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class QComboBox;

namespace brookhum {
class MenuActions;
class TForm4;
class TForm5;
struct PlayState;
}

namespace brookhum::test {

// The program as after start-up, on a fake media player whose blocking waits
// take no time and are recorded: the hidden main window and both bars,
// created hidden into Form4 and Form5. Settings stored before construction
// are loaded by the main window's creation.
class BarRig {
public:
    BarRig();
    ~BarRig();
    BarRig(const BarRig &) = delete;
    BarRig &operator=(const BarRig &) = delete;

    TForm1 &form1() { return *m_form1; }
    PlayEngine &engine() { return m_form1->engine(); }
    MenuActions &actions() { return m_form1->actions(); }
    const PlayState &state();
    FakeMediaPlayer &player() { return *m_player; }

    // The current bars, shown or hidden.
    TForm4 &selectBar();
    TForm5 &indicationBar();

    FormRefs forms;
    QList<int> waits; // every blocking wait asked for, in seconds

private:
    PendingSlotPaths m_pending;
    FakeMediaPlayer *m_player = nullptr;
    std::unique_ptr<TForm1> m_form1;
};

// Media directories for the settings store, each in a directory whose name
// has spaces, quotes and non-ASCII characters.
class MediaLibrary {
public:
    // Stores directory slot k as on, in a new directory holding the files
    // named (given in listing order); returns their full paths.
    QStringList addDirectorySlot(int slot, const QStringList &names);
    // Stores file slot k as on, for a new file of that name.
    QString addFileSlot(int slot, const QString &name);

private:
    QTemporaryDir m_root;
};

// The two bars with their designed places and the names of their stored
// positions.
struct BarKind {
    const char *name;
    Bar bar;
    QPoint designPlace;
    QString xName;
    QString yName;
};
extern const QList<BarKind> barKinds;

// Opens a combo box's list as the user does, which runs its drop-down
// handler, then picks an item with the keyboard or closes the list.
void chooseFromList(QComboBox &combo, int index);
void openAndCloseList(QComboBox &combo);
QStringList itemsOf(const QComboBox &combo);

// Pictures in one comparable form.
QImage comparable(const QPixmap &picture);

} // namespace brookhum::test

#pragma once

// The program after start-up around a fake media player, for the tests of
// the two bars.

#include "app/bar_windows.h"
#include "app/form_refs.h"
#include "bars/indication_bar.h"
#include "bars/select_play_bar.h"
#include "engine/menu_actions.h"
#include "settings/setting_names.h"
#include "setup/pending_slot_paths.h"
#include "support/main_window_parts.h"
#include "support/media_fixtures.h"

#include <QAction>
#include <QTemporaryDir>

namespace brookhum::test {

class BarsTest : public StoreTest {
protected:
    // Starts the program with what is stored so far: the hidden main window,
    // both bars created hidden, blocking waits recorded instead of waited.
    void start()
    {
        form1.reset();
        waits.clear();
        auto fake = std::make_unique<FakeMediaPlayer>();
        player = fake.get();
        TForm1::Parts parts = mainWindowParts(forms, pending, std::move(fake));
        parts.wait = [this](int seconds) { waits << seconds; };
        form1 = std::make_unique<TForm1>(std::move(parts));
        form1->bars().createBar(Bar::Select);
        form1->bars().createBar(Bar::Indication);
    }

    // Stores directory slot k as on, in a new directory of the named files,
    // and returns their paths.
    QStringList storeSlot(int k, const QStringList &names)
    {
        const QString directory = makeDirectoryWithFiles(media, QStringLiteral("曲 'slot %1'").arg(k), names);
        test::storeSlot(SlotKind::Directory, k, directory);
        QStringList paths;
        for (const QString &name : names)
            paths << directory + u'/' + name;
        return paths;
    }

    QWidget *current(Bar bar) { return bar == Bar::Select ? static_cast<QWidget *>(forms.Form4) : forms.Form5; }
    // Opens a fresh bar from its tray command, unless it is showing.
    QWidget *show(Bar bar) { return (bar == Bar::Select ? form1->Form4ShowClick() : form1->NIndicationClick()), current(bar); }
    static std::pair<QString, QString> positionNames(Bar bar)
    {
        return bar == Bar::Select ? std::pair{settings::DirSelectXPointPlayFlag(), settings::DirSelectYPointPlayFlag()}
                                  : std::pair{settings::IndicationXPointPlayFlag(), settings::IndicationYPointPlayFlag()};
    }
    static QPoint storedPlace(Bar bar) { return {storedText(positionNames(bar).first).toInt(), storedText(positionNames(bar).second).toInt()}; }

    FormRefs forms;
    PendingSlotPaths pending;
    FakeMediaPlayer *player = nullptr;
    QList<int> waits; // Each blocking wait asked for, in seconds.
    std::unique_ptr<TForm1> form1;
    QTemporaryDir media;
};

} // namespace brookhum::test

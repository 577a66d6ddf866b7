#include "setup/set_up_dialog.h"

#include "base/media_player.h"
#include "engine/error_report.h"
#include "resources/design_font.h"
#include "setup/directory_list_box.h"
#include "setup/file_list_box.h"
#include "setup/pending_slot_paths.h"
#include "setup/set_up_hint_handler.h"
#include "setup/set_up_load.h"
#include "setup/slot_check_box.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace brookhum {

TForm2::TForm2(QWidget *owner, SetUpEnvironment environment)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                         | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_environment(std::move(environment))
{
    setObjectName(u"Form2"_s);
    setWindowTitle(u"初期設定"_s);
    setFont(designFont(12));
    m_ui = buildSetUpControls(*this);
    move(388, 208);

    m_setUpMediaPlayer = m_environment.makePreviewPlayer();
    wireHandlers();
    // An error while loading is shown like any other; the dialog still opens.
    guarded([this] { FormCreate(); })();
}

TForm2::~TForm2() = default;

PendingSlotPaths &TForm2::pending() const
{
    return *m_environment.pending;
}

RegIniFile &TForm2::store() const
{
    return *m_environment.store;
}

void TForm2::wireHandlers()
{
    connect(m_ui.SetUpButton, &QPushButton::clicked, this, guarded([this] { SetUpButtonClick(); }));
    connect(m_ui.CloseButton, &QPushButton::clicked, this, guarded([this] { CloseButtonClick(); }));
    connect(m_ui.DirSetUpRadioButton, &QRadioButton::clicked, this, guarded([this] { DirSetUpRadioButtonClick(); }));
    connect(m_ui.FileSetUpRadioButton, &QRadioButton::clicked, this,
            guarded([this] { FileSetUpRadioButtonClick(); }));
    connect(m_ui.SetUpFileListBox, &FileListBox::dblClick, this, guarded([this] { SetUpFileListBoxDblClick(); }));
    connect(m_ui.SetUpCloseBitBtn, &QPushButton::clicked, this, guarded([this] { SetUpCloseBitBtnClick(); }));
    connect(m_setUpMediaPlayer.get(), &MediaPlayer::Notify, this, guarded([this] { SetUpMediaPlayerNotify(); }));
    connect(m_ui.PointReButton, &QPushButton::clicked, this, guarded([this] { PointReButtonClick(); }));
    connect(m_ui.Help1, &QAction::triggered, this, guarded([this] { Help1Click(); }));
    connect(m_ui.Ver, &QAction::triggered, this, guarded([this] { VerClick(); }));
    wireSlotHandlers();
}

void TForm2::wireSlotHandlers()
{
    for (int slot = 1; slot <= 10; ++slot) {
        m_ui.DirNoCheckBox[slot - 1]->setDragHandlers(
            [this, slot](QObject *source) { return DirNoCheckBoxDragOver(slot, source); },
            [this, slot](QObject *source) { DirNoCheckBoxDragDrop(slot, source); });
        m_ui.FileNoCheckBox[slot - 1]->setDragHandlers(
            [this, slot](QObject *source) { return FileNoCheckBoxDragOver(slot, source); },
            [this, slot](QObject *source) { FileNoCheckBoxDragDrop(slot, source); });
        connect(m_ui.SetUpDirDelNoButton[slot - 1], &QPushButton::clicked, this,
                guarded([this, slot] { SetUpDirDelNoButtonClick(slot); }));
        connect(m_ui.SetUpFileDelNoButton[slot - 1], &QPushButton::clicked, this,
                guarded([this, slot] { SetUpFileDelNoButtonClick(slot); }));
    }
}

void TForm2::FormCreate()
{
    SetUpHintHandler::install(*this);
    showLoaded(loadSetUp(store()));
}

void TForm2::showLoaded(const LoadedSetUp &loaded)
{
    m_ui.FirstPlayCheckBox->setChecked(loaded.firstPlay);
    m_ui.PlayBarBeginCheckBox->setChecked(loaded.playBarBegin);
    m_ui.IndicationBarBeginCheckBox->setChecked(loaded.indicationBarBegin);
    if (loaded.mode == SetUpMode::Directory) {
        m_ui.DirSetUpRadioButton->setChecked(true);
        ShowDirSetUp();
    } else if (loaded.mode == SetUpMode::File) {
        m_ui.FileSetUpRadioButton->setChecked(true);
        ShowFileSetUp();
    }
    // An absent path leaves both the caption and the pending path as they are.
    for (int slot = 1; slot <= 10; ++slot) {
        const LoadedSlot &dir = loaded.dirSlots[slot - 1];
        if (dir.path) {
            pending().DirSlotPath[slot - 1] = *dir.path;
            m_ui.DirNoCheckBox[slot - 1]->setCaption(*dir.path);
        }
        m_ui.DirNoCheckBox[slot - 1]->setChecked(dir.ticked);

        const LoadedSlot &file = loaded.fileSlots[slot - 1];
        if (file.path) {
            pending().FileSlotPath[slot - 1] = *file.path;
            m_ui.FileNoCheckBox[slot - 1]->setCaption(*file.path);
        }
        m_ui.FileNoCheckBox[slot - 1]->setChecked(file.ticked);
    }
}

SetUpMode TForm2::mode() const
{
    if (m_ui.DirSetUpRadioButton->isChecked())
        return SetUpMode::Directory;
    if (m_ui.FileSetUpRadioButton->isChecked())
        return SetUpMode::File;
    return SetUpMode::None;
}

void TForm2::DirSetUpRadioButtonClick()
{
    ShowDirSetUp();
}

void TForm2::FileSetUpRadioButtonClick()
{
    ShowFileSetUp();
}

void TForm2::ShowDirSetUp()
{
    m_ui.SetUpDirectoryListBox->setDragSource(true);
    m_ui.SetUpFileListBox->setDragSource(false);
    m_ui.SetUpDirPanel->show();
    m_ui.SetUpFileListBox->hide();
    m_ui.SetUpFilePanel->hide();
    m_ui.SetUpCloseBitBtn->hide();
}

void TForm2::ShowFileSetUp()
{
    m_ui.SetUpDirectoryListBox->setDragSource(false);
    m_ui.SetUpFileListBox->setDragSource(true);
    m_ui.SetUpFilePanel->show();
    m_ui.SetUpFileListBox->show();
    m_ui.SetUpCloseBitBtn->show();
    m_ui.SetUpDirPanel->hide();
}

void TForm2::CloseButtonClick()
{
    close();
}

void TForm2::programEnding()
{
    m_programEnding = true;
}

void TForm2::closeEvent(QCloseEvent *event)
{
    if (!m_programEnding)
        guarded([this] { FormClose(); })();
    event->accept();
}

void TForm2::FormClose()
{
    if (m_environment.reloadSettings)
        m_environment.reloadSettings();
}

} // namespace brookhum

#include "setup/set_up_dialog.h"

#include "base/media_player.h"
#include "base/error_display.h"
#include "resources/design_font.h"
#include "setup/directory_list_box.h"
#include "setup/file_list_box.h"
#include "setup/login_start.h"
#include "setup/option_ticks.h"
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
    guarded(errors(), [this] { FormCreate(); })();
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

ErrorDisplay &TForm2::errors() const
{
    return *m_environment.errors;
}

void TForm2::wireHandlers()
{
    connect(m_ui.SetUpButton, &QPushButton::clicked, this, guarded(errors(), [this] { SetUpButtonClick(); }));
    connect(m_ui.CloseButton, &QPushButton::clicked, this, guarded(errors(), [this] { CloseButtonClick(); }));
    connect(m_ui.DirSetUpRadioButton, &QRadioButton::clicked, this, guarded(errors(), [this] { DirSetUpRadioButtonClick(); }));
    connect(m_ui.FileSetUpRadioButton, &QRadioButton::clicked, this,
            guarded(errors(), [this] { FileSetUpRadioButtonClick(); }));
    connect(m_ui.SetUpFileListBox, &FileListBox::dblClick, this, guarded(errors(), [this] { SetUpFileListBoxDblClick(); }));
    connect(m_ui.SetUpCloseBitBtn, &QPushButton::clicked, this, guarded(errors(), [this] { SetUpCloseBitBtnClick(); }));
    connect(m_setUpMediaPlayer.get(), &MediaPlayer::Notify, this, guarded(errors(), [this] { SetUpMediaPlayerNotify(); }));
    connect(m_ui.PointReButton, &QPushButton::clicked, this, guarded(errors(), [this] { PointReButtonClick(); }));
    connect(m_ui.Help1, &QAction::triggered, this, guarded(errors(), [this] { Help1Click(); }));
    connect(m_ui.Ver, &QAction::triggered, this, guarded(errors(), [this] { VerClick(); }));
    wireSlotHandlers();
}

void TForm2::wireSlotHandlers()
{
    for (const SlotKind kind : {SlotKind::Directory, SlotKind::File}) {
        for (int slot = 1; slot <= SlotCount; ++slot) {
            m_ui.checkBoxes(kind)[slot]->setDragHandlers(
                [this, kind](QObject *source) { return SlotCheckBoxDragOver(kind, source); },
                [this, kind, slot](QObject *source) {
                    guarded(errors(), [&] { SlotCheckBoxDragDrop(kind, slot, source); })();
                });
            connect(m_ui.deleteButtons(kind)[slot], &QPushButton::clicked, this,
                    guarded(errors(), [this, kind, slot] { SetUpDelNoButtonClick(kind, slot); }));
        }
    }
}

void TForm2::FormCreate()
{
    m_environment.hints->attach(*this);
    showLoaded(loadSetUp(store()));
    m_ui.LoginStartCheckBox->setChecked(m_environment.loginStart->isOn());
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
    for (const SlotKind kind : {SlotKind::Directory, SlotKind::File}) {
        for (int slot = 1; slot <= SlotCount; ++slot) {
            const LoadedSlot &stored = loaded.slots(kind)[slot];
            if (stored.path) {
                pending().of(kind)[slot] = *stored.path;
                m_ui.checkBoxes(kind)[slot]->setCaption(*stored.path);
            }
            m_ui.checkBoxes(kind)[slot]->setChecked(stored.ticked);
        }
    }
    showOptionTicks(m_ui, loaded.options);
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
    // The preview belongs to the dialog and ends with it, as if stopped.
    if (m_ui.SetUpCloseBitBtn->isEnabled())
        guarded(errors(), [this] { SetUpCloseBitBtnClick(); })();
    if (!m_programEnding)
        guarded(errors(), [this] { FormClose(); })();
    event->accept();
}

void TForm2::FormClose()
{
    if (m_environment.reloadSettings)
        m_environment.reloadSettings();
}

} // namespace brookhum

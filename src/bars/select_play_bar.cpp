#include "bars/select_play_bar.h"

#include "bars/bar_position.h"
#include "bars/bar_window.h"
#include "bars/bit_button.h"
#include "bars/drop_down_combo_box.h"
#include "bars/toggle_pictures.h"
#include "base/error_display.h"
#include "engine/menu_actions.h"
#include "base/native_path.h"
#include "base/path_text.h"
#include "engine/play_engine.h"
#include "resources/pictures.h"
#include "settings/setting_names.h"

#include <QAction>
#include <QCloseEvent>

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

BitButton *makeButton(QWidget *bar, const QString &name, int left)
{
    auto *button = new BitButton(bar);
    button->setObjectName(name);
    button->setGeometry(left, 0, 25, 25);
    return button;
}

} // namespace

TForm4::TForm4(QWidget *owner, PlayEngine &engine, RegIniFile &store, ErrorDisplay &errors, Wait wait)
    : QWidget(owner, barWindowFlags()), m_engine(engine), m_store(store), m_errors(errors), m_wait(std::move(wait))
{
    setObjectName(u"Form4"_s);
    setUpBarWindow(*this, QSize(369, 28), QPoint(188, 291), selectBarIcon());
    createControls();
    wireControls();
    FormCreate();
}

void TForm4::createControls()
{
    DirSelectComboBox = new DropDownComboBox(this);
    DirSelectComboBox->setObjectName(u"DirSelectComboBox"_s);
    DirSelectComboBox->setGeometry(0, 0, 39, 20);
    for (int k = 1; k <= SlotCount; ++k)
        DirSelectComboBox->addItem(QString::number(k));
    DirSelectComboBox->setCurrentIndex(0);

    SelectPlayComboBox = new DropDownComboBox(this);
    SelectPlayComboBox->setObjectName(u"SelectPlayComboBox"_s);
    SelectPlayComboBox->setGeometry(40, 0, 181, 20);

    PlayBitBtn = makeButton(this, u"PlayBitBtn"_s, 224);
    PlayBitBtn->setGlyph(playButtonPicture());
    NextBitBtn = makeButton(this, u"NextBitBtn"_s, 248);
    NextBitBtn->setGlyph(nextButtonPicture());
    StopBitBtn = makeButton(this, u"StopBitBtn"_s, 272);
    StopBitBtn->setGlyph(stopButtonPicture());
    OnTimeStopBitBtn = makeButton(this, u"OnTimeStopBitBtn"_s, 296);
    RepetitionBitBtn = makeButton(this, u"RepetitionBitBtn"_s, 321);
    DirRepetitionBitBtn = makeButton(this, u"DirRepetitionBitBtn"_s, 345);

    const QList<QWidget *> tabOrder = {SelectPlayComboBox, DirSelectComboBox, RepetitionBitBtn, OnTimeStopBitBtn,
                                       StopBitBtn,         PlayBitBtn,        NextBitBtn,       DirRepetitionBitBtn};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void TForm4::wireControls()
{
    connect(DirSelectComboBox, &DropDownComboBox::droppedDown, this, guarded(m_errors, [this] { DirSelectComboBoxDropDown(); }));
    connect(SelectPlayComboBox, &DropDownComboBox::droppedDown, this,
            guarded(m_errors, [this] { SelectPlayComboBoxDropDown(); }));
    connect(SelectPlayComboBox, &QComboBox::activated, this, [this](int index) {
        guarded(m_errors, [this, index] { SelectPlayComboBoxSelect(index); })();
    });
    connect(PlayBitBtn, &QPushButton::clicked, this, guarded(m_errors, [this] { PlayBitBtnClick(); }));
    connect(NextBitBtn, &QPushButton::clicked, this, guarded(m_errors, [this] { NextBitBtnClick(); }));
    connect(StopBitBtn, &QPushButton::clicked, this, guarded(m_errors, [this] { StopBitBtnClick(); }));
    connect(OnTimeStopBitBtn, &QPushButton::clicked, this, guarded(m_errors, [this] { OnTimeStopBitBtnClick(); }));
    connect(RepetitionBitBtn, &QPushButton::clicked, this, guarded(m_errors, [this] { RepetitionBitBtnClick(); }));
    connect(DirRepetitionBitBtn, &QPushButton::clicked, this, guarded(m_errors, [this] { DirRepetitionBitBtnClick(); }));
}

void TForm4::FormCreate()
{
    SelectedDir = 1;
    const MenuActions &a = m_engine.actions();
    setTogglePicture(Toggle::DirRepetition, a.NDirRepetition->isChecked());
    setTogglePicture(Toggle::Repetition, a.NRepetition->isChecked());
    setTogglePicture(Toggle::OneTimeStop, a.NOneTimeStop->isChecked());
}

BitButton *TForm4::toggleButton(Toggle toggle) const
{
    switch (toggle) {
    case Toggle::Repetition:
        return RepetitionBitBtn;
    case Toggle::DirRepetition:
        return DirRepetitionBitBtn;
    case Toggle::OneTimeStop:
        return OnTimeStopBitBtn;
    }
    return nullptr;
}

void TForm4::setTogglePicture(Toggle toggle, bool checked)
{
    toggleButton(toggle)->setGlyph(togglePicture(toggle, checked));
}

void TForm4::closeEvent(QCloseEvent *event)
{
    guarded(m_errors, [this] { FormClose(); })();
    event->accept();
}

void TForm4::FormClose()
{
    storeBarPosition(*this, m_store, settings::DirSelectXPointPlayFlag(), settings::DirSelectYPointPlayFlag());
}

int TForm4::slotOfDirectoryList() const
{
    const QString text = DirSelectComboBox->currentText();
    for (int k = 1; k <= SlotCount; ++k) {
        if (text == QString::number(k))
            return k;
    }
    return 0;
}

void TForm4::DirSelectComboBoxDropDown()
{
    // Only the slots the last settings load found usable are offered, and
    // none is chosen until the user picks one.
    const PlayState &s = m_engine.state();
    DirSelectComboBox->clear();
    for (int k = 1; k <= SlotCount; ++k) {
        if (s.DirPlayFlag[k] == u"1"_s)
            DirSelectComboBox->addItem(QString::number(k));
    }
    DirSelectComboBox->setCurrentIndex(-1);
}

void TForm4::SelectPlayComboBoxDropDown()
{
    // Whatever plays stops, so the choice can start cleanly.
    m_engine.stopForSelection();

    const PlayState &s = m_engine.state();
    const int k = slotOfDirectoryList();
    const int count = k == 0 ? 0 : s.DirFileCount[k];
    SelectPlayComboBox->clear();
    // Listing order, not the play order: the user finds the file by name.
    for (int i = 0; i < count; ++i)
        SelectPlayComboBox->addItem(displayText(fileNamePart(s.DirFiles[k][i])));
    SelectPlayComboBox->setCurrentIndex(-1);
}

void TForm4::SelectPlayComboBoxSelect(int index)
{
    if (DirSelectComboBox->currentIndex() < 0)
        return;
    const int k = slotOfDirectoryList();
    if (k != 0 && index >= 0 && index < FilesPerDirectory) {
        SelectedDir = k;
        m_wait(2);
        SelectedFile = m_engine.state().DirFiles[k][index];
        m_engine.requestSelectedFile(SelectedDir, SelectedFile);
    }
    SelectPlayComboBox->setCurrentIndex(-1);
}

void TForm4::PlayBitBtnClick()
{
    const PlayState &s = m_engine.state();
    if (s.PlayerOpen != 0) {
        setWindowTitle(u"他の曲を再生中です"_s);
        return;
    }
    const int k = slotOfDirectoryList();
    if (k == 0)
        return;
    // Straight to the slot's command: it works whether or not the slot's
    // entry is visible or enabled in the tray menu.
    if (s.DirFileCount[k] >= 1)
        m_engine.DirNoSelectMenuClick(k);
    else
        setWindowTitle(u"曲が入っていません"_s);
}

void TForm4::NextBitBtnClick()
{
    if (m_engine.state().PlayerOpen == 1)
        m_engine.actions().NNext->trigger();
}

void TForm4::StopBitBtnClick()
{
    MenuActions &a = m_engine.actions();
    if (a.NRepetition->isChecked())
        a.NRepetition->trigger();
    a.NStop->trigger();
}

void TForm4::OnTimeStopBitBtnClick()
{
    if (m_engine.state().PlayerOpen == 1)
        m_engine.actions().NOneTimeStop->trigger();
}

void TForm4::RepetitionBitBtnClick()
{
    m_engine.actions().NRepetition->trigger();
}

void TForm4::DirRepetitionBitBtnClick()
{
    m_engine.actions().NDirRepetition->trigger();
}

} // namespace brookhum

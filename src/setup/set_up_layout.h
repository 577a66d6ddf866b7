#pragma once

#include "base/slots.h"

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QWidget;

namespace brookhum {

class DirectoryListBox;
class DriveComboBox;
class FileListBox;
class SlotCheckBox;

// The controls of the set-up dialog, by their design names. The slot
// families are arrays by slot number (DirNo3CheckBox is DirNoCheckBox[3]).
struct SetUpControls {
    QMenuBar *SetUpMainMenu = nullptr;
    QMenu *Help = nullptr;
    QAction *Ver = nullptr;
    QAction *Help1 = nullptr;
    QWidget *ClientArea = nullptr; // everything below the menu bar

    QPushButton *SetUpButton = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QRadioButton *DirSetUpRadioButton = nullptr;
    QRadioButton *FileSetUpRadioButton = nullptr;
    QFrame *SetUpDirPanel = nullptr;
    QFrame *SetUpFilePanel = nullptr;
    DirectoryListBox *SetUpDirectoryListBox = nullptr;
    DriveComboBox *SetUpDriveComboBox = nullptr;
    FileListBox *SetUpFileListBox = nullptr;
    QPushButton *SetUpCloseBitBtn = nullptr;
    QCheckBox *FirstPlayCheckBox = nullptr;
    QPushButton *CloseButton = nullptr;
    QCheckBox *PlayBarBeginCheckBox = nullptr;
    QCheckBox *IndicationBarBeginCheckBox = nullptr;
    QPushButton *PointReButton = nullptr;
    QCheckBox *LoginStartCheckBox = nullptr; // beyond the design, in its free space
    // Beyond the design, in the free space below the slots.
    QCheckBox *ResumeCheckBox = nullptr;
    QCheckBox *NotifyCheckBox = nullptr;
    QCheckBox *LevelCheckBox = nullptr;

    QLabel *Image2 = nullptr;
    SlotArray<QLabel *> Label{};
    SlotArray<SlotCheckBox *> DirNoCheckBox{};
    SlotArray<QPushButton *> SetUpDirDelNoButton{};

    QLabel *Image1 = nullptr;
    SlotArray<SlotCheckBox *> FileNoCheckBox{};
    SlotArray<QPushButton *> SetUpFileDelNoButton{};

    // The slot check boxes and delete buttons of one family.
    const SlotArray<SlotCheckBox *> &checkBoxes(SlotKind kind) const
    {
        return kind == SlotKind::Directory ? DirNoCheckBox : FileNoCheckBox;
    }
    const SlotArray<QPushButton *> &deleteButtons(SlotKind kind) const
    {
        return kind == SlotKind::Directory ? SetUpDirDelNoButton : SetUpFileDelNoButton;
    }
};

// Builds the set-up dialog's controls on `form` in their design state: the
// menu bar on top, and below it a 518 x 476 client area that holds every
// control at its design place and size, in the designed tab order. The form
// gets a fixed size that fits both. No handler is connected here.
SetUpControls buildSetUpControls(QWidget &form);

} // namespace brookhum

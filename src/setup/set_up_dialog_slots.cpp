// The set-up dialog's slot editing: drops from the lists, the "X" buttons and
// the slot hints.

#include "setup/directory_list_box.h"
#include "setup/file_list_box.h"
#include "setup/pending_slot_paths.h"
#include "setup/set_up_dialog.h"
#include "setup/slot_check_box.h"

using namespace Qt::StringLiterals;

namespace brookhum {

bool TForm2::DirNoCheckBoxDragOver(int, QObject *source) const
{
    return source == m_ui.SetUpDirectoryListBox && m_ui.SetUpDirectoryListBox->isDragSource();
}

bool TForm2::FileNoCheckBoxDragOver(int, QObject *source) const
{
    return source == m_ui.SetUpFileListBox && m_ui.SetUpFileListBox->isDragSource();
}

void TForm2::DirNoCheckBoxDragDrop(int slot, QObject *source)
{
    if (!DirNoCheckBoxDragOver(slot, source))
        return;
    // What counts is the item selected when the drop happens.
    const int index = m_ui.SetUpDirectoryListBox->selectedIndex();
    if (index < 0)
        return;
    const QString path = m_ui.SetUpDirectoryListBox->itemPath(index);
    pending().DirSlotPath[slot - 1] = path;
    m_ui.DirNoCheckBox[slot - 1]->setCaption(path);
}

void TForm2::FileNoCheckBoxDragDrop(int slot, QObject *source)
{
    if (!FileNoCheckBoxDragOver(slot, source))
        return;
    const int index = m_ui.SetUpFileListBox->selectedIndex();
    if (index < 0)
        return;
    // Joined as texts: a file of the root directory gets a doubled separator.
    const QString path =
        m_ui.SetUpDirectoryListBox->directory() + u'/' + m_ui.SetUpFileListBox->itemName(index);
    pending().FileSlotPath[slot - 1] = path;
    m_ui.FileNoCheckBox[slot - 1]->setCaption(path);
}

void TForm2::SetUpDirDelNoButtonClick(int slot)
{
    pending().DirSlotPath[slot - 1].clear();
    m_ui.DirNoCheckBox[slot - 1]->setCaption(QString());
}

void TForm2::SetUpFileDelNoButtonClick(int slot)
{
    pending().FileSlotPath[slot - 1].clear();
    m_ui.FileNoCheckBox[slot - 1]->setCaption(QString());
}

std::optional<QString> TForm2::slotHint(const QObject *control) const
{
    for (int slot = 1; slot <= 10; ++slot) {
        if (control == m_ui.DirNoCheckBox[slot - 1])
            return pending().DirSlotPath[slot - 1];
    }
    for (int slot = 1; slot <= 10; ++slot) {
        if (control == m_ui.FileNoCheckBox[slot - 1])
            return pending().FileSlotPath[slot - 1];
    }
    return std::nullopt;
}

} // namespace brookhum

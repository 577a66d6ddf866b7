// The set-up dialog's slot editing: drops from the lists, the "X" buttons and
// the slot hints. Both families of slots work alike; what differs is which
// list feeds them.

#include "setup/directory_list_box.h"
#include "setup/file_list_box.h"
#include "setup/pending_slot_paths.h"
#include "setup/set_up_dialog.h"
#include "setup/slot_check_box.h"

using namespace Qt::StringLiterals;

namespace brookhum {

DragSourceListBox *TForm2::sourceList(SlotKind kind) const
{
    if (kind == SlotKind::Directory)
        return m_ui.SetUpDirectoryListBox;
    return m_ui.SetUpFileListBox;
}

bool TForm2::SlotCheckBoxDragOver(SlotKind kind, QObject *source) const
{
    return source == sourceList(kind) && sourceList(kind)->isDragSource();
}

void TForm2::SlotCheckBoxDragDrop(SlotKind kind, int slot, QObject *source)
{
    if (!SlotCheckBoxDragOver(kind, source))
        return;
    // What counts is the item selected when the drop happens.
    const int index = sourceList(kind)->selectedIndex();
    if (index < 0)
        return;
    // A file's path is joined as text: one of the root directory gets a
    // doubled separator.
    const QString path = kind == SlotKind::Directory
        ? m_ui.SetUpDirectoryListBox->itemPath(index)
        : m_ui.SetUpDirectoryListBox->directory() + u'/' + m_ui.SetUpFileListBox->itemName(index);
    pending().of(kind)[slot] = path;
    m_ui.checkBoxes(kind)[slot]->setCaption(path);
}

void TForm2::SetUpDelNoButtonClick(SlotKind kind, int slot)
{
    pending().of(kind)[slot].clear();
    m_ui.checkBoxes(kind)[slot]->setCaption(QString());
}

std::optional<QString> TForm2::slotHint(const QObject *control) const
{
    for (const SlotKind kind : {SlotKind::Directory, SlotKind::File}) {
        for (int slot = 1; slot <= SlotCount; ++slot) {
            if (control == m_ui.checkBoxes(kind)[slot])
                return pending().of(kind)[slot];
        }
    }
    return std::nullopt;
}

} // namespace brookhum

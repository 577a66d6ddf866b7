// The set-up dialog's writes to the settings store: saving and the position
// reset.

#include "settings/reg_ini_file.h"
#include "settings/setting_names.h"
#include "setup/pending_slot_paths.h"
#include "setup/set_up_dialog.h"
#include "setup/set_up_writes.h"
#include "setup/slot_check_box.h"

#include <QCheckBox>

namespace brookhum {

SetUpChoices TForm2::choices() const
{
    SetUpChoices choices;
    choices.firstPlay = m_ui.FirstPlayCheckBox->isChecked();
    choices.playBarBegin = m_ui.PlayBarBeginCheckBox->isChecked();
    choices.indicationBarBegin = m_ui.IndicationBarBeginCheckBox->isChecked();
    choices.mode = mode();
    const bool directories = choices.mode == SetUpMode::Directory;
    const auto &paths = directories ? pending().DirSlotPath : pending().FileSlotPath;
    const auto &boxes = directories ? m_ui.DirNoCheckBox : m_ui.FileNoCheckBox;
    for (int i = 0; i < 10; ++i) {
        choices.slotPaths[i] = paths[i];
        choices.slotTicks[i] = boxes[i]->isChecked();
    }
    return choices;
}

void TForm2::SetUpButtonClick()
{
    // A write that fails throws: the save stops there and the dialog stays.
    for (const StoreWrite &write : setUpWrites(choices()))
        store().WriteString(settings::section(), write.name, write.text);
    close();
}

void TForm2::PointReButtonClick()
{
    for (const QString &name : {settings::IndicationXPointPlayFlag(), settings::IndicationYPointPlayFlag(),
                                settings::DirSelectXPointPlayFlag(), settings::DirSelectYPointPlayFlag()})
        store().WriteInteger(settings::section(), name, 50);
}

} // namespace brookhum

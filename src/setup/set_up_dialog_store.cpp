// The set-up dialog's writes to the settings store: saving and the position
// reset.

#include "settings/reg_ini_file.h"
#include "settings/setting_names.h"
#include "setup/login_start.h"
#include "setup/option_ticks.h"
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
    const SlotKind kind = choices.mode == SetUpMode::Directory ? SlotKind::Directory : SlotKind::File;
    for (int slot = 1; slot <= SlotCount; ++slot) {
        choices.slotPaths[slot] = pending().of(kind)[slot];
        choices.slotTicks[slot] = m_ui.checkBoxes(kind)[slot]->isChecked();
    }
    choices.options = optionTicksShown(m_ui);
    return choices;
}

void TForm2::SetUpButtonClick()
{
    // All the values go to disk in one replacement of the file. A write that
    // fails throws: nothing is saved and the dialog stays.
    RegIniFile::Values values;
    for (const StoreWrite &write : setUpWrites(choices()))
        values.append({write.name, write.text});
    store().WriteValues(settings::section(), values);
    m_environment.loginStart->set(m_ui.LoginStartCheckBox->isChecked());
    close();
}

void TForm2::PointReButtonClick()
{
    store().WriteValues(settings::section(), {{settings::IndicationXPointPlayFlag(), 50},
                                              {settings::IndicationYPointPlayFlag(), 50},
                                              {settings::DirSelectXPointPlayFlag(), 50},
                                              {settings::DirSelectYPointPlayFlag(), 50}});
}

} // namespace brookhum

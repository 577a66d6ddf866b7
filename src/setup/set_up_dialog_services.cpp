// The set-up dialog's small services: the preview of a listed file, help and
// the version dialog.

#include "base/media_player.h"
#include "base/native_path.h"
#include "setup/file_list_box.h"
#include "setup/help_file.h"
#include "setup/set_up_dialog.h"
#include "setup/version_dialog.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QPushButton>
#include <QUrl>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace brookhum {

void TForm2::SetUpFileListBoxDblClick()
{
    MediaPlayer &player = SetUpMediaPlayer();
    player.setFileName(m_ui.SetUpFileListBox->selectedFilePath());
    player.Open();
    player.Play();
    m_ui.SetUpCloseBitBtn->setEnabled(true);
    // No second preview can start while this one plays.
    m_ui.SetUpFileListBox->setCtl3D(false);
    m_ui.SetUpFileListBox->setEnabled(false);
}

void TForm2::SetUpCloseBitBtnClick()
{
    MediaPlayer &player = SetUpMediaPlayer();
    player.Stop();
    player.Close();
    m_ui.SetUpCloseBitBtn->setEnabled(false);
    // The list comes back with the player's notification.
}

void TForm2::SetUpMediaPlayerNotify()
{
    m_ui.SetUpCloseBitBtn->setEnabled(false);
    m_ui.SetUpFileListBox->setEnabled(true);
    m_ui.SetUpFileListBox->setCtl3D(true);
}

void TForm2::Help1Click()
{
    // A command that silently does nothing helps no one: a help that is
    // missing or that the desktop cannot open is reported, naming the file.
    const QString help = helpFile(QCoreApplication::applicationDirPath());
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(help))) {
        throw std::runtime_error(u"The desktop has no program to open the help \"%1\"; open that file yourself (the page in a web browser)."_s
                                     .arg(displayText(help))
                                     .toStdString());
    }
}

void TForm2::VerClick()
{
    // Owned by the dialog's owner, so that a version window still open
    // outlives the set-up dialog, which is freed when it closes; a closed
    // version window is freed too.
    auto *version = new TForm3(parentWidget());
    version->setAttribute(Qt::WA_DeleteOnClose);
    if (m_environment.recordVersionDialog)
        m_environment.recordVersionDialog(version);
    version->show();
}

} // namespace brookhum

// The set-up dialog's small services: the preview of a listed file, help and
// the version dialog.

#include "base/media_player.h"
#include "setup/file_list_box.h"
#include "setup/set_up_dialog.h"
#include "setup/version_dialog.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QPushButton>
#include <QUrl>

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
    // Whether a program opens it is the desktop's business; a missing file
    // gets no message of ours.
    QDesktopServices::openUrl(QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + u"/Brookhum.chm"_s));
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

#include "app/main_window.h"

#include "app/bar_windows.h"
#include "app/form_refs.h"
#include "app/popup_menu.h"
#include "bars/indication_bar.h"
#include "bars/select_play_bar.h"
#include "base/error_display.h"
#include "base/media_player.h"
#include "engine/menu_actions.h"
#include "resources/pictures.h"
#include "settings/stored_settings.h"
#include "setup/set_up_dialog.h"
#include "setup/version_dialog.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace brookhum {

TForm1::TForm1(Parts parts)
    : QWidget(nullptr)
    , m_forms(parts.forms)
    , m_pending(parts.pending)
    , m_store(parts.store)
    , m_errors(parts.errors)
    , m_hints(parts.hints)
    , m_makePreviewPlayer(std::move(parts.makePreviewPlayer))
    , m_wait(std::move(parts.wait))
    , m_actions(std::make_unique<MenuActions>(m_errors))
    , m_player(std::move(parts.player))
    , m_settings(std::make_unique<StoredSettings>(m_store))
{
    setObjectName(u"Form1"_s);
    setWindowTitle(u"Main"_s);
    m_forms.Form1 = this;

    // A bar is made when it is first shown; the select-play bar drives the
    // engine, which exists by then.
    m_bars = std::make_unique<BarWindows>(
        m_forms, m_store,
        [this] { return new TForm4(this, *m_engine, m_store, m_errors, m_wait); },
        [this] { return new TForm5(this, m_store, m_errors); });
    m_engine = std::make_unique<PlayEngine>(PlayEngine::Ports{*m_actions, *m_player, *m_settings, *m_bars, m_errors},
                                            m_wait, std::move(parts.clock));
    m_popupMenu = buildPopupMenu(*m_actions);
    wireWindowCommands();

    FormCreate(parts.trayIcon);
}

TForm1::~TForm1()
{
    FormDestroy();
}

void TForm1::wireWindowCommands()
{
    MenuActions &a = *m_actions;
    a.onTriggered(a.NSetUp, this, [this] { NSetUpClick(); });
    a.onTriggered(a.Form4Show, this, [this] { Form4ShowClick(); });
    a.onTriggered(a.NIndication, this, [this] { NIndicationClick(); });
    a.onTriggered(a.NRenew, this, [this] { NRenewClick(); });
    a.onTriggered(a.NClose, this, [this] { NCloseClick(); });
    // Opening "選択再生(&C)" reloads the settings so its submenus are current.
    connect(a.NSelectPlay->menu(), &QMenu::aboutToShow, this, guarded(m_errors, [this] { m_engine->NSelectPlayClick(); }));
}

void TForm1::FormCreate(bool withTrayIcon)
{
    m_engine->FormCreateSettingsPart();
    // The application title. Only the name is set: a display name would be
    // appended to every window title, and the bars show a file name there.
    QCoreApplication::setApplicationName(u"Brookhum"_s);
    if (withTrayIcon)
        installTrayIcon();
    m_engine->LoadSettings();
}

void TForm1::installTrayIcon()
{
    m_trayIcon = std::make_unique<QSystemTrayIcon>(themedApplicationIcon());
    m_trayIcon->setToolTip(QCoreApplication::applicationName());
    // Qt opens the context menu at the pointer on the right button's press.
    m_trayIcon->setContextMenu(m_popupMenu.get());
    connect(m_trayIcon.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { TrayIconNotify(reason); });
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        std::fputs("Brookhum: this desktop shows no system tray yet; "
                   "the icon appears as soon as a tray starts.\n",
                   stderr);
    }
    // Shown whether or not a tray is there: the icon then embeds by itself
    // when a tray host starts later.
    m_trayIcon->show();
}

void TForm1::TrayIconNotify(QSystemTrayIcon::ActivationReason)
{
    // The right button opens the menu by itself. A left press has nothing to
    // restore, since the program has no window in the taskbar; other mouse
    // actions do nothing.
}

void TForm1::FormDestroy()
{
    if (m_trayIcon)
        m_trayIcon->hide();
    m_trayIcon.reset();
}

void TForm1::createSetUpDialog()
{
    SetUpEnvironment environment;
    environment.pending = &m_pending;
    environment.store = &m_store;
    environment.errors = &m_errors;
    environment.hints = &m_hints;
    environment.loginStart = &m_loginStart;
    environment.reloadSettings = [this] { m_engine->LoadSettings(); };
    environment.makePreviewPlayer = [this] {
        std::unique_ptr<MediaPlayer> preview = m_makePreviewPlayer();
        m_engine->volume().follow(*preview);
        return preview;
    };
    environment.recordVersionDialog = [this](TForm3 *dialog) { m_forms.Form3 = dialog; };
    auto *dialog = new TForm2(this, std::move(environment));
    // Each opening makes a new dialog; a closed one is freed, so that opening
    // it again and again does not add up.
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // Ending the program closes the windows that show; the set-up dialog must
    // not load the settings, and perhaps start a track, on its way out.
    connect(this, &TForm1::closeRequested, dialog, &TForm2::programEnding);
    m_forms.Form2 = dialog;
}

void TForm1::NSetUpClick()
{
    if (m_forms.Form2 && m_forms.Form2->isVisible())
        return;
    // The instance made at start is never shown; the new one replaces it.
    if (m_forms.Form2)
        m_forms.Form2->deleteLater();
    createSetUpDialog();
    m_forms.Form2->show();
}

void TForm1::Form4ShowClick()
{
    m_bars->showBar(Bar::Select);
}

void TForm1::NIndicationClick()
{
    m_bars->showBar(Bar::Indication);
}

void TForm1::NRenewClick()
{
    m_engine->LoadSettings();
}

void TForm1::NCloseClick()
{
    Q_EMIT closeRequested();
    QCoreApplication::quit();
}

} // namespace brookhum

#pragma once

#include "setup/set_up_layout.h"
#include "setup/set_up_mode.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

namespace brookhum {

class DragSourceListBox;
class ErrorDisplay;
class LoginStart;
class MediaPlayer;
class SetUpHintHandler;
class RegIniFile;
class TForm3;
struct LoadedSetUp;
struct PendingSlotPaths;
struct SetUpChoices;

// What a set-up dialog needs of the rest of the program.
struct SetUpEnvironment {
    PendingSlotPaths *pending = nullptr;
    RegIniFile *store = nullptr;                                   // the settings store
    ErrorDisplay *errors = nullptr;                                // the application's error display
    SetUpHintHandler *hints = nullptr;                             // the application's hint handler
    const LoginStart *loginStart = nullptr;                        // the start at login
    std::function<void()> reloadSettings;                          // the main window's settings load
    std::function<std::unique_ptr<MediaPlayer>()> makePreviewPlayer; // the preview's player
    std::function<void(TForm3 *)> recordVersionDialog;            // the program's current version dialog
};

// The set-up dialog "初期設定": the slots, the play kind and the start-up
// options, edited in the dialog and stored only by "設定保存". Every close,
// saved or not, ends a preview and makes the main window load the settings
// again.
//
// The handlers carry their design names; the families of ten take the slot
// number (1 to 10) as their first argument.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    TForm2(QWidget *owner, SetUpEnvironment environment);
    ~TForm2() override;

    const SetUpControls &controls() const { return m_ui; }
    MediaPlayer &SetUpMediaPlayer() { return *m_setUpMediaPlayer; }
    SetUpMode mode() const;

    // --- modes ---
    void DirSetUpRadioButtonClick();
    void FileSetUpRadioButtonClick();
    void ShowDirSetUp();
    void ShowFileSetUp();

    // --- slots: drag and drop, deletion, hints ---
    // The handlers of the slot check boxes and "X" buttons of both families
    // (DirNo3CheckBoxDragDrop is SlotCheckBoxDragDrop(SlotKind::Directory, 3, ...)).
    // Whether a drag from `source` may land on a slot: only one from the list
    // of the slot's kind while that list is the drag source of the mode.
    bool SlotCheckBoxDragOver(SlotKind kind, QObject *source) const;
    // Fills the slot from the source list's selected item; nothing happens
    // when nothing is selected or the drag may not land.
    void SlotCheckBoxDragDrop(SlotKind kind, int slot, QObject *source);
    void SetUpDelNoButtonClick(SlotKind kind, int slot);
    // The hint of a control: the pending path when it is one of the twenty
    // slot check boxes, nullopt for every other control.
    std::optional<QString> slotHint(const QObject *control) const;

    // --- saving and closing ---
    void SetUpButtonClick();
    void CloseButtonClick();
    // The program is ending. Qt then closes every window that shows; this
    // dialog closes without loading the settings again, which could start a
    // track while the program goes away.
    void programEnding();

    // --- preview, position reset, help and version ---
    void SetUpFileListBoxDblClick();
    void SetUpCloseBitBtnClick();
    void SetUpMediaPlayerNotify();
    void PointReButtonClick();
    void Help1Click();
    void VerClick();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormClose();
    void showLoaded(const LoadedSetUp &loaded);
    void wireHandlers();
    void wireSlotHandlers();
    SetUpChoices choices() const;
    PendingSlotPaths &pending() const;
    DragSourceListBox *sourceList(SlotKind kind) const;
    RegIniFile &store() const;
    ErrorDisplay &errors() const;

    SetUpEnvironment m_environment;
    SetUpControls m_ui;
    std::unique_ptr<MediaPlayer> m_setUpMediaPlayer;
    bool m_programEnding = false;
};

} // namespace brookhum

#pragma once

#include "engine/ports.h"

#include <QWidget>

#include <functional>

class QAction;

namespace brookhum {

class BitButton;
class DropDownComboBox;
class ErrorDisplay;
class PlayEngine;
class RegIniFile;

// The select-play bar: a directory slot chooser, a chooser for a file of that
// slot and six picture buttons that forward to the tray menu's commands. It
// keeps no play state of its own besides the choice the engine reads.
class TForm4 : public QWidget {
    Q_OBJECT
public:
    // A blocking wait of whole seconds on the user-interface thread.
    using Wait = std::function<void(int seconds)>;

    TForm4(QWidget *owner, PlayEngine &engine, RegIniFile &store, ErrorDisplay &errors, Wait wait);

    // Shows the picture of a toggle for the new state of its check mark.
    void setTogglePicture(Toggle toggle, bool checked);

    // --- event handlers ---
    void FormCreate();
    void FormClose();
    void DirSelectComboBoxDropDown();
    void SelectPlayComboBoxDropDown();
    void SelectPlayComboBoxSelect(int index);
    void PlayBitBtnClick();
    void NextBitBtnClick();
    void StopBitBtnClick();
    void OnTimeStopBitBtnClick();
    void RepetitionBitBtnClick();
    void DirRepetitionBitBtnClick();

    DropDownComboBox *DirSelectComboBox = nullptr;
    DropDownComboBox *SelectPlayComboBox = nullptr;
    BitButton *PlayBitBtn = nullptr;
    BitButton *NextBitBtn = nullptr;
    BitButton *StopBitBtn = nullptr;
    BitButton *OnTimeStopBitBtn = nullptr;
    BitButton *RepetitionBitBtn = nullptr;
    BitButton *DirRepetitionBitBtn = nullptr;

    // The choice of the file list, which the select-play request carries.
    int SelectedDir = 1;
    QString SelectedFile;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void wireControls();
    BitButton *toggleButton(Toggle toggle) const;
    // The slot the directory list's text names, 0 for any other text.
    int slotOfDirectoryList() const;

    PlayEngine &m_engine;
    RegIniFile &m_store;
    ErrorDisplay &m_errors;
    Wait m_wait;
};

} // namespace brookhum

#pragma once

#include <QWidget>

#include <functional>
#include <memory>

namespace brookhum {

class MediaPlayer;
class TForm3;
struct PendingSlotPaths;

// What a set-up dialog needs of the rest of the program.
struct SetUpEnvironment {
    PendingSlotPaths *pending = nullptr;
    std::function<void()> reloadSettings;                          // the main window's settings load
    std::function<std::unique_ptr<MediaPlayer>()> makePreviewPlayer;
    std::function<void(TForm3 *)> recordVersionDialog;            // the program's current version dialog
};

// The set-up dialog "初期設定".
class TForm2 : public QWidget {
    Q_OBJECT
public:
    TForm2(QWidget *owner, SetUpEnvironment environment);

private:
    SetUpEnvironment m_environment;
};

} // namespace brookhum

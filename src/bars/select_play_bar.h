#pragma once

#include "engine/ports.h"

#include <QWidget>

#include <functional>

namespace brookhum {

class PlayEngine;

// The select-play bar: a slot chooser, a file chooser and six picture buttons.
class TForm4 : public QWidget {
    Q_OBJECT
public:
    using Wait = std::function<void(int seconds)>;

    TForm4(QWidget *owner, PlayEngine &engine, Wait wait);

    void setTogglePicture(Toggle toggle, bool checked);

    int SelectedDir = 1;
    QString SelectedFile;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    PlayEngine &m_engine;
    Wait m_wait;
};

} // namespace brookhum

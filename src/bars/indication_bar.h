#pragma once

#include "engine/ports.h"

#include <QWidget>

class QLabel;

namespace brookhum {
class ErrorDisplay;
class RegIniFile;
}

namespace brookhum {

// The indication bar: the playing file in its title, the next file, the
// directory slot, the loaded slots and the position in the slot. The engine
// writes into it at each file start; the user can only move and close it.
class TForm5 : public QWidget {
    Q_OBJECT
public:
    TForm5(QWidget *owner, RegIniFile &store, ErrorDisplay &errors);

    // Sets one label's text; the label takes the width of its text.
    void setLabelText(IndicationLabel label, const QString &text);

    // --- event handlers ---
    void FormClick();
    void FormClose();

    QLabel *Image1 = nullptr;
    QLabel *NextLabel = nullptr;
    QLabel *DirLabel = nullptr;
    QLabel *AllDirLabel = nullptr;
    QLabel *CountLabel = nullptr;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QLabel *makeLabel(const QString &name, const QString &text, QPoint place);
    QLabel *label(IndicationLabel which) const;

    RegIniFile &m_store;
    ErrorDisplay &m_errors;
};

} // namespace brookhum

#pragma once

#include <QObject>
#include <QPointer>

class QHelpEvent;

namespace brookhum {

class TForm2;

// The application's hint handler for the set-up dialog's slots: pointing at a
// slot check box shows the slot's pending path in a white hint, 5 pixels right
// of and below the usual place, for 5 seconds; an empty slot shows none.
// Hints of every other control stay as they are.
//
// There is one for the whole application, bound to the newest set-up dialog:
// installing a new one removes the one before.
class SetUpHintHandler : public QObject {
    Q_OBJECT
public:
    static void install(TForm2 &dialog);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit SetUpHintHandler(TForm2 &dialog);

    bool SetUpShowHint(QWidget &control, const QHelpEvent &event, const QString &path);

    QPointer<TForm2> m_dialog;
};

} // namespace brookhum

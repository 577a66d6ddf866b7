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
// There is one for the whole application, made by the program's entry and
// bound to the newest set-up dialog.
class SetUpHintHandler : public QObject {
    Q_OBJECT
public:
    // Watches the whole application's hints while it lives.
    SetUpHintHandler();
    ~SetUpHintHandler() override;

    // From now on the slots of this dialog get their hints here.
    void attach(TForm2 &dialog);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:

    bool SetUpShowHint(QWidget &control, const QHelpEvent &event, const QString &path);

    QPointer<TForm2> m_dialog;
};

} // namespace brookhum

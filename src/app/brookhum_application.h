#pragma once

#include "base/error_display.h"

#include <QApplication>
#include <QHash>
#include <QMessageBox>
#include <QPointer>

namespace brookhum {

// The application object. It owns the standard error display: an exception
// that escapes any handler ends up here and is shown in a message box, and
// the program goes on.
class BrookhumApplication : public QApplication, public ErrorDisplay {
    Q_OBJECT
public:
    BrookhumApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
    void showException(const QString &message) override;

    // Tells the user something worth knowing without stopping anything: the
    // message stays on screen until it is closed, and play goes on.
    void showNotice(const QString &message);

    // For an error that ends the program: shown until the user closes it.
    void showFatalError(const QString &message);

private:
    void showMessage(QMessageBox::Icon icon, const QString &message);

    // The boxes on screen by their text, so that none is shown twice.
    QHash<QString, QPointer<QMessageBox>> m_shown;
};

} // namespace brookhum

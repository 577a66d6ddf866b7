#include "app/brookhum_application.h"

#include <QMessageBox>

namespace brookhum {

BrookhumApplication::BrookhumApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool BrookhumApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportError(std::current_exception());
        return false;
    }
}

void BrookhumApplication::showException(const QString &message)
{
    QMessageBox::critical(nullptr, applicationDisplayName(), message);
}

} // namespace brookhum

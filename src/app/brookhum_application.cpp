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

void BrookhumApplication::showNotice(const QString &message)
{
    auto *box = new QMessageBox(QMessageBox::Warning, applicationName(), message, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

void BrookhumApplication::showException(const QString &message)
{
    QMessageBox::critical(nullptr, applicationDisplayName(), message);
}

} // namespace brookhum

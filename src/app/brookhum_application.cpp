#include "app/brookhum_application.h"

#include <QMessageBox>

#include <cstdio>

namespace brookhum {

BrookhumApplication::BrookhumApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool BrookhumApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showException(exceptionMessage(std::current_exception()));
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
    // Also where logs of an unattended session can find it.
    std::fprintf(stderr, "Brookhum: %s\n", message.toLocal8Bit().constData());
    QMessageBox::critical(nullptr, applicationDisplayName(), message);
}

} // namespace brookhum

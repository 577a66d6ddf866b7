#include "app/brookhum_application.h"

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
    showMessage(QMessageBox::Warning, message);
}

void BrookhumApplication::showException(const QString &message)
{
    showMessage(QMessageBox::Critical, message);
}

// The boxes wait for no one: the player, the tray and the desktop's media
// controls go on answering while one is up. A message already on screen is
// only raised, so that a burst of failing commands cannot pile up boxes.
void BrookhumApplication::showMessage(QMessageBox::Icon icon, const QString &message)
{
    if (const QPointer<QMessageBox> shown = m_shown.value(message)) {
        shown->raise();
        return;
    }
    // Also where logs of an unattended session can find it.
    std::fprintf(stderr, "Brookhum: %s\n", message.toLocal8Bit().constData());
    auto *box = new QMessageBox(icon, applicationName(), message, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    m_shown.insert(message, box);
    connect(box, &QObject::destroyed, this, [this, message] { m_shown.remove(message); });
    box->show();
}

void BrookhumApplication::showFatalError(const QString &message)
{
    std::fprintf(stderr, "Brookhum: %s\n", message.toLocal8Bit().constData());
    QMessageBox::critical(nullptr, applicationName(), message);
}

} // namespace brookhum

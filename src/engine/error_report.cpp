#include "engine/error_report.h"

#include <QCoreApplication>
#include <QDebug>

#include <stdexcept>

namespace brookhum {

QString exceptionMessage(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return {};
    }
}

void reportError(std::exception_ptr error)
{
    const QString message = exceptionMessage(error);
    if (auto *display = dynamic_cast<ExceptionDisplay *>(QCoreApplication::instance())) {
        display->showException(message);
        return;
    }
    qWarning().noquote() << "Brookhum:" << message;
}

} // namespace brookhum

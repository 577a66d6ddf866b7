#pragma once

#include <QString>

#include <exception>
#include <utility>

namespace brookhum {

// The application's standard error display. The application object
// implements it; reportError finds it through QCoreApplication::instance().
class ExceptionDisplay {
public:
    virtual ~ExceptionDisplay() = default;
    virtual void showException(const QString &message) = 0;
};

// The message of an exception as the user sees it; empty for an exception
// that carries none.
QString exceptionMessage(std::exception_ptr error);

// Shows an exception that escaped a handler through the application's
// standard error display (on standard error when there is none).
void reportError(std::exception_ptr error);

// Wraps a handler so that an exception escaping it goes to the standard error
// display instead of unwinding through Qt's event and signal machinery.
template <typename Handler>
auto guarded(Handler handler)
{
    return [handler = std::move(handler)](auto &&...) {
        try {
            handler();
        } catch (...) {
            reportError(std::current_exception());
        }
    };
}

} // namespace brookhum

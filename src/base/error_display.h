#pragma once

#include <QString>

#include <exception>
#include <utility>

namespace brookhum {

// The application's standard error display: where an exception that escapes
// a handler is shown to the user. The program's entry provides it and hands
// it to whoever connects handlers.
class ErrorDisplay {
public:
    virtual ~ErrorDisplay() = default;
    virtual void showException(const QString &message) = 0;
};

// The message of an exception as the user sees it; empty for an exception
// that carries none.
QString exceptionMessage(std::exception_ptr error);

// Wraps a handler so that an exception escaping it goes to the display
// instead of unwinding through Qt's event and signal machinery, which Debian
// builds without exception support.
template <typename Handler>
auto guarded(ErrorDisplay &display, Handler handler)
{
    return [&display, handler = std::move(handler)](auto &&...) {
        try {
            handler();
        } catch (...) {
            display.showException(exceptionMessage(std::current_exception()));
        }
    };
}

} // namespace brookhum

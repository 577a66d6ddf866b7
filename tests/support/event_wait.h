#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>

namespace brookhum::test {

// Handles events until the condition holds or the deadline passes; returns
// whether it holds. Blocks only while no event is pending. The deadline is
// short: what the tests wait for comes within a second when all is well.
template <typename Condition>
bool waitUntil(Condition condition, int timeoutMs = 5000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

} // namespace brookhum::test

#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;

namespace brookhum {

// SIGTERM (the session ending, a logout, a system shutdown) and SIGINT as a
// Qt signal on the event loop, where the program can end as it does when the
// user closes it. The handler only writes a byte into a pipe, which is all a
// signal handler may safely do. One instance at a time; the default handling
// comes back when it goes.
class TerminationSignal : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignal(QObject *parent = nullptr);
    ~TerminationSignal() override;
    TerminationSignal(const TerminationSignal &) = delete;
    TerminationSignal &operator=(const TerminationSignal &) = delete;

Q_SIGNALS:
    void received();

private:
    void drain();

    int m_pipe[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace brookhum

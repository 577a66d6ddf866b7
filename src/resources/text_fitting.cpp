#include "resources/text_fitting.h"

#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QWidget>

#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

// The fits a hidden window still owes, made when it is about to show.
class PendingFits : public QObject {
public:
    explicit PendingFits(QWidget &window) : QObject(&window)
    {
        setObjectName(name());
        window.installEventFilter(this);
    }

    static QString name() { return u"brookhum-pending-fits"_s; }

    void add(QWidget &control, std::function<void()> fit)
    {
        for (auto &[waiting, pending] : m_fits) {
            if (waiting == &control) {
                pending = std::move(fit);
                return;
            }
        }
        m_fits.emplace_back(&control, std::move(fit));
    }

protected:
    // A window gets its show event before it appears on the screen.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == parent() && event->type() == QEvent::Show) {
            for (auto &[control, fit] : std::exchange(m_fits, {})) {
                if (control)
                    fit();
            }
        }
        return false;
    }

private:
    std::vector<std::pair<QPointer<QWidget>, std::function<void()>>> m_fits;
};

} // namespace

void fitWhenShown(QWidget &control, std::function<void()> fit)
{
    QWidget &window = *control.window();
    if (window.isVisible()) {
        fit();
        return;
    }
    auto *pending = static_cast<PendingFits *>(window.findChild<QObject *>(PendingFits::name(), Qt::FindDirectChildrenOnly));
    if (!pending)
        pending = new PendingFits(window);
    pending->add(control, std::move(fit));
}

void growToTextWhenShown(QLabel &label)
{
    fitWhenShown(label, [&label, least = label.size()] { label.resize(least.expandedTo(label.sizeHint())); });
}

} // namespace brookhum

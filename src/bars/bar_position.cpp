#include "bars/bar_position.h"

#include "settings/read_or_init.h"
#include "settings/reg_ini_file.h"
#include "settings/setting_names.h"

#include <QWidget>
#include <QWindow>

namespace brookhum {

void placeBarFromStore(QWidget &bar, RegIniFile &store, const QString &xName, const QString &yName)
{
    const std::optional<int> x = settings::readPositionOrInit(store, xName);
    const std::optional<int> y = settings::readPositionOrInit(store, yName);
    if (!x && !y)
        return;
    const QPoint designed = bar.frameGeometry().topLeft();
    placeBarFrame(bar, QPoint(x.value_or(designed.x()), y.value_or(designed.y())));
}

void storeBarPosition(const QWidget &bar, RegIniFile &store, const QString &xName, const QString &yName)
{
    const QPoint frame = bar.frameGeometry().topLeft();
    store.WriteInteger(settings::section(), xName, frame.x());
    store.WriteInteger(settings::section(), yName, frame.y());
}

void placeBarFrame(QWidget &bar, QPoint framePosition)
{
    // Once Qt knows the frame's size, QWidget::move() places the frame and the
    // widget's geometry follows at once. Right after a window is first shown,
    // a reparenting window manager has not yet told that size, and move()
    // would take the point for the client area: the bar would come back lower
    // by its title bar at every showing. Asking the window for its frame
    // position then lets the window manager put the frame there.
    QWindow *window = bar.windowHandle();
    const bool frameKnown = bar.frameGeometry() != bar.geometry();
    if (!window || frameKnown)
        bar.move(framePosition);
    else
        window->setFramePosition(framePosition);
}

} // namespace brookhum

#pragma once

#include <QPoint>
#include <QRect>
#include <QStringList>

#include <xcb/xcb.h>

class QWidget;

namespace brookhum::test {

// What the X server and the window manager say about a window, asked over
// Qt's own X connection but without Qt's view of it, plus the requests a
// user makes through the window manager: moving and closing a window.
class X11Probe {
public:
    X11Probe();

    // The outermost window the window manager put around the widget's
    // window (the window itself when there is no frame), and its geometry
    // on the screen.
    xcb_window_t outerWindow(const QWidget &widget) const;
    QRect outerGeometry(const QWidget &widget) const;
    // Whether the window manager has taken the window in: reparented it and
    // published its frame extents.
    bool isManaged(const QWidget &widget) const;

    // Names of the atoms of a window's atom-list property, e.g.
    // "_NET_WM_WINDOW_TYPE_UTILITY" in "_NET_WM_WINDOW_TYPE".
    QStringList atomNames(xcb_window_t window, const char *property) const;
    // The window the window manager says has the focus.
    xcb_window_t activeWindow() const;

    // The user drags the window's frame to a screen position.
    void moveFrameTo(const QWidget &widget, QPoint framePosition) const;
    // The user presses the window's close box.
    void closeThroughWindowManager(const QWidget &widget) const;

private:
    xcb_atom_t atom(const char *name) const;
    void sendToRoot(xcb_window_t window, const char *message, const quint32 (&data)[5]) const;

    xcb_connection_t *m_connection;
    xcb_window_t m_root;
};

} // namespace brookhum::test

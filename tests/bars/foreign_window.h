#pragma once

#include <xcb/xcb.h>

namespace brookhum::test {

// An ordinary window of another X client, with its own connection: the
// program the user is working in.
class ForeignWindow {
public:
    ForeignWindow();
    ~ForeignWindow();
    ForeignWindow(const ForeignWindow &) = delete;
    ForeignWindow &operator=(const ForeignWindow &) = delete;

    xcb_window_t window() const { return m_window; }
    // Asks the window manager to give it the focus, as a click on it would.
    void activate();

private:
    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_window = XCB_WINDOW_NONE;
    xcb_window_t m_root = XCB_WINDOW_NONE;
};

} // namespace brookhum::test

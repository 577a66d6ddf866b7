#include "x11_probe.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <QWidget>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace brookhum::test {

namespace {

struct FreeReply {
    void operator()(void *reply) const { std::free(reply); }
};
template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

} // namespace

X11Probe::X11Probe()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    m_connection = x11 ? x11->connection() : nullptr;
    if (!m_connection)
        qFatal("X11Probe needs the xcb platform");
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
}

xcb_atom_t X11Probe::atom(const char *name) const
{
    ReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

xcb_window_t X11Probe::outerWindow(const QWidget &widget) const
{
    xcb_window_t current = static_cast<xcb_window_t>(widget.winId());
    for (;;) {
        ReplyPtr<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, current), nullptr));
        if (!tree || tree->parent == tree->root || tree->parent == XCB_WINDOW_NONE)
            return current;
        current = tree->parent;
    }
}

QRect X11Probe::outerGeometry(const QWidget &widget) const
{
    ReplyPtr<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, outerWindow(widget)), nullptr));
    if (!geometry)
        return {};
    return QRect(geometry->x, geometry->y, geometry->width + 2 * geometry->border_width,
                 geometry->height + 2 * geometry->border_width);
}

bool X11Probe::isManaged(const QWidget &widget) const
{
    const auto window = static_cast<xcb_window_t>(widget.winId());
    if (outerWindow(widget) == window)
        return false;
    const xcb_atom_t extents = atom("_NET_FRAME_EXTENTS");
    ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, extents, XCB_ATOM_CARDINAL, 0, 4), nullptr));
    return reply && xcb_get_property_value_length(reply.get()) == 16;
}

QStringList X11Probe::atomNames(xcb_window_t window, const char *property) const
{
    ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, atom(property), XCB_ATOM_ATOM, 0, 64), nullptr));
    QStringList names;
    if (!reply)
        return names;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / int(sizeof(xcb_atom_t));
    for (int i = 0; i < count; ++i) {
        ReplyPtr<xcb_get_atom_name_reply_t> name(
            xcb_get_atom_name_reply(m_connection, xcb_get_atom_name(m_connection, atoms[i]), nullptr));
        if (name)
            names.append(QString::fromLatin1(xcb_get_atom_name_name(name.get()), xcb_get_atom_name_name_length(name.get())));
    }
    return names;
}

xcb_window_t X11Probe::activeWindow() const
{
    ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, m_root, atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, 0, 1),
        nullptr));
    if (!reply || xcb_get_property_value_length(reply.get()) != sizeof(xcb_window_t))
        return XCB_WINDOW_NONE;
    return *static_cast<const xcb_window_t *>(xcb_get_property_value(reply.get()));
}

void X11Probe::sendToRoot(xcb_window_t window, const char *message, const quint32 (&data)[5]) const
{
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom(message);
    std::memcpy(event.data.data32, data, sizeof data);
    xcb_send_event(m_connection, 0, m_root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&event));
    xcb_flush(m_connection);
}

void X11Probe::moveFrameTo(const QWidget &widget, QPoint framePosition) const
{
    // Gravity north-west: the point is the frame's corner. Flags: x and y
    // given; source 2, a pager acting for the user.
    const quint32 flags = XCB_GRAVITY_NORTH_WEST | (1u << 8) | (1u << 9) | (2u << 12);
    sendToRoot(static_cast<xcb_window_t>(widget.winId()), "_NET_MOVERESIZE_WINDOW",
               {flags, quint32(framePosition.x()), quint32(framePosition.y()), 0, 0});
}

void X11Probe::closeThroughWindowManager(const QWidget &widget) const
{
    sendToRoot(static_cast<xcb_window_t>(widget.winId()), "_NET_CLOSE_WINDOW", {XCB_CURRENT_TIME, 2, 0, 0, 0});
}

} // namespace brookhum::test

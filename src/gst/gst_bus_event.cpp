#include "gst/gst_bus_event.h"

namespace brookhum {

GstBusEvent::GstBusEvent(GstMessage *message, quint64 generation, quint64 playId)
    : QEvent(eventType())
    , m_message(gst_message_ref(message))
    , m_generation(generation)
    , m_playId(playId)
{
}

QEvent::Type GstBusEvent::eventType()
{
    static const Type type = static_cast<Type>(QEvent::registerEventType());
    return type;
}

} // namespace brookhum

#pragma once

#include "gst/gst_handles.h"

#include <QEvent>

namespace brookhum {

// A bus message carried from a GStreamer thread to the player's thread. It is
// stamped with the pipeline generation it came from and the play that was
// running when it was posted, so that the player can drop what belongs to an
// earlier pipeline or an earlier play.
class GstBusEvent : public QEvent {
public:
    // Takes a new reference to the message.
    GstBusEvent(GstMessage *message, quint64 generation, quint64 playId);

    static Type eventType();

    GstMessage *message() const { return m_message.get(); }
    quint64 generation() const { return m_generation; }
    quint64 playId() const { return m_playId; }

private:
    GstMessagePtr m_message;
    quint64 m_generation;
    quint64 m_playId;
};

} // namespace brookhum

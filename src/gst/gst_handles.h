#pragma once

// Owning handles for GStreamer and GLib objects, so that every early return
// and every exception releases what was taken.

#include <gst/gst.h>

#include <memory>

namespace brookhum {

struct GstObjectDeleter {
    void operator()(gpointer object) const { gst_object_unref(object); }
};

// Holds one strong reference. Wrap only objects whose floating reference has
// been sunk (gst_object_ref_sink) or that were returned as full references.
template <typename T>
using GstObjectPtr = std::unique_ptr<T, GstObjectDeleter>;
using GstElementPtr = GstObjectPtr<GstElement>;
using GstBusPtr = GstObjectPtr<GstBus>;

struct GstMessageDeleter {
    void operator()(GstMessage *message) const { gst_message_unref(message); }
};
using GstMessagePtr = std::unique_ptr<GstMessage, GstMessageDeleter>;

struct GErrorDeleter {
    void operator()(GError *error) const { g_error_free(error); }
};
using GErrorPtr = std::unique_ptr<GError, GErrorDeleter>;

struct GFreeDeleter {
    void operator()(gpointer memory) const { g_free(memory); }
};
using GCharPtr = std::unique_ptr<gchar, GFreeDeleter>;

// Takes ownership of a newly made element, sinking its floating reference.
// Returns null when the element could not be made.
inline GstElementPtr adoptElement(GstElement *element)
{
    return GstElementPtr(element ? GST_ELEMENT(gst_object_ref_sink(element)) : nullptr);
}

} // namespace brookhum

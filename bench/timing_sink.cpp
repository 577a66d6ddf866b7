#include "timing_sink.h"

#include <gst/base/gstbasesink.h>

namespace brookhum::bench {

void TimingLog::note(SinkMark::Kind kind)
{
    const std::lock_guard lock(m_mutex);
    m_marks.push_back({kind, g_get_monotonic_time()});
}

std::vector<SinkMark> TimingLog::marks() const
{
    const std::lock_guard lock(m_mutex);
    return m_marks;
}

namespace {

TimingLog *timingLog = nullptr;

struct TimingSink {
    GstBaseSink parent;
    gboolean rendered;
};

struct TimingSinkClass {
    GstBaseSinkClass parent_class;
};

GType timing_sink_get_type();
// GLib's type macro casts the C way.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wold-style-cast"
G_DEFINE_TYPE(TimingSink, timing_sink, GST_TYPE_BASE_SINK)
#pragma GCC diagnostic pop

GstFlowReturn timingSinkRender(GstBaseSink *sink, GstBuffer *)
{
    auto *self = reinterpret_cast<TimingSink *>(sink);
    if (!self->rendered) {
        self->rendered = TRUE;
        timingLog->note(SinkMark::FirstBuffer);
    }
    return GST_FLOW_OK;
}

// The end of stream reaches the sink's event handler as soon as the last
// buffer has started to play; the sink posts it to the pipeline only once the
// clock has passed that buffer's end, which is when the listener hears the
// file end.
gboolean timingSinkPostMessage(GstElement *element, GstMessage *message)
{
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS)
        timingLog->note(SinkMark::EndOfStream);
    return GST_ELEMENT_CLASS(timing_sink_parent_class)->post_message(element, message);
}

void timing_sink_class_init(TimingSinkClass *klass)
{
    static GstStaticPadTemplate sinkTemplate = GST_STATIC_PAD_TEMPLATE(
        "sink", GST_PAD_SINK, GST_PAD_ALWAYS, GST_STATIC_CAPS("audio/x-raw"));
    auto *elementClass = GST_ELEMENT_CLASS(klass);
    gst_element_class_add_static_pad_template(elementClass, &sinkTemplate);
    elementClass->post_message = timingSinkPostMessage;
    gst_element_class_set_static_metadata(elementClass, "Timing sink", "Sink/Audio",
                                          "Notes when sound starts and ends", "Brookhum");
    auto *baseClass = GST_BASE_SINK_CLASS(klass);
    baseClass->render = timingSinkRender;
}

void timing_sink_init(TimingSink *self)
{
    self->rendered = FALSE;
    gst_base_sink_set_sync(GST_BASE_SINK(self), TRUE);
}

} // namespace

void registerTimingSink(TimingLog &log)
{
    timingLog = &log;
    gst_element_register(nullptr, "brookhumtimingsink", GST_RANK_NONE, timing_sink_get_type());
}

} // namespace brookhum::bench

#pragma once

#include <gst/gst.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace brookhum {

// Some GStreamer calls on a pipeline can block for ever: a MIDI parser that
// spins on a broken file holds the stream lock that every change towards NULL
// waits for, and a source that opens a named pipe waits for a writer. Such
// calls run on a thread of their own, and the user-interface thread waits for
// them only a bounded time.

// Runs `call` with the pipeline on a new thread and waits at most `limit` for
// it to return. False when it has not: the thread then keeps its own
// reference to the pipeline and lets go of it if the call ever returns.
bool runWithin(GstElement *pipeline, std::chrono::milliseconds limit, std::function<void(GstElement *)> call);

// The same for a call with a result; nullopt when it has not returned in time.
template <typename Result, typename Call>
std::optional<Result> callWithin(GstElement *pipeline, std::chrono::milliseconds limit, Call call)
{
    // Shared, so that a call that returns late writes into memory of its own.
    auto result = std::make_shared<Result>();
    if (!runWithin(pipeline, limit, [result, call = std::move(call)](GstElement *p) { *result = call(p); }))
        return std::nullopt;
    return *result;
}

// Takes a pipeline down to NULL and releases it on a thread of its own,
// without waiting. With trimMemory, the C library is asked afterwards to give
// the freed memory back to the system.
void releaseInBackground(GstElement *pipeline, bool trimMemory);

} // namespace brookhum

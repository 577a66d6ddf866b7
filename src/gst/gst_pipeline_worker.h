#pragma once

#include <gst/gst.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace brookhum {

// The one thread that changes a pipeline's state, seeks in it and finally
// takes it down, one call after the other, while the user-interface thread
// waits for each call only a bounded time.
//
// Some calls block for long or for ever: a sound server that stalls holds a
// pause or a start for seconds, a source that opens a named pipe waits for a
// writer. A call that overruns its wait goes on here, and later calls queue
// behind it, so that two never run side by side. A state asked for while
// another change runs or waits is only noted, and the state asked for last is
// the one made next: a burst of pause and play commands costs a change or
// two, not a thousand threads.
class GstPipelineWorker {
public:
    // Holds a reference of its own to the pipeline.
    explicit GstPipelineWorker(GstElement *pipeline);
    // Takes the pipeline down to NULL after whatever still runs, and lets go
    // of it, without waiting. With trimMemory the C library is then asked to
    // give freed memory back to the system.
    void release(bool trimMemory);
    ~GstPipelineWorker();
    GstPipelineWorker(const GstPipelineWorker &) = delete;
    GstPipelineWorker &operator=(const GstPipelineWorker &) = delete;

    // Runs call with the pipeline on the worker and waits at most limit; false
    // when it has not returned by then.
    bool run(std::chrono::milliseconds limit, std::function<void(GstElement *)> call);

    // The same for a call with a result; nullopt when it has not returned in time.
    template <typename Result, typename Call>
    std::optional<Result> call(std::chrono::milliseconds limit, Call call)
    {
        // Shared, so that a call that returns late writes into memory of its own.
        auto result = std::make_shared<Result>();
        if (!run(limit, [result, call = std::move(call)](GstElement *p) { *result = call(p); }))
            return std::nullopt;
        return *result;
    }

    enum class Change { Made, Refused, Pending };
    // Asks for a state and waits at most limit for it to be made. Pending: the
    // pipeline has not answered yet; the state asked for last is made when it does.
    Change setState(GstState state, std::chrono::milliseconds limit);

private:
    struct Shared;
    static void serve(std::shared_ptr<Shared> shared, GstElement *pipeline);
    std::shared_ptr<Shared> m_shared;
    bool m_released = false;
};

} // namespace brookhum

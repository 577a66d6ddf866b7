#include "gst/gst_pipeline_worker.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace brookhum {

struct GstPipelineWorker::Shared {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::function<void(GstElement *)>> calls;
    std::uint64_t callsDone = 0;
    std::uint64_t callsQueued = 0;
    // The state asked for last, and whether a call that makes it is queued.
    GstState wantedState = GST_STATE_VOID_PENDING;
    bool stateCallQueued = false;
    // Counts the state requests, and the last one a finished change served.
    std::uint64_t stateRequests = 0;
    std::uint64_t stateRequestsServed = 0;
    GstStateChangeReturn lastChange = GST_STATE_CHANGE_SUCCESS;
    bool released = false;
};

void GstPipelineWorker::serve(std::shared_ptr<Shared> shared, GstElement *pipeline)
{
    auto &s = *shared;
    std::unique_lock lock(s.mutex);
    for (;;) {
        s.changed.wait(lock, [&] { return !s.calls.empty() || s.released; });
        if (s.calls.empty())
            break;
        auto call = std::move(s.calls.front());
        s.calls.pop_front();
        lock.unlock();
        call(pipeline);
        lock.lock();
        ++s.callsDone;
        s.changed.notify_all();
    }
    lock.unlock();
    gst_object_unref(pipeline);
}

GstPipelineWorker::GstPipelineWorker(GstElement *pipeline) : m_shared(std::make_shared<Shared>())
{
    // Detached: a call that never returns must not keep the program from
    // ending, as a joined thread would.
    std::thread(serve, m_shared, GST_ELEMENT(gst_object_ref(pipeline))).detach();
}

GstPipelineWorker::~GstPipelineWorker()
{
    release(false);
}

void GstPipelineWorker::release(bool trimMemory)
{
    if (std::exchange(m_released, true))
        return;
    const std::lock_guard lock(m_shared->mutex);
    m_shared->calls.push_back([trimMemory](GstElement *pipeline) {
        gst_element_set_state(pipeline, GST_STATE_NULL);
        // A soundfont is megabytes in many small blocks, freed on this
        // thread; the C library keeps such memory unless asked to give it
        // back, and a player that runs for days would grow by it.
#ifdef __GLIBC__
        if (trimMemory)
            malloc_trim(0);
#else
        (void)trimMemory;
#endif
    });
    m_shared->released = true;
    m_shared->changed.notify_all();
}

bool GstPipelineWorker::run(std::chrono::milliseconds limit, std::function<void(GstElement *)> call)
{
    std::unique_lock lock(m_shared->mutex);
    m_shared->calls.push_back(std::move(call));
    const std::uint64_t ticket = ++m_shared->callsQueued;
    m_shared->changed.notify_all();
    return m_shared->changed.wait_for(lock, limit, [&] { return m_shared->callsDone >= ticket; });
}

GstPipelineWorker::Change GstPipelineWorker::setState(GstState state, std::chrono::milliseconds limit)
{
    std::unique_lock lock(m_shared->mutex);
    Shared &s = *m_shared;
    s.wantedState = state;
    const std::uint64_t request = ++s.stateRequests;
    if (!s.stateCallQueued) {
        s.stateCallQueued = true;
        ++s.callsQueued;
        s.calls.push_back([shared = m_shared](GstElement *pipeline) {
            std::unique_lock callLock(shared->mutex);
            const GstState wanted = shared->wantedState;
            const std::uint64_t served = shared->stateRequests;
            shared->stateCallQueued = false;
            callLock.unlock();
            const GstStateChangeReturn result = gst_element_set_state(pipeline, wanted);
            callLock.lock();
            shared->lastChange = result;
            shared->stateRequestsServed = served;
        });
        s.changed.notify_all();
    }
    if (!s.changed.wait_for(lock, limit, [&] { return s.stateRequestsServed >= request; }))
        return Change::Pending;
    return s.lastChange == GST_STATE_CHANGE_FAILURE ? Change::Refused : Change::Made;
}

} // namespace brookhum

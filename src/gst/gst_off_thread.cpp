#include "gst/gst_off_thread.h"

#include <condition_variable>
#include <mutex>
#include <thread>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace brookhum {

bool runWithin(GstElement *pipeline, std::chrono::milliseconds limit, std::function<void(GstElement *)> call)
{
    struct Rendezvous {
        std::mutex mutex;
        std::condition_variable returned;
        bool done = false;
    };
    auto rendezvous = std::make_shared<Rendezvous>();
    gst_object_ref(pipeline);
    // Detached: a call that never returns must not keep the program from
    // ending, as a joined thread would.
    std::thread([pipeline, rendezvous, call = std::move(call)] {
        call(pipeline);
        gst_object_unref(pipeline);
        {
            const std::lock_guard lock(rendezvous->mutex);
            rendezvous->done = true;
        }
        rendezvous->returned.notify_all();
    }).detach();

    std::unique_lock lock(rendezvous->mutex);
    return rendezvous->returned.wait_for(lock, limit, [&] { return rendezvous->done; });
}

void releaseInBackground(GstElement *pipeline, bool trimMemory)
{
    std::thread([pipeline, trimMemory] {
        gst_element_set_state(pipeline, GST_STATE_NULL);
        gst_object_unref(pipeline);
        // A soundfont is megabytes in many small blocks, freed on this
        // thread; the C library keeps such memory unless asked to give it
        // back, and a player that runs for days would grow by it.
#ifdef __GLIBC__
        if (trimMemory)
            malloc_trim(0);
#else
        (void)trimMemory;
#endif
    }).detach();
}

} // namespace brookhum

#pragma once

#include <gst/gst.h>

#include <cstdint>
#include <mutex>
#include <vector>

// An audio sink for benchmarks, registered as "brookhumtimingsink": it
// renders in real time like any synchronised sink and notes, on the
// monotonic clock, when each pipeline's first buffer is rendered and when
// its end of stream is reached.
namespace brookhum::bench {

struct SinkMark {
    enum Kind { FirstBuffer, EndOfStream } kind;
    std::int64_t microseconds;
};

class TimingLog {
public:
    void note(SinkMark::Kind kind);
    std::vector<SinkMark> marks() const;

private:
    mutable std::mutex m_mutex;
    std::vector<SinkMark> m_marks;
};

// Registers the element; its instances write into `log`, which must outlive
// every pipeline that uses it.
void registerTimingSink(TimingLog &log);

} // namespace brookhum::bench

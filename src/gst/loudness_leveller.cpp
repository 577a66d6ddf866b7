#include "gst/loudness_leveller.h"

#include "base/native_path.h"
#include "gst/gst_element_setup.h"
#include "gst/loudness_level.h"
#include "gst/midi_file_check.h"

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

using namespace std::chrono_literals;

namespace brookhum {

namespace {

// Longer than any piece takes to decode, shorter than one that never ends.
constexpr auto MeasuringLimit = 300s;

// The measuring thread, and the GStreamer threads it starts, give way to
// everything else: the music that plays, the desktop.
void giveWay()
{
#ifdef Q_OS_LINUX
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 19);
#endif
}

} // namespace

LoudnessLeveller::LoudnessLeveller(const QString &soundFont, QString cachePath, QObject *parent)
    : QObject(parent)
    , m_soundFont(chooseSoundFont(soundFont))
    , m_cache(std::move(cachePath))
    , m_worker([this](std::stop_token stop) { measureQueued(stop); })
{
}

// The jthread is asked to stop and joined; a measurement under way stops at
// its next block of samples.
LoudnessLeveller::~LoudnessLeveller() = default;

std::optional<double> LoudnessLeveller::gainDbFor(const QString &file)
{
    {
        const std::lock_guard lock(m_mutex);
        if (const std::optional<Loudness> loudness = m_cache.find(file, m_soundFont))
            return levelGainDb(*loudness);
    }
    measureSoon(file);
    return std::nullopt;
}

void LoudnessLeveller::measureSoon(const QString &file)
{
    const std::lock_guard lock(m_mutex);
    if (file.isEmpty() || m_unmeasurable.contains(file) || m_waiting.contains(file) || m_cache.find(file, m_soundFont))
        return;
    m_waiting.insert(file);
    m_queue.push_back(file);
    m_queued.notify_one();
}

void LoudnessLeveller::measureQueued(std::stop_token stop)
{
    giveWay();
    for (;;) {
        QString file;
        {
            std::unique_lock lock(m_mutex);
            if (!m_queued.wait(lock, stop, [this] { return !m_queue.empty(); }))
                return;
            file = m_queue.front();
            m_queue.pop_front();
        }
        const std::optional<FileStamp> stamp = fileStamp(file);
        const QString soundFont = looksLikeMidi(readRegularFile(file, 12).bytes) ? m_soundFont : QString();
        const std::optional<Loudness> loudness =
            stamp ? measureLoudness(file, soundFont, MeasuringLimit, stop) : std::nullopt;
        if (stop.stop_requested())
            return;
        remember(file, stamp, soundFont, loudness);
        QMetaObject::invokeMethod(this, [this, file] { Q_EMIT measured(file); }, Qt::QueuedConnection);
    }
}

// Here, on the measuring thread, so that a file measured while the player
// waits between two files is levelled when it starts, and so that the cache
// is written off the user-interface thread.
void LoudnessLeveller::remember(const QString &file, const std::optional<FileStamp> &stamp,
                                const QString &soundFont, const std::optional<Loudness> &loudness)
{
    const std::lock_guard lock(m_mutex);
    m_waiting.remove(file);
    // A file changed while it was measured is measured again when it comes.
    if (loudness && stamp && fileStamp(file) == stamp)
        m_cache.remember(file, *stamp, soundFont, *loudness);
    else if (!loudness)
        m_unmeasurable.insert(file);
}

} // namespace brookhum

#include "support/media_fixtures.h"

#include "gst/gst_handles.h"
#include "support/midi_bytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <random>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace brookhum::test {

namespace {

[[noreturn]] void fail(const QString &path, const QString &reason)
{
    throw std::runtime_error(u"Cannot write \"%1\": %2"_s.arg(path, reason).toStdString());
}

} // namespace

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() || !file.flush())
        fail(path, file.errorString());
}

void writeWithPipeline(const QString &path, const QString &description)
{
    gst_init(nullptr, nullptr);
    GError *rawError = nullptr;
    const GstElementPtr pipeline = adoptElement(gst_parse_launch(description.toUtf8().constData(), &rawError));
    const GErrorPtr error(rawError);
    const GstElementPtr sink(pipeline ? gst_bin_get_by_name(GST_BIN(pipeline.get()), "out") : nullptr);
    if (!pipeline || error || !sink)
        fail(path, u"GStreamer cannot run "_s + description);
    g_object_set(sink.get(), "location", QFile::encodeName(path).constData(), nullptr);
    const GstBusPtr bus(gst_element_get_bus(pipeline.get()));
    gst_element_set_state(pipeline.get(), GST_STATE_PLAYING);
    const GstMessagePtr end(gst_bus_timed_pop_filtered(bus.get(), 60 * GST_SECOND,
                                                       GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR)));
    gst_element_set_state(pipeline.get(), GST_STATE_NULL);
    if (!end || GST_MESSAGE_TYPE(end.get()) != GST_MESSAGE_EOS)
        fail(path, u"encoding failed"_s);
}

namespace {

// A tone of the given format, in buffers of 10 ms, which makes the length
// exact to the next 10 ms.
void writeTone(const QString &path, int durationMs, int frequencyHz, const char *format, double amplitude = 0.5)
{
    writeWithPipeline(
        path, u"audiotestsrc num-buffers=%1 samplesperbuffer=441 freq=%2 volume=%4 ! audioconvert ! %3 ! filesink name=out"_s
                  .arg((durationMs + 9) / 10).arg(frequencyHz).arg(QLatin1String(format)).arg(amplitude));
}

} // namespace

void writeToneWav(const QString &path, int durationMs, int frequencyHz, double amplitude)
{
    writeTone(path, durationMs, frequencyHz, "audio/x-raw,format=S16LE,rate=44100,channels=1 ! wavenc", amplitude);
}

void writeToneMp3(const QString &path, int durationMs, int frequencyHz)
{
    writeTone(path, durationMs, frequencyHz,
              "audio/x-raw,rate=44100,channels=2 ! lamemp3enc target=bitrate bitrate=128 cbr=true");
}

void writeMidiFile(const QString &path, int durationMs)
{
    QByteArray events = tempo(500000); // 500 ticks a quarter note at 500 ms: a tick a millisecond
    for (int start = 0; start < durationMs; start += 250)
        events += note(250);
    writeFile(path, header(1, 500, 0) + chunk("MTrk", events + EndOfTrack));
}

void writeToneMidi(const QString &path, int durationMs, int frequencyHz)
{
    const int key = static_cast<int>(std::lround(69 + 12 * std::log2(frequencyHz / 440.0)));
    const QByteArray events = tempo(500000) + b({0x00, 0xC0, 73, 0x00, 0x90, key, 100}) +
                              b({0x80 | durationMs >> 7, durationMs & 0x7F, 0x80, key, 0});
    writeFile(path, header(1, 500, 0) + chunk("MTrk", events + EndOfTrack));
}

void writeRandomBytes(const QString &path, qint64 size, quint32 seed)
{
    std::mt19937 generator(seed);
    QByteArray out(size, '\0');
    for (char &c : out)
        c = static_cast<char>(generator() & 0xff);
    writeFile(path, out);
}

QString makeDirectoryWithFiles(const QTemporaryDir &root, const QString &name, const QStringList &files)
{
    const QString path = root.path() + u'/' + name;
    QDir().mkpath(path);
    for (const QString &file : files)
        writeFile(path + u'/' + file, {});
    return path;
}

QStringList numberedNames(const QString &prefix, int count, const QString &extension)
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names.append(u"%1%2.%3"_s.arg(prefix).arg(i, 2, 10, QLatin1Char('0')).arg(extension));
    return names;
}

} // namespace brookhum::test

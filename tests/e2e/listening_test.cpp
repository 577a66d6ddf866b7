// What the listener hears: the real program plays a directory through a
// sound server of the test's own (PulseAudio with a null sink), and the
// sink's monitor is recorded. The files must sound in their order, each
// parted from the next by the 3 seconds of silence the player keeps, as the
// sound server's output has them, not as the player's calls to play would
// suggest, a stored volume of the player's own is heard from the first
// sound on, and levelled files sound alike. Time is the behaviour here, so
// this test listens in real time, all rows side by side.

#include "support/event_wait.h"
#include "support/media_fixtures.h"
#include "support/sound_server.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>
#include <numbers>

using namespace Qt::StringLiterals;
using namespace brookhum::test;

namespace {

constexpr int Rate = 8000;                 // recorded samples a second, mono
constexpr int Window = Rate / 100;         // 10 ms
constexpr int Loud = 300;                  // about -40 dBFS
constexpr int Pause = 50;                  // windows of silence that part two sounds: 0.5 s
const QList<int> Tones = {440, 554, 698}; // no one a harmonic of another

struct Sound {
    double start; // seconds into the recording
    double end;
    int frequency;
    int peak;
    double rmsDb; // its power, in dB below full scale
};

// The strength of one frequency in the samples (Goertzel).
double strength(const qint16 *samples, qsizetype count, int frequency)
{
    const double k = 2 * std::cos(2 * std::numbers::pi * frequency / Rate);
    double a = 0, b = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const double next = samples[i] + k * a - b;
        b = a;
        a = next;
    }
    return a * a + b * b - k * a * b;
}

// The sounds of a recording of 16-bit mono samples, each named by the tone
// that is strongest in its first 300 ms.
QList<Sound> soundsIn(const QByteArray &recording)
{
    const auto *samples = reinterpret_cast<const qint16 *>(recording.constData());
    const qsizetype windows = recording.size() / 2 / Window;
    QList<std::pair<qsizetype, qsizetype>> spans; // first and last loud window
    for (qsizetype w = 0; w < windows; ++w) {
        int peak = 0;
        for (qsizetype i = w * Window; i < (w + 1) * Window; ++i)
            peak = std::max(peak, std::abs(int(samples[i])));
        if (peak < Loud)
            continue;
        if (!spans.isEmpty() && w - spans.last().second <= Pause)
            spans.last().second = w;
        else
            spans.append({w, w});
    }
    QList<Sound> sounds;
    for (const auto &[first, last] : spans) {
        const qint16 *sound = samples + first * Window;
        const qsizetype count = (last - first + 1) * Window;
        const qsizetype length = std::min<qsizetype>(count, Rate * 3 / 10);
        int best = Tones[0];
        for (int tone : Tones) {
            if (strength(sound, length, tone) > strength(sound, length, best))
                best = tone;
        }
        int peak = 0;
        double power = 0;
        for (qsizetype i = 0; i < count; ++i) {
            peak = std::max(peak, std::abs(int(sound[i])));
            power += double(sound[i]) * sound[i];
        }
        sounds.append({double(first) / 100, double(last + 1) / 100, best, peak,
                       10 * std::log10(power / double(count) / (32768.0 * 32768.0))});
    }
    return sounds;
}

QString describe(const QList<Sound> &sounds)
{
    QString text;
    for (const Sound &s : sounds)
        text += u"%1 Hz %2-%3 s; "_s.arg(s.frequency).arg(s.start, 0, 'f', 2).arg(s.end, 0, 'f', 2);
    return text;
}

void stop(QProcess &process)
{
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished();
    }
}

// "quiet.wav" is a WAV a twentieth as loud, 26 dB down.
void writeTone(const QString &path, int frequency)
{
    if (path.endsWith(u".mp3"_s))
        writeToneMp3(path, 600, frequency);
    else if (path.endsWith(u".mid"_s))
        writeToneMidi(path, 600, frequency);
    else
        writeToneWav(path, 600, frequency, path.endsWith(u"quiet.wav"_s) ? 0.025 : 0.5);
}

struct ListeningRow {
    const char *name;
    QStringList extensions; // of the three files, in their order
    int volume = 100;       // stored as the player's own volume; 100 stores none
    bool level = false;     // loudness levelled
};

// The tones are written at half the full scale; the first row's are heard as
// the files have them.
const QList<ListeningRow> ListeningRows = {
    {"WavFilesOpenedAheadSoundOnTime", {u"wav"_s, u"wav"_s, u"wav"_s}},
    {"MidiFilesOpenedAheadSoundOnTime", {u"mid"_s, u"mid"_s, u"mid"_s}},
    {"Mp3FilesOpenedAheadSoundOnTimeAndAStoredVolumeNotFromTheFirst", {u"mp3"_s, u"mp3"_s, u"mp3"_s}, 25},
    // The first file is measured while it plays; the others before they do.
    {"LevellingLeftAQuietFileQuieterThanTheFileAfter", {u"wav"_s, u"quiet.wav"_s, u"wav"_s}, 100, true},
};

// One row: the program on a directory of its own, with a sound server, a
// recorder and a store of its own, so that all rows listen at once.
class Session {
public:
    explicit Session(const ListeningRow &row) : m_row(row), m_server(m_work.path(), u"heard"_s) {}

    // Writes the files and the store, starts the sound server and the
    // recorder, and the program once a second has been recorded.
    void start()
    {
        for (const char *sub : {"runtime", "config", "music"})
            QDir(m_work.path()).mkdir(QLatin1String(sub));
        QFile::setPermissions(m_work.filePath(u"runtime"_s), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        for (qsizetype i = 0; i < Tones.size(); ++i)
            writeTone(m_work.filePath(u"music/t%1.%2"_s.arg(i + 1).arg(m_row.extensions[i])), Tones[i]);
        QByteArray settings = "[Brookhum]\nBrookhumPlayFlag=1\nBrookhumDirNo1PlayFlag=1\nBrookhumDirNo1=" +
                              m_work.filePath(u"music"_s).toUtf8() + '\n';
        if (m_row.volume != 100)
            settings += "BrookhumVolume=" + QByteArray::number(m_row.volume) + '\n';
        if (m_row.level)
            settings += "BrookhumLevelFlag=1\n";
        writeFile(m_work.filePath(u"config/Tarnwick.conf"_s), settings);

        ASSERT_TRUE(m_server.start()) << "no pulseaudio";
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"PULSE_SERVER"_s, m_server.address());
        environment.insert(u"XDG_RUNTIME_DIR"_s, m_work.filePath(u"runtime"_s));
        environment.insert(u"XDG_CONFIG_HOME"_s, m_work.filePath(u"config"_s));
        environment.insert(u"XDG_CACHE_HOME"_s, m_work.filePath(u"cache"_s));
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, u"disabled:"_s);
        environment.remove(u"BROOKHUM_AUDIO_SINK"_s);
        for (QProcess *process : {&m_silence, &m_recorder, &m_program})
            process->setProcessEnvironment(environment);

        // An idle null sink records nothing, and a recorder loses the first
        // half second of what it hears: silence is played all along, and the
        // program starts once a second of it has been recorded. A short capture
        // latency, since at the default one the recorder delivers in large
        // blocks and loses what was heard last.
        m_silence.start(u"pacat"_s, {u"--playback"_s, u"--raw"_s, u"--rate=8000"_s, u"--channels=1"_s,
                                     u"--format=s16le"_s, u"/dev/zero"_s});
        m_recorder.start(u"parecord"_s, {u"--latency-msec=50"_s, u"--device=heard.monitor"_s, u"--rate=8000"_s,
                                         u"--channels=1"_s, u"--format=s16le"_s, u"--raw"_s, recording()});
        ASSERT_TRUE(waitUntil([&] { return QFile(recording()).size() >= 2 * Rate; })) << "nothing recorded";
        m_program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_program.start(QStringLiteral(BROOKHUM_PROGRAM));
    }

    // All three have sounded and the last has been silent for a while.
    bool done() const
    {
        const QList<Sound> sounds = heard();
        return sounds.size() >= 3 && QFile(recording()).size() / 2.0 / Rate > sounds[2].end + 1.0;
    }

    QList<Sound> stop()
    {
        for (QProcess *process : {&m_program, &m_recorder, &m_silence})
            ::stop(*process);
        return heard();
    }

private:
    QString recording() const { return m_work.filePath(u"heard.raw"_s); }
    QList<Sound> heard() const
    {
        QFile file(recording());
        return file.open(QIODevice::ReadOnly) ? soundsIn(file.readAll()) : QList<Sound>{};
    }

    const ListeningRow &m_row;
    QTemporaryDir m_work;
    SoundServer m_server;
    QProcess m_silence, m_recorder, m_program;
};

TEST(Listening, ADirectoryPlaysInOrderWithThreeSecondsOfSilenceBetweenFiles)
{
    std::vector<std::unique_ptr<Session>> sessions;
    for (const ListeningRow &row : ListeningRows) {
        sessions.push_back(std::make_unique<Session>(row));
        sessions.back()->start();
    }
    waitUntil([&] { return std::all_of(sessions.begin(), sessions.end(), [](const auto &s) { return s->done(); }); },
              30000);
    int fullPeak = 0;
    for (qsizetype r = 0; r < ListeningRows.size(); ++r) {
        const ListeningRow &row = ListeningRows[r];
        SCOPED_TRACE(row.name);
        const QList<Sound> sounds = sessions[size_t(r)]->stop();
        ASSERT_GE(sounds.size(), 3) << "heard: " << describe(sounds).toStdString();
        if (fullPeak == 0)
            fullPeak = sounds[0].peak;
        if (row.volume != 100) {
            EXPECT_NEAR(double(sounds[0].peak) / fullPeak, row.volume / 100.0, 0.05)
                << "peak " << sounds[0].peak << " beside " << fullPeak << " at full volume";
        }
        if (row.level) {
            EXPECT_NEAR(sounds[1].rmsDb, sounds[2].rmsDb, 2) << "levelled files differ in loudness";
        }
        for (qsizetype i = 0; i < Tones.size(); ++i)
            EXPECT_EQ(sounds[i].frequency, Tones[i]) << "out of order: " << describe(sounds).toStdString();
        for (qsizetype i = 1; i < Tones.size(); ++i) {
            const double silence = sounds[i].start - sounds[i - 1].end;
            EXPECT_TRUE(silence >= 2.8 && silence <= 4.0)
                << "silence before file " << i + 1 << ": " << silence << " s; heard " << describe(sounds).toStdString();
        }
    }
}

} // namespace

#pragma once

#include <QByteArray>

namespace brookhum::test {

// Sets an environment variable (unsets it for a null value) while it lives,
// then puts back what was there.
class ScopedEnv {
public:
    ScopedEnv(const char *name, const QByteArray &value)
        : m_name(name), m_old(qgetenv(name)), m_wasSet(qEnvironmentVariableIsSet(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (m_wasSet)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

private:
    const char *m_name;
    QByteArray m_old;
    bool m_wasSet;
};

// The audio output the media player uses while it lives, for example
// "fakesink sync=true" for real-time pacing.
class ScopedAudioSink : public ScopedEnv {
public:
    explicit ScopedAudioSink(const QByteArray &description) : ScopedEnv("BROOKHUM_AUDIO_SINK", description) {}
};

} // namespace brookhum::test

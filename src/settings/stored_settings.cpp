#include "settings/stored_settings.h"

#include "settings/read_or_init.h"
#include "settings/reg_ini_file.h"
#include "settings/setting_names.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

// A kept number: decimal digits alone, nothing around them.
std::optional<qint64> keptNumber(const QString &text)
{
    static const QRegularExpression digits(u"^[0-9]{1,19}$"_s);
    bool ok = false;
    const qint64 number = digits.match(text).hasMatch() ? text.toLongLong(&ok) : 0;
    return ok ? std::optional(number) : std::nullopt;
}

} // namespace

StoredText StoredSettings::readPlayFlag()
{
    return settings::readTextOrInit(m_store, settings::PlayFlag());
}

StoredText StoredSettings::readRandPlayFlag()
{
    return settings::readTextOrInit(m_store, settings::RandPlayFlag());
}

StoredText StoredSettings::readSelectPlayFlag()
{
    return settings::readTextOrInit(m_store, settings::SelectPlayFlag());
}

StoredSlot StoredSettings::readSlot(SlotKind kind, int slot)
{
    const settings::SlotValueNames names = settings::slotValueNames(kind, slot);
    const StoredText flag = settings::readTextOrInit(m_store, names.flag);
    return {flag, settings::readTextOrInit(m_store, names.path)};
}

StoredText StoredSettings::readBeginFlag(Bar bar)
{
    return settings::readTextOrInit(m_store, bar == Bar::Select ? settings::PlayBarBeginFlag()
                                                                  : settings::IndicationBarBeginFlag());
}

void StoredSettings::writeRandPlayFlag(const QString &flag)
{
    m_store.WriteString(settings::section(), settings::RandPlayFlag(), flag);
}

StoredText StoredSettings::readVolume()
{
    return settings::readTextOrInit(m_store, settings::Volume());
}

void StoredSettings::writeVolume(const QString &text)
{
    m_store.WriteString(settings::section(), settings::Volume(), text);
}

StoredText StoredSettings::readOptionFlag(PlayOption option)
{
    const QString name = option == PlayOption::Resume   ? settings::ResumeFlag()
                         : option == PlayOption::Notify ? settings::NotifyFlag()
                                                        : settings::LevelFlag();
    return settings::readTextOrInit(m_store, name);
}

std::optional<ResumePoint> StoredSettings::readResumePoint()
{
    const auto read = [this](const QString &name) {
        return m_store.ReadString(settings::section(), name, settings::absentText());
    };
    const QString kind = read(settings::ResumeKind());
    const QString file = read(settings::ResumeFile());
    const auto slot = keptNumber(read(settings::ResumeSlot()));
    const auto size = keptNumber(read(settings::ResumeFileSize()));
    const auto time = keptNumber(read(settings::ResumeFileTime()));
    const auto position = keptNumber(read(settings::ResumePosition()));
    if ((kind != u"1"_s && kind != u"2"_s) || file == settings::absentText() || file.isEmpty() || !slot || *slot < 1
        || *slot > SlotCount || !size || !time || !position)
        return std::nullopt;
    return ResumePoint{kind == u"1"_s ? SlotKind::Directory : SlotKind::File, int(*slot), file, *position,
                       FileStamp{*size, *time}};
}

void StoredSettings::writeResumePoint(const ResumePoint &point)
{
    const std::pair<QString, QString> values[] = {
        {settings::ResumeKind(), point.kind == SlotKind::Directory ? u"1"_s : u"2"_s},
        {settings::ResumeSlot(), QString::number(point.slot)},
        {settings::ResumeFile(), point.file},
        {settings::ResumeFileSize(), QString::number(point.stamp.size)},
        {settings::ResumeFileTime(), QString::number(point.stamp.modifiedNs)},
        {settings::ResumePosition(), QString::number(point.position)},
    };
    for (const auto &[name, text] : values) {
        if (m_store.ReadString(settings::section(), name, settings::absentText()) != text)
            m_store.WriteString(settings::section(), name, text);
    }
}

} // namespace brookhum
